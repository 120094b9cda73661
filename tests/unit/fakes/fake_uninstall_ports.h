#pragma once

// Fakes of the uninstaller's ports: files, folders, links and registry keys
// in memory under Windows paths, letter case ignored as Windows does; a
// prompt that answers as the test says. A path through a link leads where
// the link points, as the file system would take it.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/uninstall/uninstall_ports.h"

class MemoryRegistry;

class CFakeUninstallFiles : public UninstallFileSystem {
 public:
  PathKind Kind(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool RemoveLink(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  bool RemoveAtRestart(const std::string& path) override;

  // Adds the file (or folder) and every folder above it.
  void AddFile(const std::string& path);
  void AddFolder(const std::string& path);
  // A link at `path` (its folder added) to `target`.
  void AddLink(const std::string& path, const std::string& target);
  // Every file, folder and link, "F path", "D path" or "L path", in path order.
  std::set<std::string> Dump() const;

  std::set<std::string> locked;  // paths, as written, whose removal fails
  bool restartRefused = false;
  std::vector<std::string> atRestart;

 private:
  // The folded path with every link above its last component followed.
  std::string Resolved(const std::string& path) const;

  std::map<std::string, std::string> m_files;    // folded path -> path
  std::map<std::string, std::string> m_folders;  // folded path -> path
  std::map<std::string, std::string> m_links;    // folded path -> folded target
};

class CFakeUninstallRegistry : public UninstallRegistry {
 public:
  bool KeyExists(const std::string& path) override;
  bool KeyHasSubkeys(const std::string& path) override;
  bool ValueExists(const std::string& keyPath, const std::string& name) override;
  bool DeleteKey(const std::string& path, bool withSubkeys) override;
  bool DeleteValue(const std::string& keyPath, const std::string& name) override;

  void AddKey(const std::string& path);  // with the keys above it
  void AddValue(const std::string& keyPath, const std::string& name);
  // Takes every key and value of HKEY_LOCAL_MACHINE from the installer's
  // registry, so that the uninstaller meets what the installer wrote.
  void CopyFrom(const MemoryRegistry& registry);
  // "key" and "key [value]" lines, letter case folded.
  std::set<std::string> Dump() const;

 private:
  std::map<std::string, std::set<std::string>> m_keys;  // folded key -> folded value names
};

class CScriptedPrompt : public UninstallPrompt {
 public:
  bool AskRetry(const std::string& path) override {
    asked.push_back(path);
    return answer ? answer(path) : false;
  }

  std::function<bool(const std::string&)> answer;
  std::vector<std::string> asked;
};
