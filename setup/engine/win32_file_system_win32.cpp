#include <windows.h>

#include "base/code_page.h"
#include "setup/engine/win32_setup_adapters.h"
#include "winfx/handles.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

// The path of an open file or folder as the file system resolved it; empty
// when it cannot be told.
std::wstring FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
  }
  path.resize(length < path.size() ? length : 0);
  while (!path.empty() && path.back() == L'\\') path.pop_back();  // a drive root's
  return path;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring::size_type LastSeparator(const std::wstring& path) { return path.find_last_of(L'\\'); }

// The name under which the folder lists the item, whatever form the path
// gives it (a short name, another letter case).
std::wstring ListedName(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return found.cFileName;
}

// A file, folder or link opened as itself: a reparse point is opened, never
// followed. Everything done to it goes through this handle, so that what was
// checked is what is changed.
class COpenItem {
 public:
  COpenItem(const std::wstring& path, DWORD access)
      : m_path(path),
        m_handle(CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (m_handle.IsValid() &&
        GetFileInformationByHandleEx(m_handle.Get(), FileAttributeTagInfo, &info, sizeof info)) {
      m_attributes = info.FileAttributes;
    }
  }

  bool IsOpen() const { return m_handle.IsValid() && m_attributes != INVALID_FILE_ATTRIBUTES; }
  bool IsLink() const { return (m_attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  bool IsFolder() const { return (m_attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

  // Whether the item opened is the entry of its folder that the path names.
  // A link that the system follows without reporting it as one (Wine's view
  // of the host's symbolic links) opens what it points to, which lies
  // elsewhere or under another name.
  bool StandsAtItsPath() const {
    const std::wstring itemPath = FinalPath(m_handle.Get());
    const auto separator = LastSeparator(m_path);
    const auto itemSeparator = LastSeparator(itemPath);
    if (separator == std::wstring::npos || itemSeparator == std::wstring::npos) return false;
    std::wstring parent = m_path.substr(0, separator);
    if (parent.size() == 2 && parent[1] == L':') parent += L'\\';
    winfx::CHandle folder(CreateFileW(parent.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.IsValid() || !SameText(itemPath.substr(0, itemSeparator), FinalPath(folder.Get())))
      return false;
    const std::wstring name = itemPath.substr(itemSeparator + 1);
    return SameText(name, m_path.substr(separator + 1)) || SameText(name, ListedName(m_path));
  }

  // Read-only items refuse to be deleted.
  bool ClearReadOnly() {
    if ((m_attributes & FILE_ATTRIBUTE_READONLY) == 0) return true;
    FILE_BASIC_INFO basic{};  // zero times stay as they are
    basic.FileAttributes = m_attributes & ~FILE_ATTRIBUTE_READONLY;
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(m_handle.Get(), FileBasicInfo, &basic, sizeof basic) != 0;
  }

  // The item goes when the handle closes; a link goes as itself.
  bool Delete() {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(m_handle.Get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
  }

 private:
  std::wstring m_path;
  winfx::CHandle m_handle;
  DWORD m_attributes = INVALID_FILE_ATTRIBUTES;
};

enum class Expected { kFile, kFolder, kLink };

// Removes the item at `path` when it is what the caller expects and stands
// where the path says.
bool RemoveItem(const std::wstring& path, Expected expected) {
  COpenItem item(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
  if (!item.IsOpen() || item.IsLink() != (expected == Expected::kLink)) return false;
  if (expected != Expected::kLink && item.IsFolder() != (expected == Expected::kFolder)) return false;
  return item.StandsAtItsPath() && item.ClearReadOnly() && item.Delete();
}

}  // namespace

std::wstring CWin32FileSystem::Wide(const std::string& path) const { return DecodeToWide(path, m_codePage); }

std::unique_ptr<OutputFile> CWin32FileSystem::Create(const std::string& path, DWORD disposition) {
  HANDLE handle =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<CWin32OutputFile>(handle);
}

std::unique_ptr<OutputFile> CWin32FileSystem::CreateAlways(const std::string& path) {
  return Create(path, CREATE_ALWAYS);
}

std::unique_ptr<OutputFile> CWin32FileSystem::CreateNew(const std::string& path) {
  return Create(path, CREATE_NEW);
}

bool CWin32FileSystem::SetNormalAttributes(const std::string& path) {
  return SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool CWin32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

PathKind CWin32FileSystem::Kind(const std::string& path) {
  const std::wstring wide = Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());  // of a link itself
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::kLink;
  const COpenItem item(wide, FILE_READ_ATTRIBUTES);
  if (item.IsOpen() && (item.IsLink() || !item.StandsAtItsPath())) return PathKind::kLink;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

bool CWin32FileSystem::RemoveFile(const std::string& path) { return RemoveItem(Wide(path), Expected::kFile); }

bool CWin32FileSystem::RemoveEmptyFolder(const std::string& path) {
  return RemoveItem(Wide(path), Expected::kFolder);
}

bool CWin32FileSystem::RemoveLink(const std::string& path) { return RemoveItem(Wide(path), Expected::kLink); }

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
