#pragma once

// What an uninstall run did, and the text the uninstaller shows about it.

#include <string>
#include <vector>

#include "tools/uninstall/uninstall_messages.h"

struct KeptFolder {
  std::string path;
  std::vector<std::string> contents;  // what the log does not name
};

struct UninstallReport {
  int removed = 0;
  int missing = 0;                      // named in the log, already gone
  std::vector<std::string> failed;      // could not be removed
  std::vector<std::string> refused;     // outside the product's places
  std::vector<KeptFolder> keptFolders;  // still hold the user's own files
  std::vector<std::string> keptKeys;    // still hold subkeys
  std::vector<std::string> atRestart;   // removed when the machine restarts

  // Kept folders and keys are deliberate: only failed and refused items
  // make the run incomplete.
  bool Complete() const { return failed.empty() && refused.empty(); }
};

// The closing message: "Uninstall succeed!" or the failure with the items
// that could not be removed, then what was kept and what goes at restart.
std::string ComposeReportText(const UninstallReport& report, const CUninstallMessages& messages);
