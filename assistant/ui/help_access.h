#pragma once

// F1 help: the main window's help file in the language of the active text
// table, the settings sheet's one help file, both opened at one topic
// through the HTML Help control; when no viewer comes up the user is told
// which file could not be opened.

#include <cstdint>
#include <string>
#include <string_view>

#include "assistant/ui/html_help_binding.h"

inline constexpr unsigned kHelpCommandContext = 0x0F;  // open at a context id
inline constexpr std::uintptr_t kHelpTopic = 5;
inline constexpr std::string_view kSettingsHelpFile = "zelmorant.chm";
inline constexpr std::string_view kHelpMessageCaption = "Ostrevia3.5";

// Where the help files are and how a failure is shown. Adapters: Win32 and a
// fake for host tests.
class HelpHost {
 public:
  virtual ~HelpHost() = default;

  // The program folder, ending in a backslash, in the code page that the
  // narrow help entry reads paths in.
  virtual std::string ProgramFolder() = 0;
  // A message box owned by `owner`, caption kHelpMessageCaption, stop icon;
  // `text` is in code page `codePage`.
  virtual void ShowStopMessage(WindowHandle owner, std::string_view text, unsigned codePage) = 0;
};

// The main window's help file: row 0 of the active text table.
std::string MainHelpFileName();

// Row 63 of the active text table, the file name and "!".
std::string HelpFailureMessage(std::string_view fileName);

// F1 in the main window: opens the main help file; on failure tells the
// user in a message box owned by `owner`.
void ShowHelp(WindowHandle owner, HtmlHelpBinding& binding, HelpHost& host);

// F1 on the general page of the settings sheet: the same with
// kSettingsHelpFile, whatever the language.
void ShowSettingsHelp(WindowHandle owner, HtmlHelpBinding& binding, HelpHost& host);
