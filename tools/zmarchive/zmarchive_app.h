#pragma once

// Lists an archive as the setup program reads it, apart from the terminal:
//
//   zmarchive [--names CP] FILE
//
// Prints "kind zip|gzip|tar" and "count N", then one line per entry:
// position, size, is-file flag, name, and for zip entries the attributes and
// the modification, access and creation times (UTC). Entry names are shown
// from code page CP (936 unless told). Output leaves as UTF-8.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ZmarchiveOutput {
  std::string out;  // UTF-8
  std::string err;  // UTF-8
};

inline constexpr int kZmarchiveListed = 0;
inline constexpr int kZmarchiveFailed = 1;
inline constexpr int kZmarchiveUsage = 2;

// Arguments as paths, so that a file name reaches the reader unchanged.
int RunZmarchive(const std::vector<std::filesystem::path>& args, ZmarchiveOutput& output);

// "YYYY-MM-DD hh:mm:ss" of a Windows file time, in UTC.
std::string FormatFileTime(uint64_t fileTime);
