#pragma once

// The setup programs' ports over the real Win32 API (Windows build only).
// Paths are converted from the code page given to UTF-16 and passed to the
// wide-character functions, so that Chinese names are right on any machine.

#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_ports.h"

// Every removal opens the item as itself (a reparse point is not followed),
// checks that it is the kind expected and stands where its path says, and
// deletes it through that handle.
class CWin32FileSystem : public SetupFileSystem {
 public:
  explicit CWin32FileSystem(unsigned codePage) : m_codePage(codePage) {}

  std::unique_ptr<OutputFile> CreateAlways(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override;
  bool SetNormalAttributes(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  PathKind Kind(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool RemoveLink(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  bool RemoveAtRestart(const std::string& path) override;

 private:
  std::wstring Wide(const std::string& path) const;
  std::unique_ptr<OutputFile> Create(const std::string& path, unsigned long disposition);

  unsigned m_codePage;
};

class CWin32SystemFolders : public SystemFolders {
 public:
  explicit CWin32SystemFolders(unsigned codePage) : m_codePage(codePage) {}

  bool MakePrivateTempFolder(std::string* folder) override;
  bool GetSystemFolder(std::string* folder) override;
  bool GetProgramsFolder(std::string* folder) override;

 private:
  unsigned m_codePage;
};

// Resources of one module: the program's own when none is given.
class CWin32Resources : public ResourceSource {
 public:
  explicit CWin32Resources(void* module = nullptr) : m_module(module) {}

  bool LoadFileResource(int id, std::string_view* bytes) override;

 private:
  void* m_module;
};

// Needs COM initialised on the calling thread.
class CWin32ShellLinks : public ShellLinks {
 public:
  explicit CWin32ShellLinks(unsigned codePage) : m_codePage(codePage) {}

  bool CreateShellLink(const std::string& target, const std::string& linkPath) override;

 private:
  unsigned m_codePage;
};

class CWin32Pacer : public Pacer {
 public:
  void Pause(int milliseconds) override;
};
