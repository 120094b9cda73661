#pragma once

// The program group "Zelmorant10.1" in the Start menu's Programs folder with
// the four shortcuts of g_shortcuts.

#include <string>

class SetupFileSystem;
class ShellLinks;
class SystemFolders;

// The help file of the language of `codePage`.
const char* HelpFileName(int codePage);

// Creates the group and its shortcuts to the files in g_installDir, records
// each link and the group in the uninstall log, then appends the
// uninstaller's message table. False, with nothing done, when the Programs
// folder cannot be determined.
bool CreateShortcuts(SystemFolders& folders, SetupFileSystem& files, ShellLinks& links);
