#pragma once

// Carries out an uninstall plan over the setup programs' file-system and
// registry ports (paths in UTF-8; registry items under HKEY_LOCAL_MACHINE)
// and reports what it did. Every item is tried on its own: one that is
// missing or cannot be removed never stops the others.
//
// A link (junction or symbolic link) that the log names is removed as
// itself; an item that lies behind a link is refused, whatever the link
// points to.
//
// The running uninstaller cannot remove its own program file: when the log
// names it, it is handed to the restart removal instead, and so is its
// folder when nothing else is left in it, and each folder above that holds
// nothing else. The log itself is read into
// memory before the run and goes like any other file.

#include <string>

#include "setup/engine/registry_api.h"
#include "setup/engine/setup_file_system.h"
#include "tools/uninstall/removal_policy.h"
#include "tools/uninstall/uninstall_plan.h"
#include "tools/uninstall/uninstall_progress.h"
#include "tools/uninstall/uninstall_report.h"

class UninstallPrompt {
 public:
  virtual ~UninstallPrompt() = default;

  // A file could not be removed (held open by a running program, say):
  // true when the user wants another try.
  virtual bool AskRetry(const std::string& path) = 0;
};

struct UninstallServices {
  SetupFileSystem& files;
  RegistryApi& registry;
  UninstallPrompt& prompt;
  UninstallProgress* progress = nullptr;  // none: nothing is shown
};

class CUninstaller {
 public:
  CUninstaller(const UninstallServices& services, const CRemovalPolicy& policy, std::string ownProgram);

  UninstallReport Run(const UninstallPlan& plan);

 private:
  void RemoveFile(const std::string& path);
  void RemoveOwnProgram(const std::string& path);
  void RemoveFolder(const std::string& path);
  bool ReachesThroughLink(const std::string& path);
  // Everything in the folder is left for the restart already.
  bool HoldsOnlyScheduled(const std::string& folder, const std::vector<std::string>& contents) const;
  bool RemoveAtRestart(const std::string& path);
  void RemoveRegistryItem(const std::string& path);
  void RemoveKey(const std::string& path);
  void Count(bool removed, const std::string& path);
  void BeginStage(int messageRow, std::size_t total) const;
  void ItemDone(const std::string& item) const;

  UninstallServices m_services;
  const CRemovalPolicy& m_policy;
  std::string m_ownProgram;
  std::vector<std::string> m_scheduled;  // left for the restart, in order
  UninstallReport m_report;
};
