#pragma once

// The switches of an unattended install:
//
//   Install.exe /S [/D=<folder>] [/L=<936|950|1252>] [/LOG=<file>]
//
// /S installs without a window for every CAD product found; /D names the
// install folder (the rest of the command line when it is the last switch,
// so that a folder with blanks needs no quotes); /L the language; /LOG a
// file that receives what happened, in UTF-8. Switches are case-blind.

#include <optional>
#include <string>
#include <vector>

// Exit codes of the unattended install.
inline constexpr int kSetupExitSucceeded = 0;
inline constexpr int kSetupExitBadSwitch = 1;
inline constexpr int kSetupExitNoCadProduct = 2;
inline constexpr int kSetupExitBadFolder = 3;
inline constexpr int kSetupExitWriteFailed = 4;

struct SetupSwitches {
  bool silent = false;
  std::optional<std::u16string> folder;
  std::optional<unsigned> codePage;
  std::optional<std::u16string> logFile;
  // The first argument that is no switch of these, or a language that is
  // none of the three; empty when all were understood.
  std::u16string unknown;
};

// `arguments` without the program's own name.
SetupSwitches ParseSetupSwitches(const std::vector<std::u16string>& arguments);
