#include "tools/uninstall/uninstaller.h"

#include <algorithm>
#include <utility>

#include "tools/uninstall/uninstall_paths.h"

namespace {

// A key under HKEY_LOCAL_MACHINE, open while the object lives.
class COpenMachineKey {
 public:
  COpenMachineKey(RegistryApi& registry, const std::string& path) : m_registry(registry) {
    m_result = registry.OpenKey(kHkeyLocalMachine, path, &m_key);
  }
  ~COpenMachineKey() {
    if (IsOpen()) m_registry.CloseKey(m_key);
  }
  COpenMachineKey(const COpenMachineKey&) = delete;
  COpenMachineKey& operator=(const COpenMachineKey&) = delete;

  bool IsOpen() const { return m_result == kRegistrySuccess; }
  // A key that exists but may not be opened still counts: its removal is
  // tried and reported.
  bool Exists() const { return m_result != kRegistryNotFound; }
  RegistryHandle Get() const { return m_key; }

 private:
  RegistryApi& m_registry;
  RegistryHandle m_key = 0;
  long m_result;
};

// A failed enumeration counts as subkeys, so that the key is kept.
bool KeyHasSubkeys(RegistryApi& registry, const std::string& path) {
  COpenMachineKey key(registry, path);
  std::string name;
  return key.IsOpen() && registry.EnumKey(key.Get(), 0, &name) != kRegistryNoMoreItems;
}

bool ValueExists(RegistryApi& registry, const std::string& keyPath, const std::string& name) {
  COpenMachineKey key(registry, keyPath);
  std::uint32_t type = kRegNone;
  return key.IsOpen() && registry.QueryValue(key.Get(), name, &type, nullptr, 0) == kRegistrySuccess;
}

bool DeleteValue(RegistryApi& registry, const std::string& keyPath, const std::string& name) {
  COpenMachineKey key(registry, keyPath);
  return key.IsOpen() && registry.DeleteValue(key.Get(), name) == kRegistrySuccess;
}

}  // namespace

CUninstaller::CUninstaller(const UninstallServices& services, const CRemovalPolicy& policy,
                           std::string ownProgram)
    : m_services(services), m_policy(policy), m_ownProgram(std::move(ownProgram)) {}

UninstallReport CUninstaller::Run(const UninstallPlan& plan) {
  m_report = UninstallReport{};
  m_scheduled.clear();
  m_report.refused = plan.refused;
  BeginStage(kMsgRemovingFiles, plan.files.size() + plan.folders.size());
  for (const std::string& path : plan.files) {
    RemoveFile(path);
    ItemDone(path);
  }
  for (const std::string& path : plan.folders) {
    RemoveFolder(path);
    ItemDone(path);
  }
  BeginStage(kMsgRemovingKeys, plan.registryItems.size());
  for (const std::string& path : plan.registryItems) {
    RemoveRegistryItem(path);
    ItemDone(path);
  }
  return std::move(m_report);
}

void CUninstaller::RemoveFile(const std::string& path) {
  if (SamePath(path, m_ownProgram)) return RemoveOwnProgram(path);
  if (ReachesThroughLink(path)) return m_report.refused.push_back(path);
  PathKind kind = m_services.files.Kind(path);
  if (kind == PathKind::kMissing) {
    ++m_report.missing;
    return;
  }
  if (kind == PathKind::kLink) return Count(m_services.files.RemoveLink(path), path);
  bool removed = kind == PathKind::kFile && m_services.files.RemoveFile(path);
  // A file held open by a running program goes once the user closes it.
  while (!removed && kind == PathKind::kFile && m_services.prompt.AskRetry(path)) {
    removed = m_services.files.RemoveFile(path);
  }
  Count(removed, path);
}

void CUninstaller::RemoveOwnProgram(const std::string& path) { RemoveAtRestart(path); }

void CUninstaller::RemoveFolder(const std::string& path) {
  if (ReachesThroughLink(path)) return m_report.refused.push_back(path);
  PathKind kind = m_services.files.Kind(path);
  if (kind == PathKind::kMissing) {
    ++m_report.missing;
    return;
  }
  if (kind == PathKind::kLink) return Count(m_services.files.RemoveLink(path), path);
  if (kind == PathKind::kFile) return Count(false, path);
  std::vector<std::string> contents = m_services.files.ListFolder(path);
  if (contents.empty()) return Count(m_services.files.RemoveEmptyFolder(path), path);
  // The install folder that holds only the running program, and the folders
  // made above it, go after the program.
  if (HoldsOnlyScheduled(path, contents)) {
    RemoveAtRestart(path);
    return;
  }
  // A folder the installer made above the install folder that now holds
  // something else is simply not ours any more.
  if (m_policy.IsAboveInstallFolder(path)) return;
  m_report.keptFolders.push_back(KeptFolder{path, std::move(contents)});
}

// The log names the item below its trusted place, and any folder on the way
// may have become a link to somewhere else since: what lies behind a link
// is never touched.
bool CUninstaller::ReachesThroughLink(const std::string& path) {
  // A folder made above the install folder has nothing of the log's between
  // it and the drive: it goes only when empty, a link as itself.
  if (m_policy.IsAboveInstallFolder(path)) return false;
  const std::string place = m_policy.PlaceOf(path);
  if (place.empty()) return true;
  for (std::string_view folder = ParentPath(path); IsStrictlyInside(folder, place);
       folder = ParentPath(folder)) {
    if (m_services.files.Kind(std::string(folder)) == PathKind::kLink) return true;
  }
  return false;
}

bool CUninstaller::HoldsOnlyScheduled(const std::string& folder,
                                      const std::vector<std::string>& contents) const {
  return std::all_of(contents.begin(), contents.end(), [&](const std::string& name) {
    return std::any_of(m_scheduled.begin(), m_scheduled.end(),
                       [&](const std::string& path) { return SamePath(path, folder + "\\" + name); });
  });
}

bool CUninstaller::RemoveAtRestart(const std::string& path) {
  bool scheduled = m_services.files.RemoveAtRestart(path);
  (scheduled ? m_report.atRestart : m_report.failed).push_back(path);
  if (scheduled) m_scheduled.push_back(path);
  return scheduled;
}

void CUninstaller::RemoveRegistryItem(const std::string& path) {
  if (COpenMachineKey(m_services.registry, path).Exists()) return RemoveKey(path);
  std::string key(ParentPath(path));
  std::string name(LastComponent(path));
  if (key.empty() || !ValueExists(m_services.registry, key, name)) {
    ++m_report.missing;
    return;
  }
  Count(DeleteValue(m_services.registry, key, name), path);
}

void CUninstaller::RemoveKey(const std::string& path) {
  bool withSubkeys = m_policy.OwnsKeyTree(path);
  if (!withSubkeys && KeyHasSubkeys(m_services.registry, path)) {
    m_report.keptKeys.push_back(path);
    return;
  }
  RegistryApi& registry = m_services.registry;
  long result = withSubkeys ? registry.DeleteTree(kHkeyLocalMachine, path)
                            : registry.DeleteKey(kHkeyLocalMachine, path);
  Count(result == kRegistrySuccess, path);
}

void CUninstaller::BeginStage(int messageRow, std::size_t total) const {
  if (m_services.progress) m_services.progress->BeginStage(messageRow, static_cast<int>(total));
}

void CUninstaller::ItemDone(const std::string& item) const {
  if (m_services.progress) m_services.progress->ItemDone(item);
}

void CUninstaller::Count(bool removed, const std::string& path) {
  if (removed) {
    ++m_report.removed;
  } else {
    m_report.failed.push_back(path);
  }
}
