#include "tools/uninstall/uninstall_plan.h"

#include <algorithm>
#include <set>

#include "tools/uninstall/uninstall_paths.h"

namespace {

bool IsAllowed(const UninstallRecord& record, const CRemovalPolicy& policy) {
  switch (record.kind) {
    case RecordKind::kFile:
      return policy.MayRemoveFile(record.path);
    case RecordKind::kFolder:
      return policy.MayRemoveFolder(record.path);
    case RecordKind::kRegistry:
      return policy.MayRemoveRegistryItem(record.root, record.path);
  }
  return false;
}

std::vector<std::string>& ListOf(RecordKind kind, UninstallPlan& plan) {
  if (kind == RecordKind::kFile) return plan.files;
  if (kind == RecordKind::kFolder) return plan.folders;
  return plan.registryItems;
}

}  // namespace

UninstallPlan BuildUninstallPlan(const std::vector<UninstallRecord>& records, const CRemovalPolicy& policy) {
  UninstallPlan plan;
  std::set<std::pair<RecordKind, std::string>> seen;
  for (const UninstallRecord& record : records) {
    if (!seen.emplace(record.kind, FoldCase(record.path)).second) continue;
    if (IsAllowed(record, policy)) {
      ListOf(record.kind, plan).push_back(record.path);
    } else {
      plan.refused.push_back(record.path);
    }
  }
  std::stable_sort(plan.folders.begin(), plan.folders.end(),
                   [](const std::string& a, const std::string& b) { return PathDepth(a) > PathDepth(b); });
  return plan;
}
