#include <windows.h>

#include "base/code_page.h"
#include "tools/uninstall/win32_uninstall_adapters.h"

std::wstring WideFromUtf8(const std::string& text) { return DecodeToWide(text, kCodePageUtf8); }

std::string Utf8FromWide(const std::wstring& text) { return EncodeFromWide(text, kCodePageUtf8); }

PathKind CWin32UninstallFiles::Kind(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

bool CWin32UninstallFiles::RemoveFile(const std::string& path) {
  std::wstring wide = WideFromUtf8(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(wide.c_str()) != 0;
}

bool CWin32UninstallFiles::RemoveEmptyFolder(const std::string& path) {
  std::wstring wide = WideFromUtf8(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  return RemoveDirectoryW(wide.c_str()) != 0;
}

std::vector<std::string> CWin32UninstallFiles::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((WideFromUtf8(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool CWin32UninstallFiles::RemoveAtRestart(const std::string& path) {
  return MoveFileExW(WideFromUtf8(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
