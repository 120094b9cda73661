#include "setup/engine/shortcuts.h"

#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_ports.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"

namespace {

constexpr int kHelpRow = 1;

}  // namespace

const char* HelpFileName(int codePage) {
  if (codePage == 936) return "ZMChs.chm";
  if (codePage == 950) return "ZMCht.chm";
  return "ZMEng.chm";
}

bool CreateShortcuts(SystemFolders& folders, SetupFileSystem& files, ShellLinks& links) {
  std::string programs;
  if (!folders.GetProgramsFolder(&programs)) return false;
  programs = WithSeparator(programs);
  std::string group = programs + kProductVersion;
  files.CreateFolder(group);
  CopyToSlot(g_shortcuts[kHelpRow].target, HelpFileName(g_codePage));
  for (const ShortcutRow& row : g_shortcuts) {
    std::string linkPath = group + "\\" + SetupTextAsPath(row.linkName.data());
    links.CreateShellLink(g_installDir + row.target.data(), linkPath);
    AppendFileRecord(linkPath);
  }
  AppendFolderRecord(programs, kProductVersion);
  WriteUninstallMessages();
  return true;
}
