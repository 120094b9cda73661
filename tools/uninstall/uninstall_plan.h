#pragma once

// What one uninstall run will do, in the order it does it: the files the log
// names (log order), then their folders deepest first, then the registry
// items (log order, which puts values before the key that holds them). An
// item named twice is done once; an item the removal policy refuses is kept
// aside for the report.

#include <string>
#include <vector>

#include "tools/uninstall/removal_policy.h"
#include "tools/uninstall/uninstall_log_parser.h"

struct UninstallPlan {
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::vector<std::string> registryItems;
  std::vector<std::string> refused;
};

UninstallPlan BuildUninstallPlan(const std::vector<UninstallRecord>& records, const CRemovalPolicy& policy);
