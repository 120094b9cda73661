#include "tools/uninstall/removal_policy.h"

#include <algorithm>
#include <utility>

#include "tools/uninstall/uninstall_paths.h"

namespace {

constexpr int kLocalMachineRoot = 2;

// A place the policy relies on, without its final backslash; empty when it
// is no plain absolute folder (a drive root included).
std::string UsablePlace(const std::string& folder) {
  std::string place(WithoutFinalBackslash(folder));
  return IsPlainAbsolutePath(place) ? place : std::string();
}

}  // namespace

CRemovalPolicy::CRemovalPolicy(const ProductPlaces& places, std::string productName)
    : m_installFolder(UsablePlace(places.installFolder)),
      m_systemFolder(UsablePlace(places.systemFolder)),
      m_productName(std::move(productName)) {
  for (const std::string& folder : places.programsFolders) {
    std::string place = UsablePlace(folder);
    if (!place.empty()) m_programsFolders.push_back(place);
  }
}

bool CRemovalPolicy::MayRemoveFile(const std::string& path) const {
  if (!IsPlainAbsolutePath(path)) return false;
  if (IsInInstallFolder(path) || IsSystemLibrary(path)) return true;
  return IsGroupFolder(ParentPath(path)) && FoldCase(path).ends_with(".lnk");
}

bool CRemovalPolicy::MayRemoveFolder(const std::string& path) const {
  if (!IsPlainAbsolutePath(path)) return false;
  bool isInstallFolder = !m_installFolder.empty() && SamePath(path, m_installFolder);
  return isInstallFolder || IsInInstallFolder(path) || IsGroupFolder(path) || IsAboveInstallFolder(path);
}

bool CRemovalPolicy::MayRemoveRegistryItem(int root, const std::string& path) const {
  if (root != kLocalMachineRoot) return false;
  std::vector<std::string_view> parts = SplitPath(path);
  if (std::any_of(parts.begin(), parts.end(), [](std::string_view component) { return component.empty(); }))
    return false;
  if (IsCadApplicationsKey(parts)) return true;
  return std::any_of(parts.begin() + 1, parts.end(),
                     [this](std::string_view component) { return SamePath(component, m_productName); });
}

bool CRemovalPolicy::OwnsKeyTree(const std::string& path) const {
  return SamePath(LastComponent(path), m_productName);
}

std::string CRemovalPolicy::PlaceOf(const std::string& path) const {
  if (!m_installFolder.empty() && (SamePath(path, m_installFolder) || IsInInstallFolder(path))) {
    return m_installFolder;
  }
  if (IsSystemLibrary(path)) return m_systemFolder;
  for (const std::string& programs : m_programsFolders) {
    if (IsStrictlyInside(path, programs)) return programs;
  }
  return {};
}

bool CRemovalPolicy::IsAboveInstallFolder(const std::string& path) const {
  return !m_installFolder.empty() && IsPlainAbsolutePath(path) && IsStrictlyInside(m_installFolder, path);
}

bool CRemovalPolicy::IsCadApplicationsKey(const std::vector<std::string_view>& parts) {
  constexpr std::string_view kCadKey[] = {"software", "autodesk", "autocad"};
  if (parts.size() != 6 || FoldCase(parts[5]) != "applications") return false;
  return std::equal(std::begin(kCadKey), std::end(kCadKey), parts.begin(),
                    [](std::string_view want, std::string_view part) { return FoldCase(part) == want; });
}

bool CRemovalPolicy::IsInInstallFolder(const std::string& path) const {
  return !m_installFolder.empty() && IsStrictlyInside(path, m_installFolder);
}

bool CRemovalPolicy::IsSystemLibrary(const std::string& path) const {
  return !m_systemFolder.empty() && SamePath(ParentPath(path), m_systemFolder) &&
         FoldCase(LastComponent(path)).starts_with("zm");
}

bool CRemovalPolicy::IsGroupFolder(std::string_view path) const {
  return std::any_of(m_programsFolders.begin(), m_programsFolders.end(), [&](const std::string& programs) {
    return SamePath(path, programs + "\\" + m_productName);
  });
}
