#include "tests/unit/fakes/fake_uninstall_ports.h"

#include <algorithm>

#include "setup/engine/registry_api.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tools/uninstall/uninstall_paths.h"

namespace {

bool HasChildIn(const std::map<std::string, std::string>& entries, const std::string& folder) {
  for (const auto& [folded, path] : entries) {
    if (ParentPath(folded) == folder) return true;
  }
  return false;
}

}  // namespace

std::string CFakeUninstallFiles::Resolved(const std::string& path) const {
  std::string folded = FoldCase(path);
  // Each step replaces one link; a loop of links ends after as many steps.
  for (size_t step = 0; step <= m_links.size(); ++step) {
    auto link = std::find_if(m_links.begin(), m_links.end(),
                             [&](const auto& entry) { return IsStrictlyInside(folded, entry.first); });
    if (link == m_links.end()) break;
    folded = link->second + folded.substr(link->first.size());
  }
  return folded;
}

PathKind CFakeUninstallFiles::Kind(const std::string& path) {
  std::string resolved = Resolved(path);
  if (m_links.contains(resolved)) return PathKind::kLink;
  if (m_files.contains(resolved)) return PathKind::kFile;
  return m_folders.contains(resolved) ? PathKind::kFolder : PathKind::kMissing;
}

bool CFakeUninstallFiles::RemoveFile(const std::string& path) {
  if (locked.contains(path)) return false;
  return m_files.erase(Resolved(path)) == 1;
}

bool CFakeUninstallFiles::RemoveEmptyFolder(const std::string& path) {
  std::string resolved = Resolved(path);
  if (HasChildIn(m_files, resolved) || HasChildIn(m_folders, resolved) || HasChildIn(m_links, resolved)) {
    return false;
  }
  return m_folders.erase(resolved) == 1;
}

bool CFakeUninstallFiles::RemoveLink(const std::string& path) { return m_links.erase(Resolved(path)) == 1; }

// A listing follows links, as the file system's does.
std::vector<std::string> CFakeUninstallFiles::ListFolder(const std::string& folder) {
  std::string resolved = Resolved(folder);
  for (size_t step = 0; step <= m_links.size() && m_links.contains(resolved); ++step) {
    resolved = Resolved(m_links.at(resolved));
  }
  std::vector<std::string> names;
  for (const auto* entries : {&m_folders, &m_files}) {
    for (const auto& [folded, path] : *entries) {
      if (ParentPath(folded) == resolved) names.emplace_back(LastComponent(path));
    }
  }
  for (const auto& [folded, target] : m_links) {
    if (ParentPath(folded) == resolved) names.emplace_back(LastComponent(folded));
  }
  return names;
}

bool CFakeUninstallFiles::RemoveAtRestart(const std::string& path) {
  if (restartRefused) return false;
  atRestart.push_back(path);
  return true;
}

void CFakeUninstallFiles::AddFile(const std::string& path) {
  m_files[FoldCase(path)] = path;
  AddFolder(std::string(ParentPath(path)));
}

void CFakeUninstallFiles::AddFolder(const std::string& path) {
  for (std::string folder = path; !folder.empty(); folder = std::string(ParentPath(folder))) {
    m_folders.try_emplace(FoldCase(folder), folder);
  }
}

void CFakeUninstallFiles::AddLink(const std::string& path, const std::string& target) {
  m_links[FoldCase(path)] = FoldCase(target);
  AddFolder(std::string(ParentPath(path)));
}

std::set<std::string> CFakeUninstallFiles::Dump() const {
  std::set<std::string> lines;
  for (const auto& [folded, path] : m_files) lines.insert("F " + folded);
  for (const auto& [folded, path] : m_folders) lines.insert("D " + folded);
  for (const auto& [folded, target] : m_links) lines.insert("L " + folded);
  return lines;
}

bool CFakeUninstallRegistry::KeyExists(const std::string& path) { return m_keys.contains(FoldCase(path)); }

bool CFakeUninstallRegistry::KeyHasSubkeys(const std::string& path) {
  for (const auto& [key, values] : m_keys) {
    if (IsStrictlyInside(key, path)) return true;
  }
  return false;
}

bool CFakeUninstallRegistry::ValueExists(const std::string& keyPath, const std::string& name) {
  auto key = m_keys.find(FoldCase(keyPath));
  return key != m_keys.end() && key->second.contains(FoldCase(name));
}

bool CFakeUninstallRegistry::DeleteKey(const std::string& path, bool withSubkeys) {
  if (!KeyExists(path) || (!withSubkeys && KeyHasSubkeys(path))) return false;
  std::erase_if(m_keys, [&](const auto& key) {
    return key.first == FoldCase(path) || IsStrictlyInside(key.first, path);
  });
  return true;
}

bool CFakeUninstallRegistry::DeleteValue(const std::string& keyPath, const std::string& name) {
  auto key = m_keys.find(FoldCase(keyPath));
  return key != m_keys.end() && key->second.erase(FoldCase(name)) == 1;
}

void CFakeUninstallRegistry::AddKey(const std::string& path) {
  for (std::string key = path; !key.empty(); key = std::string(ParentPath(key))) m_keys[FoldCase(key)];
}

void CFakeUninstallRegistry::AddValue(const std::string& keyPath, const std::string& name) {
  AddKey(keyPath);
  m_keys[FoldCase(keyPath)].insert(FoldCase(name));
}

// The registry's dump lines read "path" for a key and "path [name] type:data"
// for a value.
void CFakeUninstallRegistry::CopyFrom(const MemoryRegistry& registry) {
  for (const std::string& line : registry.Dump(kHkeyLocalMachine)) {
    size_t open = line.find(" [");
    if (open == std::string::npos) {
      AddKey(line);
    } else {
      AddValue(line.substr(0, open), line.substr(open + 2, line.find("] ", open) - open - 2));
    }
  }
}

std::set<std::string> CFakeUninstallRegistry::Dump() const {
  std::set<std::string> lines;
  for (const auto& [key, values] : m_keys) {
    lines.insert(key);
    for (const std::string& value : values) lines.insert(key + " [" + value + "]");
  }
  return lines;
}
