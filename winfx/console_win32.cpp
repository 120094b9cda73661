#include "winfx/console.h"

#include <windows.h>

#include "base/code_page.h"

void WriteConsoleText(ConsoleStream stream, const std::string& utf8) {
  if (utf8.empty()) return;
  HANDLE handle = GetStdHandle(stream == ConsoleStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::u16string text = DecodeFromCodePage(utf8, kCodePageUtf8);
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}
