// A program that does what the setup programs no longer do: it loads a
// system DLL by name with the system's default search, which looks beside
// the program first. The planting case runs it to show that the DLLs it
// placed are found where it placed them.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HMODULE module = LoadLibraryW(L"dwmapi.dll");
  return module ? 0 : 1;
}
