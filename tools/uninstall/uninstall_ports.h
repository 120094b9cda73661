#pragma once

// The platform services of the uninstaller, as small ports: Win32 adapters
// serve the program, fakes serve the host tests. Paths are UTF-8.

#include <string>
#include <vector>

// A link is a junction, a symbolic link or any other reparse point: the
// uninstaller removes it as itself and never acts on what it points to.
enum class PathKind { kMissing, kFile, kFolder, kLink };

class UninstallFileSystem {
 public:
  virtual ~UninstallFileSystem() = default;

  // The kind of the item itself: a link is reported as kLink, not followed.
  virtual PathKind Kind(const std::string& path) = 0;
  // Clears a read-only attribute first; false when the file stays. Fails on
  // a link.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Fails on a folder that is not empty, and on a link.
  virtual bool RemoveEmptyFolder(const std::string& path) = 0;
  // Removes the link itself; what it points to stays as it is.
  virtual bool RemoveLink(const std::string& path) = 0;
  // Names of the files and folders in `folder`.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
  // Has the file or empty folder removed when the machine restarts; the
  // requests are carried out in the order they were made.
  virtual bool RemoveAtRestart(const std::string& path) = 0;
};

// Keys and values under HKEY_LOCAL_MACHINE, by path.
class UninstallRegistry {
 public:
  virtual ~UninstallRegistry() = default;

  virtual bool KeyExists(const std::string& path) = 0;
  virtual bool KeyHasSubkeys(const std::string& path) = 0;
  virtual bool ValueExists(const std::string& keyPath, const std::string& name) = 0;
  // Without `withSubkeys` a key that has subkeys is not removed.
  virtual bool DeleteKey(const std::string& path, bool withSubkeys) = 0;
  virtual bool DeleteValue(const std::string& keyPath, const std::string& name) = 0;
};

class UninstallPrompt {
 public:
  virtual ~UninstallPrompt() = default;

  // A file could not be removed (held open by a running program, say):
  // true when the user wants another try.
  virtual bool AskRetry(const std::string& path) = 0;
};
