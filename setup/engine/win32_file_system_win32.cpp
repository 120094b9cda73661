#include <windows.h>

#include "base/code_page.h"
#include "setup/engine/win32_setup_adapters.h"

namespace {

// Owns a file handle open for writing.
class CWin32OutputFile : public OutputFile {
 public:
  explicit CWin32OutputFile(HANDLE handle) : m_handle(handle) {}
  ~CWin32OutputFile() override { CloseHandle(m_handle); }
  CWin32OutputFile(const CWin32OutputFile&) = delete;
  CWin32OutputFile& operator=(const CWin32OutputFile&) = delete;

  bool Write(const void* bytes, std::size_t size) override {
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
      DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(m_handle, next, chunk, &written, nullptr) || written == 0) return false;
      next += written;
      size -= written;
    }
    return true;
  }

 private:
  HANDLE m_handle;
};

}  // namespace

std::wstring CWin32FileSystem::Wide(const std::string& path) const { return DecodeToWide(path, m_codePage); }

std::unique_ptr<OutputFile> CWin32FileSystem::CreateAlways(const std::string& path) {
  HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<CWin32OutputFile>(handle);
}

bool CWin32FileSystem::SetNormalAttributes(const std::string& path) {
  return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool CWin32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

PathKind CWin32FileSystem::Kind(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

bool CWin32FileSystem::RemoveFile(const std::string& path) {
  std::wstring wide = Wide(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(wide.c_str()) != 0;
}

bool CWin32FileSystem::RemoveEmptyFolder(const std::string& path) {
  std::wstring wide = Wide(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  return RemoveDirectoryW(wide.c_str()) != 0;
}

std::vector<std::string> CWin32FileSystem::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(EncodeFromWide(name, m_codePage));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool CWin32FileSystem::RemoveAtRestart(const std::string& path) {
  return MoveFileExW(Wide(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
