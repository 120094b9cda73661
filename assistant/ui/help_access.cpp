#include "assistant/ui/help_access.h"

#include "assistant/texts/text_tables.h"

namespace {

constexpr int kHelpFileRow = 0;
constexpr int kCannotOpenHelpRow = 63;

void ShowHelpFile(WindowHandle owner, std::string_view fileName, HtmlHelpBinding& binding, HelpHost& host) {
  std::string path = host.ProgramFolder();
  path += fileName;
  // No caller window: the viewer is a top-level window of its own, not
  // owned by the assistant's.
  if (binding.Call(0, path, kHelpCommandContext, kHelpTopic) != 0) return;
  host.ShowStopMessage(owner, HelpFailureMessage(fileName), UiTextCodePage());
}

}  // namespace

std::string MainHelpFileName() { return UiText(kHelpFileRow); }

std::string HelpFailureMessage(std::string_view fileName) {
  std::string message = UiText(kCannotOpenHelpRow);
  message += fileName;
  message += '!';
  return message;
}

void ShowHelp(WindowHandle owner, HtmlHelpBinding& binding, HelpHost& host) {
  ShowHelpFile(owner, MainHelpFileName(), binding, host);
}

void ShowSettingsHelp(WindowHandle owner, HtmlHelpBinding& binding, HelpHost& host) {
  ShowHelpFile(owner, kSettingsHelpFile, binding, host);
}
