// zmarchive on Linux: the terminal speaks UTF-8; paths are byte strings.

#include <cstdio>

#include "tools/zmarchive/zmarchive_app.h"

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> args(argv + 1, argv + argc);
  ZmarchiveOutput output;
  int status = RunZmarchive(args, output);
  std::fwrite(output.out.data(), 1, output.out.size(), stdout);
  std::fwrite(output.err.data(), 1, output.err.size(), stderr);
  return status;
}
