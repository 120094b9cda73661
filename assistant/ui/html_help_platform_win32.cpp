#include "assistant/ui/html_help_platform_win32.h"

#include <windows.h>

#include "winfx/dll_search.h"

namespace {

// The control's narrow help entry.
using HtmlHelpEntry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

bool CWin32HtmlHelpPlatform::ReadClassesRootDefault(std::u16string_view subkey, std::u16string& value) {
  // The value is a path: read through the W API so that no character of it
  // depends on the machine's code page. A path of up to MAX_PATH characters
  // fits; RRF_RT_REG_SZ also takes an expandable value and expands it.
  std::u16string key(subkey);
  wchar_t buffer[MAX_PATH] = {};
  DWORD size = sizeof(buffer);
  LSTATUS status = RegGetValueW(HKEY_CLASSES_ROOT, Wide(key), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size);
  if (status != ERROR_SUCCESS) return false;
  value.assign(reinterpret_cast<const char16_t*>(buffer));
  return true;
}

// A bare name is taken from the system folder only, never from a folder
// that the search order would try first.
LibraryHandle CWin32HtmlHelpPlatform::OpenLibrary(std::u16string_view pathOrName) {
  std::wstring path(pathOrName.begin(), pathOrName.end());
  if (path.find_first_of(L"\\/") == std::wstring::npos)
    return reinterpret_cast<LibraryHandle>(winfx::LoadSystemLibrary(path));
  return reinterpret_cast<LibraryHandle>(LoadLibraryW(path.c_str()));
}

EntryAddress CWin32HtmlHelpPlatform::FindExport(LibraryHandle library, int ordinal) {
  auto module = reinterpret_cast<HMODULE>(library);
  return reinterpret_cast<EntryAddress>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

WindowHandle CWin32HtmlHelpPlatform::CallHelpEntry(EntryAddress entry, WindowHandle caller,
                                                   const std::string& path, unsigned command,
                                                   std::uintptr_t data) {
  auto htmlHelp = reinterpret_cast<HtmlHelpEntry>(entry);
  HWND viewer = htmlHelp(reinterpret_cast<HWND>(caller), path.c_str(), command, data);
  return reinterpret_cast<WindowHandle>(viewer);
}
