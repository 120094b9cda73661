// The conversions of a zip entry record: attributes, DOS times and the "UT"
// extended-timestamp block.

#include "setup/archive/zip_entry_fields.h"

#include <gtest/gtest.h>

#include "setup/archive/zip_directory.h"
#include "tests/unit/archive_test_files.h"

namespace {

constexpr uint64_t FileTime(int64_t unixSeconds) {
  return static_cast<uint64_t>((unixSeconds + 11644473600LL) * 10000000LL);
}

TEST(ZipEntryFields, MapsExternalAttributesToWindowsAttributes) {
  struct Case {
    uint32_t external;
    uint32_t expected;
    const char* what;
  } cases[] = {
      {0x20, 0xA1, "made on Windows: archive, and read-only for want of Unix mode bits"},
      {0x10, 0x91, "directory made on Windows"},
      {0x00, 0x81, "no bits at all"},
      {0100644u << 16, 0x80, "Unix file writable by its owner"},
      {0100444u << 16, 0x81, "Unix file not writable by its owner"},
      {(040755u << 16) | 0x10, 0x90, "Unix directory with the MS-DOS bit"},
      {040755u << 16, 0x90, "Unix directory by its type bit alone"},
      {(0100644u << 16) | 0x01, 0x81, "read-only MS-DOS bit on a writable Unix file"},
      {(0100644u << 16) | 0x06, 0x86, "hidden and system"},
      {0x27, 0xA7, "archive, hidden, system, read-only"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapZipAttributes(c.external), c.expected) << c.what;
  }
}

TEST(ZipEntryFields, ConvertsDosDateAndTimeFieldByField) {
  struct Case {
    uint32_t dos;
    uint64_t expected;
  } cases[] = {
      {kTestDosTime, kTestDosFileTime},
      {(0u << 25 | 1u << 21 | 1u << 16), FileTime(315532800)},  // 1980-01-01
      {(20u << 25 | 2u << 21 | 29u << 16) | (23u << 11 | 59u << 5 | 29u),
       FileTime(951868798)},                                         // 2000-02-29 23:59:58
      {(127u << 25 | 12u << 21 | 31u << 16), FileTime(4354732800)},  // 2107-12-31
      {(41u << 25 | 2u << 21 | 29u << 16), 0},                       // 2021 is no leap year
      {(41u << 25 | 0u << 21 | 1u << 16), 0},                        // month 0
      {(41u << 25 | 1u << 21 | 1u << 16) | (24u << 11), 0},          // hour 24
      {(41u << 25 | 1u << 21 | 1u << 16) | 30u, 0},                  // second 60
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileTimeFromDosDateTime(c.dos), c.expected) << std::hex << c.dos;
  }
}

TEST(ZipEntryFields, TakesTimesFromTheFirstUtBlockOnlyWithinItsBytes) {
  const uint32_t mod = 1600000000, acc = 1600000100, cre = 1500000000;
  const uint64_t dos = 7;  // marks a time that the scan left alone
  const std::string otherBlock = std::string("\x0A\x00\x04\x00", 4) + "abcd";
  struct Case {
    std::string extra;
    uint64_t modification, access, creation;
    const char* what;
  } cases[] = {
      {"", dos, dos, dos, "no extra field"},
      {std::string("UT\0\0", 4), dos, dos, dos, "exactly four bytes"},
      {ExtendedTimestampBlock(1, {mod}), FileTime(mod), dos, dos, "modification only"},
      {ExtendedTimestampBlock(3, {mod, acc}), FileTime(mod), FileTime(acc), dos, "modification and access"},
      {ExtendedTimestampBlock(7, {mod, acc, cre}), FileTime(mod), FileTime(acc), FileTime(cre), "all three"},
      {ExtendedTimestampBlock(4, {cre}), dos, dos, FileTime(cre), "creation only"},
      {otherBlock + ExtendedTimestampBlock(1, {mod}), FileTime(mod), dos, dos, "after another block"},
      {ExtendedTimestampBlock(1, {mod}) + ExtendedTimestampBlock(1, {acc}), FileTime(mod), dos, dos,
       "second block ignored"},
      {ExtendedTimestampBlock(7, {mod}), FileTime(mod), dos, dos, "flags announce more than the block holds"},
      {ExtendedTimestampBlock(3, {mod, acc}).substr(0, 11), FileTime(mod), dos, dos,
       "field cut inside the block"},
      {std::string("\x0A\x00\xFF\xFF", 4) + ExtendedTimestampBlock(1, {mod}), dos, dos, dos,
       "block size runs past the field"},
      {ExtendedTimestampBlock(1, {0xFFFFFFFFu}), FileTime(-1), dos, dos, "signed count before 1970"},
  };
  for (const Case& c : cases) {
    ZipEntryInfo info;
    info.modificationTime = info.accessTime = info.creationTime = dos;
    ApplyExtendedTimestamp(reinterpret_cast<const unsigned char*>(c.extra.data()), c.extra.size(), info);
    EXPECT_EQ(info.modificationTime, c.modification) << c.what;
    EXPECT_EQ(info.accessTime, c.access) << c.what;
    EXPECT_EQ(info.creationTime, c.creation) << c.what;
  }
}

}  // namespace
