#include "winfx/module_path.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace winfx {

std::filesystem::path ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length < size) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: try a larger buffer
  }
}

std::filesystem::path UserAppDataFolder() {
  wchar_t folder[MAX_PATH]{};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return folder;
}

}  // namespace winfx
