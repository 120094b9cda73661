// zmcalc on Linux: the terminal speaks UTF-8.

#include <cstdio>
#include <filesystem>

#include "tools/zmcalc/zmcalc_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  ZmcalcOutput output;
  int status = RunZmcalc(args, program.parent_path(), output);
  std::fwrite(output.out.data(), 1, output.out.size(), stdout);
  std::fwrite(output.err.data(), 1, output.err.size(), stderr);
  return status;
}
