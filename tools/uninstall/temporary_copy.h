#pragma once

// A running program file cannot be removed. So that uninstall.exe and its
// folder go at once, without a restart, the program started from the
// install folder (the original) copies itself into a new folder of the
// temporary folder, which only administrators and the system can write,
// and runs the copy, which does the work:
//
//   original: uninstall.exe [/S]
//     copy:   ZMun<id>.exe [/S] /WAIT=<handle> /RESULT=<handle> /SELF=<handle>
//             /ORIGIN=<original's path>
//
// The original waits for the copy's result (read from an inherited pipe),
// then ends with it as its own exit code. The copy waits for the original to
// end before it removes the original's file and folder. The copy's file is
// opened for deletion on close and that handle is inherited by the copy,
// so the system deletes it when the copy ends. A running program cannot be
// deleted, but it can be moved: as its last act the copy moves its file
// out of its folder, beside the folder, and removes the folder.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "setup/engine/setup_file_system.h"
#include "tools/uninstall/uninstall_report.h"

struct UninstallSwitches {
  bool silent = false;  // /S: no question, no message
  std::wstring origin;  // set in the copy only
  HANDLE original = nullptr;
  HANDLE result = nullptr;
  HANDLE self = nullptr;  // the copy's own file, deleted on close
};

UninstallSwitches ParseUninstallSwitches(const std::vector<std::wstring>& arguments);

// In the original: starts the copy and returns its result; nothing when the
// copy could not be started (the original then works itself).
std::optional<int> RunFromTemporaryCopy(const std::wstring& ownProgram, bool silent);

// In the copy: hands `exitCode` to the original, then waits until it has
// ended; once only. Does nothing in a program that is no copy.
void HandOverToOriginal(UninstallSwitches& switches, int exitCode);

// In the copy, as its last act: its file moved out of its folder (through
// the handle that deletes it), and the folder removed.
void LeaveOwnFolder(const UninstallSwitches& switches);

// The file system of the copy: what the uninstaller would leave for a
// restart (the original's program file and its folder) is kept until
// RemovePending, after the original has ended.
class CAfterOriginalFiles : public SetupFileSystem {
 public:
  CAfterOriginalFiles(SetupFileSystem& files, bool deferToOriginalEnd)
      : m_files(files), m_defer(deferToOriginalEnd) {}

  std::unique_ptr<OutputFile> CreateAlways(const std::string& path) override {
    return m_files.CreateAlways(path);
  }
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override { return m_files.CreateNew(path); }
  bool SetNormalAttributes(const std::string& path) override { return m_files.SetNormalAttributes(path); }
  bool CreateFolder(const std::string& path) override { return m_files.CreateFolder(path); }
  PathKind Kind(const std::string& path) override { return m_files.Kind(path); }
  bool RemoveFile(const std::string& path) override { return m_files.RemoveFile(path); }
  bool RemoveEmptyFolder(const std::string& path) override { return m_files.RemoveEmptyFolder(path); }
  bool RemoveLink(const std::string& path) override { return m_files.RemoveLink(path); }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    return m_files.ListFolder(folder);
  }
  bool RemoveAtRestart(const std::string& path) override;

  // Removes what was kept, in order; what cannot go now is left for a
  // restart. Updates the report's restart and failure lists.
  void RemovePending(UninstallReport& report);

 private:
  SetupFileSystem& m_files;
  bool m_defer;
  std::vector<std::string> m_pending;
};
