#include <shlobj.h>
#include <windows.h>

#include "base/code_page.h"
#include "tools/uninstall/uninstall_paths.h"
#include "tools/uninstall/win32_uninstall_places.h"

std::wstring WideFromUtf8(const std::string& text) { return DecodeToWide(text, kCodePageUtf8); }

std::string Utf8FromWide(const std::wstring& text) { return EncodeFromWide(text, kCodePageUtf8); }

namespace {

std::string SpecialFolder(int id) {
  wchar_t buffer[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, buffer, id, FALSE)) return {};
  return Utf8FromWide(buffer);
}

std::string SystemFolder() {
  wchar_t buffer[MAX_PATH];
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8FromWide(buffer) : std::string();
}

}  // namespace

// The long form, as the installer logged it, even when the program was
// started by a short name.
std::string OwnProgramPath() {
  std::wstring buffer(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  std::wstring longPath(32768, L'\0');
  length = GetLongPathNameW(buffer.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  if (length == 0 || length >= longPath.size()) return Utf8FromWide(buffer);
  longPath.resize(length);
  return Utf8FromWide(longPath);
}

ProductPlaces FindProductPlaces(const std::string& ownProgram) {
  ProductPlaces places;
  places.installFolder = std::string(ParentPath(ownProgram));
  places.systemFolder = SystemFolder();
  places.programsFolders = {SpecialFolder(CSIDL_PROGRAMS), SpecialFolder(CSIDL_COMMON_PROGRAMS)};
  return places;
}
