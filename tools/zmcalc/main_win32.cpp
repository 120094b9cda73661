// zmcalc on Windows: arguments arrive as UTF-16; a console gets UTF-16 text,
// a pipe or file gets UTF-8.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/zmcalc/zmcalc_app.h"
#include "winfx/code_page.h"

namespace {

std::filesystem::path ProgramFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::filesystem::path(buffer).parent_path();
}

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
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(EncodeToCodePage(reinterpret_cast<const char16_t*>(argv[i]), kCodePageUtf8));
  }
  ZmcalcOutput output;
  int status = RunZmcalc(args, ProgramFolder(), output);
  WriteText(STD_OUTPUT_HANDLE, output.out);
  WriteText(STD_ERROR_HANDLE, output.err);
  return status;
}
