// A DLL as an attacker would place it beside a program, under the name of a
// system DLL that Windows does not protect. Loaded, it leaves a marker file
// in C:\planted (which the test makes) named after itself and the program
// that loaded it. It imports nothing beyond the kernel.

#include <windows.h>

namespace {

// The last part of a module's path.
const wchar_t* FileName(const wchar_t* path) {
  const wchar_t* name = path;
  for (const wchar_t* at = path; *at; ++at) {
    if (*at == L'\\' || *at == L'/') name = at + 1;
  }
  return name;
}

void LeaveMarker(HINSTANCE self) {
  wchar_t dll[MAX_PATH] = {};
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(self, dll, MAX_PATH);
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  wchar_t marker[3 * MAX_PATH] = L"C:\\planted\\";
  lstrcatW(marker, FileName(dll));
  lstrcatW(marker, L" in ");
  lstrcatW(marker, FileName(program));
  HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, dll, static_cast<DWORD>(lstrlenW(dll) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
  return TRUE;
}
