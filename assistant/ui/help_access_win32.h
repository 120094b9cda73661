#pragma once

// F1 help over the real system (Windows build): the program folder of the
// running executable, a W message box, and the process's one binding of the
// HTML Help control.

#include <windows.h>

#include "assistant/ui/help_access.h"

class CWin32HelpHost : public HelpHost {
 public:
  std::string ProgramFolder() override;
  void ShowStopMessage(WindowHandle owner, std::string_view text, unsigned codePage) override;
};

// The HTML Help control of the process, bound on its first use.
HtmlHelpBinding& ProcessHtmlHelp();

// F1 in the main window and on the general page of the settings sheet.
void ShowHelp(HWND owner);
void ShowSettingsHelp(HWND owner);
