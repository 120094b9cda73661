#pragma once

// One removal record of the uninstall log, as the parser hands it on. Texts
// are UTF-8: the program converts the log from the machine's code page before
// parsing, so that no trail byte of a double-byte character can pass for a
// backslash.

#include <string>

// The product whose log the uninstaller reads; the safety rules trust this
// name, never the log's own.
inline constexpr char kUninstallProductName[] = "Zelmorant10.1";

enum class RecordKind { kRegistry, kFile, kFolder };

struct UninstallRecord {
  RecordKind kind;
  std::string path;
  int root = 0;  // registry records only: 2 is HKEY_LOCAL_MACHINE
};
