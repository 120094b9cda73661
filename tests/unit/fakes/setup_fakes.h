#pragma once

// Fakes of the installer's and the uninstaller's ports for host tests.
// Files are real, in a test folder; the rest is recorded in memory.

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "setup/engine/acad_products.h"
#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_ports.h"
#include "tools/uninstall/uninstaller.h"

// Real files through the standard library, paths in the setup code page.
// With a drive given, that drive's Windows paths (D:\a\b) lie in a host
// folder (as root/a/b), so that the installer and the uninstaller can run on
// the paths they meet on a machine; other paths are the host's. (Take a
// drive that does not hold the host's temporary folder under Wine.) Paths
// marked read-only refuse creation until their attributes are made normal;
// locked paths refuse creation and removal. Removals at restart are only
// recorded. A host symbolic link is a link: Kind tells it as such and only
// RemoveLink removes it, as itself; paths through it lead where it points.
class CSetupTestFiles : public SetupFileSystem {
 public:
  CSetupTestFiles() = default;
  CSetupTestFiles(char drive, std::filesystem::path root) : m_drive(drive), m_root(std::move(root)) {}

  std::unique_ptr<OutputFile> CreateAlways(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override;
  bool SetNormalAttributes(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  PathKind Kind(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool RemoveLink(const std::string& path) override;
  // In name order, letter case ignored, as Windows lists them.
  std::vector<std::string> ListFolder(const std::string& folder) override;
  bool RemoveAtRestart(const std::string& path) override;

  // A file or folder, with every folder above it.
  void AddFile(const std::string& path, std::string_view bytes = "");
  void AddFolder(const std::string& path);
  // A symbolic link at `path` to the file or folder `target` (which exists).
  void AddLink(const std::string& path, const std::string& target);
  // The whole content of a file, empty when it cannot be read.
  std::string Read(const std::string& path) const;
  // Every file, folder and link on the drive: "F D:\a\b.txt", "D D:\a",
  // "L D:\a\c".
  std::set<std::string> Dump() const;

  std::set<std::string> readOnly;
  std::set<std::string> locked;
  std::vector<std::string> created;
  bool restartRefused = false;
  std::vector<std::string> atRestart;

 private:
  std::filesystem::path HostPath(const std::string& path) const;

  char m_drive = 0;
  std::filesystem::path m_root;
};

class CFakeSystemFolders : public SystemFolders {
 public:
  // Creates "ZMsetup1", "ZMsetup2", ... in the temporary folder.
  bool MakePrivateTempFolder(std::string* folder) override;
  bool GetSystemFolder(std::string* folder) override { return Give(systemFolder, folder); }
  bool GetProgramsFolder(std::string* folder) override { return Give(programsFolder, folder); }

  // An empty folder cannot be determined.
  std::string tempFolder;
  std::string systemFolder;
  std::string programsFolder;
  std::vector<std::string> privateFolders;

 private:
  static bool Give(const std::string& value, std::string* out) {
    if (value.empty()) return false;
    *out = value;
    return true;
  }
};

class CFakeResources : public ResourceSource {
 public:
  bool LoadFileResource(int id, std::string_view* bytes) override;

  std::map<int, std::string> resources;
};

// Records the links; with `files` given, also makes each link file there,
// as the shell does.
class CFakeShellLinks : public ShellLinks {
 public:
  bool CreateShellLink(const std::string& target, const std::string& linkPath) override {
    links.emplace_back(target, linkPath);
    if (files) files->CreateAlways(linkPath);
    return true;
  }

  SetupFileSystem* files = nullptr;
  std::vector<std::pair<std::string, std::string>> links;
};

// The product list of the setting page, as items and their checks.
class CRecordingCheckList : public ProductCheckList {
 public:
  int AddItem(const std::string& text) override {
    items.push_back(text);
    checks.push_back(false);
    return static_cast<int>(items.size()) - 1;
  }
  void SetCheck(int index, bool checked) override { checks.at(static_cast<size_t>(index)) = checked; }

  std::vector<std::string> items;
  std::vector<bool> checks;
};

// Every call as one line: "stop", "range 0 5", "position 3", "label TEXT",
// "message TEXT".
class CRecordingProgress : public ProgressView {
 public:
  void StopTimer() override { events.push_back("stop"); }
  void SetProgressRange(int low, int high) override {
    events.push_back("range " + std::to_string(low) + " " + std::to_string(high));
  }
  void SetProgressPosition(int position) override {
    events.push_back("position " + std::to_string(position));
  }
  void SetFileLabel(const std::string& text) override { events.push_back("label " + text); }
  void ShowPlainMessage(const std::string& text) override { events.push_back("message " + text); }

  std::vector<std::string> events;
};

// Puts the setup state back as start-up leaves it (language 950, no install
// folder, log closed) when a test ends.
class CSetupStateGuard {
 public:
  CSetupStateGuard() = default;
  ~CSetupStateGuard();
  CSetupStateGuard(const CSetupStateGuard&) = delete;
  CSetupStateGuard& operator=(const CSetupStateGuard&) = delete;
};

// The whole content of a file, empty when it cannot be read.
std::string ReadTestFile(const std::string& path);
// A folder of `parent` with a final separator, as the setup state keeps
// folders; created when missing.
std::string TestFolder(const std::filesystem::path& parent, const std::string& name);

class CCountingPacer : public Pacer {
 public:
  void Pause(int milliseconds) override { pauses.push_back(milliseconds); }

  std::vector<int> pauses;
};

// Answers the uninstaller's retry question as the test says (no, unless
// `answer` is given).
class CScriptedPrompt : public UninstallPrompt {
 public:
  bool AskRetry(const std::string& path) override {
    asked.push_back(path);
    return answer ? answer(path) : false;
  }

  std::function<bool(const std::string&)> answer;
  std::vector<std::string> asked;
};
