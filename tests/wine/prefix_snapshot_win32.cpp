#include "tests/wine/prefix_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

// Wine's own state, which changes whatever a program does: its settings,
// and the display devices it registers when the first window opens.
bool IsWineNoise(const std::wstring& key) {
  for (const wchar_t* part : {L"\\Software\\Wine", L"\\Volatile Environment", L"\\DynData"}) {
    if (key.find(part) != std::wstring::npos) return true;
  }
  for (const wchar_t* prefix :
       {L"HKLM\\Hardware", L"HKLM\\System\\CurrentControlSet\\Control\\Class",
        L"HKLM\\System\\CurrentControlSet\\Control\\DeviceClasses",
        L"HKLM\\System\\CurrentControlSet\\Control\\Video",
        L"HKLM\\System\\CurrentControlSet\\Control\\ServiceCurrent", L"HKLM\\System\\CurrentControlSet\\Enum",
        L"HKLM\\System\\CurrentControlSet\\Hardware Profiles"}) {
    if (key.starts_with(prefix)) return true;
  }
  return false;
}

std::wstring Hash(const BYTE* data, DWORD size) {
  std::uint64_t hash = 1469598103934665603ull;
  for (DWORD i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
  return std::to_wstring(size) + L":" + std::to_wstring(hash);
}

void AddValues(HKEY key, const std::wstring& path, std::set<std::wstring>& lines) {
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD nameLength = 16384, type = 0, size = static_cast<DWORD>(data.size());
    LONG result = RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
    if (result == ERROR_MORE_DATA) {
      data.resize(size);
      --i;
      continue;
    }
    if (result != ERROR_SUCCESS) return;
    lines.insert(L"V " + path + L" [" + name + L"] " + std::to_wstring(type) + L" " +
                 Hash(data.data(), size));
  }
}

void AddKeyTree(HKEY root, REGSAM view, const std::wstring& rootName, const std::wstring& path,
                std::set<std::wstring>& lines) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return;
  std::wstring full = rootName + L"\\" + path;
  if (!IsWineNoise(full)) {
    lines.insert(L"K " + full);
    AddValues(key, full, lines);
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      AddKeyTree(root, view, rootName, path.empty() ? name : path + L"\\" + name, lines);
    }
  }
  RegCloseKey(key);
}

void AddFolderTree(const std::wstring& folder, std::set<std::wstring>& lines) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring path = folder + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      lines.insert(L"D " + path);
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) AddFolderTree(path, lines);
    } else {
      std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
      lines.insert(L"F " + path + L" " + std::to_wstring(size));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::set<std::wstring> PrefixSnapshot() {
  std::set<std::wstring> lines;
  // The native system folder too, not only the 32-bit one.
  PVOID redirection = nullptr;
  bool redirected = Wow64DisableWow64FsRedirection(&redirection);
  AddFolderTree(L"C:", lines);
  if (redirected) Wow64RevertWow64FsRedirection(redirection);
  // The 64-bit view holds the 32-bit one below Wow6432Node.
  AddKeyTree(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"HKLM", L"", lines);
  AddKeyTree(HKEY_CURRENT_USER, 0, L"HKCU", L"", lines);
  return lines;
}

std::vector<std::wstring> SnapshotDifferences(const std::set<std::wstring>& before,
                                              const std::set<std::wstring>& after) {
  std::vector<std::wstring> added, removed, differences;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(removed));
  for (const std::wstring& line : added) differences.push_back(L"+ " + line);
  for (const std::wstring& line : removed) differences.push_back(L"- " + line);
  return differences;
}
