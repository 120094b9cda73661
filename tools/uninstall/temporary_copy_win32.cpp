#include "tools/uninstall/temporary_copy.h"

#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "setup/engine/win32_folder_security.h"

namespace {

constexpr DWORD kOriginalEndTimeoutMs = 30000;

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return _wcsnicmp(text.c_str(), prefix, wcslen(prefix)) == 0;
}

HANDLE HandleFrom(const std::wstring& digits) {
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(wcstoull(digits.c_str(), nullptr, 10)));
}

std::wstring HandleText(HANDLE handle) { return std::to_wstring(reinterpret_cast<std::uintptr_t>(handle)); }

// The copy runs elevated: it goes into a new folder of its own that only
// administrators and the system can write, so that no one can place a file
// beside it. Empty when no such folder can be made.
std::wstring TemporaryCopyFolder() { return CreatePrivateTempFolder(L"ZMun"); }

// The handles the copy inherits, closed here when the original is done
// with them.
struct CopyHandles {
  HANDLE deleteOnClose = INVALID_HANDLE_VALUE;
  HANDLE resultRead = nullptr;
  HANDLE resultWrite = nullptr;
  HANDLE self = nullptr;

  ~CopyHandles() {
    for (HANDLE handle : {deleteOnClose, resultRead, resultWrite, self}) {
      if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  }
  void Close(HANDLE& handle) {
    CloseHandle(handle);
    handle = nullptr;
  }
};

bool PrepareHandles(const std::wstring& copy, CopyHandles& handles) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  handles.deleteOnClose =
      CreateFileW(copy.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                  OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handles.deleteOnClose == INVALID_HANDLE_VALUE) return false;
  if (!CreatePipe(&handles.resultRead, &handles.resultWrite, &inherit, 0)) return false;
  SetHandleInformation(handles.resultRead, HANDLE_FLAG_INHERIT, 0);
  return DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &handles.self,
                         SYNCHRONIZE, TRUE, 0) != 0;
}

}  // namespace

UninstallSwitches ParseUninstallSwitches(const std::vector<std::wstring>& arguments) {
  UninstallSwitches switches;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (_wcsicmp(argument.c_str(), L"/S") == 0) {
      switches.silent = true;
    } else if (StartsWith(argument, L"/WAIT=")) {
      switches.original = HandleFrom(argument.substr(6));
    } else if (StartsWith(argument, L"/RESULT=")) {
      switches.result = HandleFrom(argument.substr(8));
    } else if (StartsWith(argument, L"/SELF=")) {
      switches.self = HandleFrom(argument.substr(6));
    } else if (StartsWith(argument, L"/ORIGIN=")) {
      switches.origin = argument.substr(8);
    }
  }
  return switches;
}

std::optional<int> RunFromTemporaryCopy(const std::wstring& ownProgram, bool silent) {
  const std::wstring folder = TemporaryCopyFolder();
  if (folder.empty()) return std::nullopt;
  const std::wstring copy = folder + L"ZMun" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  CopyHandles handles;
  if (!CopyFileW(ownProgram.c_str(), copy.c_str(), TRUE) || !PrepareHandles(copy, handles)) {
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    return std::nullopt;
  }
  std::wstring command = L"\"" + copy + L"\"" + (silent ? L" /S" : L"") + L" /WAIT=" +
                         HandleText(handles.self) + L" /RESULT=" + HandleText(handles.resultWrite) +
                         L" /SELF=" + HandleText(handles.deleteOnClose) + L" /ORIGIN=\"" + ownProgram + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // The copy works in the temporary folder: a working folder in the install
  // folder, or in its own, would keep that folder from being removed.
  const std::wstring temp = folder.substr(0, folder.find_last_of(L'\\', folder.size() - 2) + 1);
  if (!CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, temp.c_str(),
                      &startup, &process)) {
    return std::nullopt;  // closing the handles deletes the copy
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  handles.Close(handles.resultWrite);
  handles.Close(handles.deleteOnClose);
  DWORD exitCode = 1;
  DWORD read = 0;
  // A copy that ended without a word leaves the pipe broken: a failure.
  if (!ReadFile(handles.resultRead, &exitCode, sizeof exitCode, &read, nullptr) || read != sizeof exitCode) {
    return 1;
  }
  return static_cast<int>(exitCode);
}

void HandOverToOriginal(UninstallSwitches& switches, int exitCode) {
  if (switches.result) {
    DWORD code = static_cast<DWORD>(exitCode);
    DWORD written = 0;
    WriteFile(switches.result, &code, sizeof code, &written, nullptr);
    CloseHandle(switches.result);
    switches.result = nullptr;
  }
  if (switches.original) {
    WaitForSingleObject(switches.original, kOriginalEndTimeoutMs);
    CloseHandle(switches.original);
    switches.original = nullptr;
  }
}

void LeaveOwnFolder(const UninstallSwitches& switches) {
  wchar_t own[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  if (!switches.self || length == 0 || length >= MAX_PATH) return;
  const std::wstring program(own, length);
  const std::wstring folder = program.substr(0, program.rfind(L'\\'));
  const std::wstring temp = folder.substr(0, folder.rfind(L'\\') + 1);
  // A new name: nothing placed there is ever replaced.
  const std::wstring parked = temp + L"ZMun" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount()) + L".tmp";
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + parked.size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = FALSE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(parked.size() * sizeof(wchar_t));
  parked.copy(rename->FileName, parked.size());
  if (SetFileInformationByHandle(switches.self, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
    RemoveDirectoryW(folder.c_str());
  }
}

bool CAfterOriginalFiles::RemoveAtRestart(const std::string& path) {
  if (!m_defer) return m_files.RemoveAtRestart(path);
  m_pending.push_back(path);
  return true;
}

void CAfterOriginalFiles::RemovePending(UninstallReport& report) {
  for (const std::string& path : m_pending) {
    PathKind kind = m_files.Kind(path);
    bool removed = kind == PathKind::kMissing ||
                   (kind == PathKind::kFile ? m_files.RemoveFile(path) : m_files.RemoveEmptyFolder(path));
    if (removed) {
      std::erase(report.atRestart, path);
      ++report.removed;
    } else if (!m_files.RemoveAtRestart(path)) {
      std::erase(report.atRestart, path);
      report.failed.push_back(path);
    }
  }
  m_pending.clear();
}
