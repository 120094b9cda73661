#pragma once

// The uninstaller's ports over the real Win32 API (wide-character calls;
// paths arrive as UTF-8).

#include <string>

#include "tools/uninstall/removal_policy.h"
#include "tools/uninstall/uninstall_ports.h"

// Every removal opens the item as itself (a reparse point is not followed),
// checks that it is the kind expected and stands where its path says, and
// deletes it through that handle.
class CWin32UninstallFiles : public UninstallFileSystem {
 public:
  PathKind Kind(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool RemoveLink(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  bool RemoveAtRestart(const std::string& path) override;
};

class CWin32UninstallRegistry : public UninstallRegistry {
 public:
  bool KeyExists(const std::string& path) override;
  bool KeyHasSubkeys(const std::string& path) override;
  bool ValueExists(const std::string& keyPath, const std::string& name) override;
  bool DeleteKey(const std::string& path, bool withSubkeys) override;
  bool DeleteValue(const std::string& keyPath, const std::string& name) override;
};

// The running program's path, and the places the removal policy trusts.
std::string OwnProgramPath();
ProductPlaces FindProductPlaces(const std::string& ownProgram);

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
