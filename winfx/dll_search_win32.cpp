#include "winfx/dll_search.h"

// The load configuration of every program that links this file: the
// image's load-configuration directory points at the object of this name
// (cmake/point-load-config.sh sets it, as newer linkers do). Only its size and the dependent-load flags (the
// word after the service-pack version, LOAD_LIBRARY_SEARCH_SYSTEM32) are set: the systems that read those
// flags resolve the imports of the program's DLLs in the system folder only.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY32 MakeLoadConfig() {
  IMAGE_LOAD_CONFIG_DIRECTORY32 config{};
  config.Size = sizeof config;
  config.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;  // DependentLoadFlags
  return config;
}

// The loader reads it before any code runs: constant data.
extern "C" __attribute__((used)) constinit const IMAGE_LOAD_CONFIG_DIRECTORY32 _load_config_used =
    MakeLoadConfig();

namespace winfx {

bool RestrictDllSearch() {
  // Looked up, not imported: a system without it still runs the program.
  using SetDefaultDllDirectoriesEntry = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesEntry>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  SetDllDirectoryW(L"");  // the current folder leaves the search
  return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

}  // namespace winfx

namespace {

// Before any constructor of the program could load a DLL; the programs call
// it again as their first act.
__attribute__((constructor(101))) void RestrictDllSearchAtStart() { winfx::RestrictDllSearch(); }

}  // namespace
