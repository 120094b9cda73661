// zmarchive's listing, as release work reads it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/unit/archive_test_files.h"
#include "tests/unit/test_support.h"
#include "tools/zmarchive/zmarchive_app.h"

namespace {

TEST(ArchiveListing, ListsZipEntriesWithAttributesAndTimes) {
  // The library file is packed as the tree holds it.
  const std::string librarySize =
      std::to_string(std::filesystem::file_size("archive_data/tree/docs/ZMLib.txt"));
  ZmarchiveOutput output;
  EXPECT_EQ(RunZmarchive({"archive_data/with_ut.zip"}, output), kZmarchiveListed);
  EXPECT_EQ(output.out,
            "kind zip\ncount 4\n"
            "0\t12\t1\treadme.txt\t0x80\t2021-03-04 05:06:07\t2021-03-04 05:06:07\t2021-03-04 05:06:08\n"
            "1\t0\t1\tdocs/\t0x90\t2021-03-04 05:06:07\t2021-03-04 05:06:07\t2021-03-04 05:06:08\n"
            "2\t0\t1\tdocs/empty.txt\t0x80\t2021-03-04 05:06:07\t2021-03-04 05:06:07\t2021-03-04 05:06:08\n"
            "3\t" +
                librarySize +
                "\t1\tdocs/ZMLib.txt\t0x80\t2021-03-04 05:06:07\t2021-03-04 05:06:07\t2021-03-04 05:06:08\n");
  EXPECT_EQ(output.err, "");
}

TEST(ArchiveListing, ShowsNamesFromTheirCodePage) {
  CTempFolder folder;
  const std::filesystem::path file = folder.Path() / "names.tar";
  folder.WriteFile("names.tar", MakeTar({{Gbk("说明.txt"), "x"}}));
  ZmarchiveOutput output;
  EXPECT_EQ(RunZmarchive({file}, output), kZmarchiveListed);
  EXPECT_EQ(output.out, "kind tar\ncount 1\n0\t1\t1\t说明.txt\n");
}

TEST(ArchiveListing, StopsWithTheReadersTextOnAFailedStep) {
  CTempFolder folder;
  struct Case {
    std::vector<std::filesystem::path> args;
    int status;
    std::string err;
  } cases[] = {
      {{folder.Path() / "missing"}, kZmarchiveFailed, "zmarchive: Could not determine archive type !\n"},
      {{folder.WriteFile("empty", "")},
       kZmarchiveFailed,
       "zmarchive: Could not read data from gzip archive !\n"},
      {{}, kZmarchiveUsage, "zmarchive: one archive file expected\nusage: zmarchive [--names CP] FILE\n"},
      {{"--names", "x", "a"},
       kZmarchiveUsage,
       "zmarchive: --names takes a code page number, not x\nusage: zmarchive [--names CP] FILE\n"},
  };
  for (const Case& c : cases) {
    ZmarchiveOutput output;
    EXPECT_EQ(RunZmarchive(c.args, output), c.status);
    EXPECT_EQ(output.err, c.err);
    EXPECT_EQ(output.out, "");
  }
}

TEST(ArchiveListing, FormatsFileTimesInUtc) {
  struct Case {
    uint64_t fileTime;
    const char* text;
  } cases[] = {
      {0, "1601-01-01 00:00:00"},
      {kTestDosFileTime + 9999999, "2021-03-04 05:06:08"},
      {(951868799ull + 11644473600ull) * 10000000ull, "2000-02-29 23:59:59"},
      {116444736000000000ull - 10000000ull, "1969-12-31 23:59:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFileTime(c.fileTime), c.text);
}

}  // namespace
