// zmarchive on Windows: arguments arrive as UTF-16 and reach the reader as
// wide paths; a console gets UTF-16 text, a pipe or file gets UTF-8.

#include <windows.h>

#include <string>
#include <vector>

#include "tools/zmarchive/zmarchive_app.h"
#include "winfx/code_page.h"

namespace {

void WriteText(DWORD handleId, const std::string& utf8) {
  if (utf8.empty()) return;
  HANDLE handle = GetStdHandle(handleId);
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::u16string text = DecodeFromCodePage(utf8, kCodePageUtf8);
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::filesystem::path> args(argv + 1, argv + argc);
  ZmarchiveOutput output;
  int status = RunZmarchive(args, output);
  WriteText(STD_OUTPUT_HANDLE, output.out);
  WriteText(STD_ERROR_HANDLE, output.err);
  return status;
}
