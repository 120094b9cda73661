// zmarchive on Windows: arguments arrive as UTF-16 and reach the reader as
// wide paths; a console gets UTF-16 text, a pipe or file gets UTF-8.

#include <windows.h>

#include <string>
#include <vector>

#include "tools/zmarchive/zmarchive_app.h"
#include "winfx/console.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::filesystem::path> args(argv + 1, argv + argc);
  ZmarchiveOutput output;
  int status = RunZmarchive(args, output);
  WriteConsoleText(ConsoleStream::kOutput, output.out);
  WriteConsoleText(ConsoleStream::kError, output.err);
  return status;
}
