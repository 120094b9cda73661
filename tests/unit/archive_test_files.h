#pragma once

// Archives made by the tests themselves: zip archives through minizip's
// writer (with chosen attributes, times and extra fields), tar archives
// built byte by byte, gzip files through zlib.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// 2021-03-04 05:06:08 as a DOS date (high half) and time (low half).
inline constexpr uint32_t kTestDosTime = (41u << 25 | 3u << 21 | 4u << 16) | (5u << 11 | 6u << 5 | 4u);
// The same moment as a Windows file time.
inline constexpr uint64_t kTestDosFileTime = (1614834368ull + 11644473600ull) * 10000000ull;

inline constexpr unsigned kMadeOnUnix = 0x031E;     // Unix, version 3.0
inline constexpr unsigned kMadeOnWindows = 0x0014;  // MS-DOS/FAT, version 2.0
inline constexpr uint32_t kUnixFile = 0100644u << 16;

struct ZipTestEntry {
  std::string name = {};
  std::string content = {};
  int method = 8;  // 0 stored, 8 deflated
  uint32_t externalAttributes = kUnixFile;
  unsigned madeBy = kMadeOnUnix;
  std::string localExtra = {};
  uint32_t dosTime = kTestDosTime;
};

void WriteZip(const std::filesystem::path& file, const std::vector<ZipTestEntry>& entries);

// `count` entries named "entry0.txt" … with the content "content of entry N".
std::vector<ZipTestEntry> NumberedEntries(int count);

// A "UT" extra block: flags, then the given 32-bit times.
std::string ExtendedTimestampBlock(unsigned flags, const std::vector<uint32_t>& times);

struct TarTestEntry {
  std::string name = {};
  std::string content = {};
  char typeFlag = '0';
};

// A tar archive; `endBlocks` adds the two zero blocks that end it.
std::string MakeTar(const std::vector<TarTestEntry>& entries, bool endBlocks = true);
// One 512-byte header with a valid checksum and the given size field.
std::string TarHeader(const std::string& name, uint64_t size, char typeFlag);

void WriteGzip(const std::filesystem::path& file, const std::string& content);
