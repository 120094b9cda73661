// Reading zip archives by position: records, positioning, extraction and the
// result codes, on archives that the tests write with minizip.

#include "setup/archive/zip_directory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/archive_test_files.h"
#include "tests/unit/test_support.h"

namespace {

class ZipDirectoryTest : public testing::Test {
 protected:
  std::unique_ptr<CZipDirectory> OpenWith(const std::vector<ZipTestEntry>& entries) {
    const std::filesystem::path file = m_folder.Path() / "test.zip";
    WriteZip(file, entries);
    return OpenZipDirectory(file);
  }

  // Rewrites one byte of the archive, counted from the first local header.
  std::unique_ptr<CZipDirectory> ReopenPatched(size_t offset, char value) {
    const std::filesystem::path file = m_folder.Path() / "test.zip";
    std::string bytes = ReadBytes(file);
    bytes[bytes.find("PK\x03\x04") + offset] = value;
    return OpenZipDirectory(m_folder.WriteFile("test.zip", bytes));
  }

  CTempFolder m_folder;
};

std::string Extract(CZipDirectory& zip, int index, int capacity, int& result) {
  std::string buffer(static_cast<size_t>(capacity), '\0');
  result = zip.ExtractToMemory(index, buffer.data(), capacity);
  return buffer;
}

TEST_F(ZipDirectoryTest, CountsAndPositionsInAnyOrder) {
  auto zip = OpenWith(NumberedEntries(9));
  ASSERT_TRUE(zip);

  ZipEntryInfo info;
  info.attributes = 0x55;
  ASSERT_EQ(zip->GetEntry(-1, info), UZ_OK);
  EXPECT_EQ(info.index, 9);
  EXPECT_STREQ(info.name, "");
  EXPECT_EQ(info.attributes, 0u);
  EXPECT_EQ(info.modificationTime, 0u);
  EXPECT_EQ(info.uncompressedSize, 0u);

  EXPECT_EQ(zip->GetEntry(9, info), UZ_ARGS);
  EXPECT_EQ(zip->GetEntry(-2, info), UZ_ARGS);

  for (int index : {7, 3, 3, 8, 0, 5, 4, 8}) {
    ASSERT_EQ(zip->GetEntry(index, info), UZ_OK) << index;
    EXPECT_EQ(info.index, index);
    EXPECT_EQ(info.name, "entry" + std::to_string(index) + ".txt");
    const std::string content = "content of entry " + std::to_string(index);
    EXPECT_EQ(info.uncompressedSize, content.size());
    int result = 0;
    EXPECT_EQ(Extract(*zip, index, static_cast<int>(info.uncompressedSize), result), content);
    EXPECT_EQ(result, UZ_MORE);
  }
  EXPECT_EQ(zip->Close(), UZ_OK);
  EXPECT_EQ(zip->GetEntry(0, info), UZ_ARGS);
}

TEST_F(ZipDirectoryTest, FillsTheRecordFromTheDirectoryAndTheLocalExtraField) {
  const std::string content(5000, 'z');
  auto zip = OpenWith({
      {.name = "windows.txt", .content = content, .externalAttributes = 0x20, .madeBy = kMadeOnWindows},
      {.name = "folder/", .method = 0, .externalAttributes = 0x10, .madeBy = kMadeOnWindows},
      {.name = "stamped.txt", .content = "x", .localExtra = ExtendedTimestampBlock(1, {1600000000})},
  });
  ASSERT_TRUE(zip);
  ZipEntryInfo info;
  ASSERT_EQ(zip->GetEntry(0, info), UZ_OK);
  EXPECT_EQ(info.attributes, 0xA1u);
  EXPECT_EQ(info.uncompressedSize, 5000u);
  EXPECT_LT(info.compressedSize, 100u);
  EXPECT_EQ(info.modificationTime, kTestDosFileTime);
  EXPECT_EQ(info.accessTime, kTestDosFileTime);
  EXPECT_EQ(info.creationTime, kTestDosFileTime);

  ASSERT_EQ(zip->GetEntry(1, info), UZ_OK);
  EXPECT_STREQ(info.name, "folder/");
  EXPECT_EQ(info.attributes, 0x91u);

  ASSERT_EQ(zip->GetEntry(2, info), UZ_OK);
  EXPECT_EQ(info.modificationTime, (1600000000ull + 11644473600ull) * 10000000ull);
  EXPECT_EQ(info.accessTime, kTestDosFileTime);
  EXPECT_EQ(info.creationTime, kTestDosFileTime);
}

TEST_F(ZipDirectoryTest, GivesNamesAsStoredAndCutsLongOnes) {
  const std::string longName(300, 'n');
  auto zip = OpenWith({{.name = "../up.txt"},
                       {.name = "C:/drive.txt"},
                       {.name = "/root.txt"},
                       {.name = "dir\\back.txt"},
                       {.name = longName}});
  ASSERT_TRUE(zip);
  const std::vector<std::string> expected = {"../up.txt", "C:/drive.txt", "/root.txt", "dir\\back.txt",
                                             longName.substr(0, 259)};
  for (int i = 0; i < 5; ++i) {
    ZipEntryInfo info;
    ASSERT_EQ(zip->GetEntry(i, info), UZ_OK);
    EXPECT_EQ(info.name, expected[static_cast<size_t>(i)]);
  }
}

TEST_F(ZipDirectoryTest, ExtractsInPiecesAndEndsWithOk) {
  auto zip = OpenWith({{.name = "stored", .content = "0123456789", .method = 0},
                       {.name = "deflated", .content = "abcdefghij"},
                       {.name = "empty", .content = ""}});
  ASSERT_TRUE(zip);
  for (int index : {0, 1}) {
    std::string whole;
    int result = 0;
    for (int call = 0; call < 4; ++call) {
      std::string piece = Extract(*zip, index, 4, result);
      if (result != UZ_MORE) break;
      whole += piece.substr(0, std::min<size_t>(4, 10 - whole.size()));
    }
    EXPECT_EQ(result, UZ_OK) << index;
    EXPECT_EQ(whole, index == 0 ? "0123456789" : "abcdefghij");
  }
  int result = 0;
  Extract(*zip, 2, 0, result);
  EXPECT_EQ(result, UZ_OK);
  EXPECT_EQ(zip->ExtractToMemory(3, nullptr, 0), UZ_ARGS);
  EXPECT_EQ(zip->ExtractToMemory(-1, nullptr, 0), UZ_ARGS);
}

TEST_F(ZipDirectoryTest, RefusesFilesThatAreNotReadableArchives) {
  int result = UZ_OK;
  EXPECT_FALSE(OpenZipDirectory(m_folder.Path() / "missing.zip", &result));
  EXPECT_EQ(result, UZ_NOFILE);
  EXPECT_FALSE(OpenZipDirectory(m_folder.Path(), &result));
  EXPECT_EQ(result, UZ_NOFILE);
  EXPECT_FALSE(OpenZipDirectory(m_folder.WriteFile("text.txt", std::string(2000, 't')), &result));
  EXPECT_EQ(result, UZ_CORRUPT);
  EXPECT_FALSE(OpenZipDirectory(m_folder.WriteFile("empty.zip", ""), &result));
  EXPECT_EQ(result, UZ_CORRUPT);
}

TEST_F(ZipDirectoryTest, ReportsDamagedEntries) {
  const ZipTestEntry entry = {.name = "a.txt", .content = "stored bytes", .method = 0};
  constexpr size_t kData = 30 + 5;  // the fixed local header, then the name
  struct Case {
    size_t offset;
    char value;
    int entryResult, extractResult;
    const char* what;
  } cases[] = {
      {kData, 'S', UZ_OK, UZ_INFLATE, "data that fails its CRC"},
      {3, 0x05, UZ_CORRUPT, UZ_CORRUPT, "a local header without its signature"},
      {8, 8, UZ_CORRUPT, UZ_CORRUPT, "a local method that differs from the directory"},
      {26, 4, UZ_CORRUPT, UZ_CORRUPT, "a local name length that differs from the directory"},
  };
  for (const Case& c : cases) {
    OpenWith({entry});
    auto zip = ReopenPatched(c.offset, c.value);
    ASSERT_TRUE(zip) << c.what;
    ZipEntryInfo info;
    EXPECT_EQ(zip->GetEntry(0, info), c.entryResult) << c.what;
    int result = 0;
    Extract(*zip, 0, 12, result);
    EXPECT_EQ(result, c.extractResult) << c.what;
  }
}

TEST_F(ZipDirectoryTest, RefusesEntriesOfOtherCompressionMethods) {
  OpenWith({{.name = "a.txt", .content = "data", .method = 0}});
  std::string bytes = ReadBytes(m_folder.Path() / "test.zip");
  // The method field of the local header and of the directory record.
  for (size_t at : {bytes.find("PK\x03\x04") + 8, bytes.find("PK\x01\x02") + 10}) bytes[at] = 12;
  auto zip = OpenZipDirectory(m_folder.WriteFile("test.zip", bytes));
  ASSERT_TRUE(zip);
  ZipEntryInfo info;
  EXPECT_EQ(zip->GetEntry(0, info), UZ_CORRUPT);
}

}  // namespace
