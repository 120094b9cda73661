#pragma once

// The command-line front end of the material engine, apart from the
// terminal: arguments arrive as UTF-8, output leaves as UTF-8.
//
//   zmcalc [--lib FILE] [--factor F] [--density D] [--lookup N] [--lang CP] SPEC...
//   zmcalc --check FILE [--lang CP]
//   zmcalc --row N [--style 0|1] [--ini FILE] [--lib FILE] [--factor F] [--density D] SPEC

#include <filesystem>
#include <string>
#include <vector>

struct ZmcalcOutput {
  std::string out;  // UTF-8
  std::string err;  // UTF-8
};

inline constexpr int kZmcalcAllComputed = 0;
inline constexpr int kZmcalcSomeFailed = 1;
inline constexpr int kZmcalcUsageOrLibrary = 2;

// `programFolder` holds the default ZMLib.txt. Returns the exit status.
int RunZmcalc(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
              ZmcalcOutput& output);
