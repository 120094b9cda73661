#pragma once

// The uninstaller's part of the file-system port in memory, for a machine
// that a fuzz target builds once and copies for every input: files, folders
// and links under Windows paths, letter case ignored as Windows does. A path
// through a link leads where the link points, as the file system would take
// it; the link itself is reported as one and removed only as itself.
// Creation (the installer's part) is not modelled and fails.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "setup/engine/setup_file_system.h"

class CMemoryFileSystem : public SetupFileSystem {
 public:
  std::unique_ptr<OutputFile> CreateAlways(const std::string&) override { return nullptr; }
  std::unique_ptr<OutputFile> CreateNew(const std::string&) override { return nullptr; }
  bool SetNormalAttributes(const std::string&) override { return false; }
  bool CreateFolder(const std::string&) override { return false; }

  PathKind Kind(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool RemoveLink(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  // Only recorded.
  bool RemoveAtRestart(const std::string& path) override;

  // Adds the file (or folder) and every folder above it.
  void AddFile(const std::string& path);
  void AddFolder(const std::string& path);
  // A link at `path` (its folder added) to `target`.
  void AddLink(const std::string& path, const std::string& target);
  // Every file, folder and link, "F path", "D path" or "L path", in path
  // order, paths folded.
  std::set<std::string> Dump() const;

  std::vector<std::string> atRestart;

 private:
  // The folded path with every link above its last component followed.
  std::string Resolved(const std::string& path) const;

  std::map<std::string, std::string> m_files;    // folded path -> path
  std::map<std::string, std::string> m_folders;  // folded path -> path
  std::map<std::string, std::string> m_links;    // folded path -> folded target
};
