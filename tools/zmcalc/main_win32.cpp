// zmcalc on Windows: arguments arrive as UTF-16; a console gets UTF-16 text,
// a pipe or file gets UTF-8.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "tools/zmcalc/zmcalc_app.h"
#include "winfx/console.h"
#include "winfx/module_path.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(EncodeToCodePage(reinterpret_cast<const char16_t*>(argv[i]), kCodePageUtf8));
  }
  ZmcalcOutput output;
  int status = RunZmcalc(args, winfx::ProgramFolder(), output);
  WriteConsoleText(ConsoleStream::kOutput, output.out);
  WriteConsoleText(ConsoleStream::kError, output.err);
  return status;
}
