#include "tests/fuzz/memory_file_system.h"

#include <algorithm>

#include "tools/uninstall/uninstall_paths.h"

namespace {

bool HasChildIn(const std::map<std::string, std::string>& entries, const std::string& folder) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const auto& entry) { return ParentPath(entry.first) == folder; });
}

}  // namespace

std::string CMemoryFileSystem::Resolved(const std::string& path) const {
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

PathKind CMemoryFileSystem::Kind(const std::string& path) {
  const std::string resolved = Resolved(path);
  if (m_links.contains(resolved)) return PathKind::kLink;
  if (m_files.contains(resolved)) return PathKind::kFile;
  return m_folders.contains(resolved) ? PathKind::kFolder : PathKind::kMissing;
}

bool CMemoryFileSystem::RemoveFile(const std::string& path) { return m_files.erase(Resolved(path)) == 1; }

bool CMemoryFileSystem::RemoveEmptyFolder(const std::string& path) {
  const std::string resolved = Resolved(path);
  if (HasChildIn(m_files, resolved) || HasChildIn(m_folders, resolved) || HasChildIn(m_links, resolved)) {
    return false;
  }
  return m_folders.erase(resolved) == 1;
}

bool CMemoryFileSystem::RemoveLink(const std::string& path) { return m_links.erase(Resolved(path)) == 1; }

// A listing follows links, as the file system's does.
std::vector<std::string> CMemoryFileSystem::ListFolder(const std::string& folder) {
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

bool CMemoryFileSystem::RemoveAtRestart(const std::string& path) {
  atRestart.push_back(path);
  return true;
}

void CMemoryFileSystem::AddFile(const std::string& path) {
  m_files[FoldCase(path)] = path;
  AddFolder(std::string(ParentPath(path)));
}

void CMemoryFileSystem::AddFolder(const std::string& path) {
  for (std::string folder = path; !folder.empty(); folder = std::string(ParentPath(folder))) {
    m_folders.try_emplace(FoldCase(folder), folder);
  }
}

void CMemoryFileSystem::AddLink(const std::string& path, const std::string& target) {
  m_links[FoldCase(path)] = FoldCase(target);
  AddFolder(std::string(ParentPath(path)));
}

std::set<std::string> CMemoryFileSystem::Dump() const {
  std::set<std::string> lines;
  for (const auto& [folded, path] : m_files) lines.insert("F " + folded);
  for (const auto& [folded, path] : m_folders) lines.insert("D " + folded);
  for (const auto& [folded, target] : m_links) lines.insert("L " + folded);
  return lines;
}
