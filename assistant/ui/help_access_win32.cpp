#include "assistant/ui/help_access_win32.h"

#include <string>

#include "assistant/ui/html_help_platform_win32.h"
#include "base/code_page.h"
#include "winfx/message_box.h"
#include "winfx/module_path.h"

std::string CWin32HelpHost::ProgramFolder() {
  std::u16string folder = winfx::ProgramFolder().u16string() + u'\\';
  // The help entry is the narrow one and reads its path in the machine's ANSI
  // code page, whatever the language of the text table: the folder is
  // written in that code page so that the entry reads back the same folder
  // (a folder that code page cannot hold cannot reach this entry at all). The
  // file names appended to it are ASCII in every table.
  return EncodeToCodePage(folder, CP_ACP);
}

void CWin32HelpHost::ShowStopMessage(WindowHandle owner, std::string_view text, unsigned codePage) {
  winfx::ShowMessageBox(reinterpret_cast<HWND>(owner), text, kHelpMessageCaption, codePage,
                        MB_OK | MB_ICONSTOP);
}

HtmlHelpBinding& ProcessHtmlHelp() {
  static CWin32HtmlHelpPlatform platform;
  static HtmlHelpBinding binding(platform);
  return binding;
}

void ShowHelp(HWND owner) {
  CWin32HelpHost host;
  ShowHelp(reinterpret_cast<WindowHandle>(owner), ProcessHtmlHelp(), host);
}

void ShowSettingsHelp(HWND owner) {
  CWin32HelpHost host;
  ShowSettingsHelp(reinterpret_cast<WindowHandle>(owner), ProcessHtmlHelp(), host);
}
