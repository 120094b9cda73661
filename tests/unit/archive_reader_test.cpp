// The installer's view of an archive: kinds, counts, entries as blocks of
// bytes, and the error texts of failed steps.

#include "setup/archive/archive_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/archive_test_files.h"
#include "tests/unit/test_support.h"

namespace {

// Made by Debian's zip, tar and gzip tools at build time.
const std::filesystem::path kToolData = "archive_data";
const std::string kReadme = "first entry\n";

struct Entry {
  std::string name;
  std::string bytes;
  int isFile = 0;
};

// Every entry of the archive, or a failure with the reader's text.
testing::AssertionResult ReadAll(CArchiveReader& reader, std::vector<Entry>& entries) {
  const int count = reader.GetFileCount();
  if (count < 0) return testing::AssertionFailure() << "count: " << reader.GetErrorText();
  for (int i = 0; i < count; ++i) {
    unsigned char* data = nullptr;
    int size = -1;
    Entry entry;
    if (!reader.GetFile(i, &data, &size, &entry.isFile, &entry.name)) {
      return testing::AssertionFailure() << "entry " << i << ": " << reader.GetErrorText();
    }
    entry.bytes.assign(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
    if (reader.GetType() == ARCHIVE_ZIP && data[size] != 0) {
      return testing::AssertionFailure() << "entry " << i << " is not NUL-terminated";
    }
    entries.push_back(entry);
  }
  return testing::AssertionSuccess();
}

std::string Library() { return ReadBytes(kToolData / "tree/docs/ZMLib.txt"); }

TEST(ArchiveReader, ReadsZipArchivesOfTheZipToolWithAndWithoutUtBlocks) {
  const uint64_t utTime = (1614834367ull + 11644473600ull) * 10000000ull;
  for (const char* name : {"with_ut.zip", "without_ut.zip"}) {
    SCOPED_TRACE(name);
    CArchiveReader reader;
    ASSERT_EQ(reader.Open(kToolData / name), 1);
    EXPECT_EQ(reader.GetType(), ARCHIVE_ZIP);
    std::vector<Entry> entries;
    ASSERT_TRUE(ReadAll(reader, entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "readme.txt");
    EXPECT_EQ(entries[0].bytes, kReadme);
    EXPECT_EQ(entries[1].name, "docs/");  // directories come like files, empty
    EXPECT_EQ(entries[1].bytes, "");
    EXPECT_EQ(entries[2].name, "docs/empty.txt");
    EXPECT_EQ(entries[2].bytes, "");
    EXPECT_EQ(entries[3].name, "docs/ZMLib.txt");
    EXPECT_EQ(entries[3].bytes, Library());
    for (const Entry& entry : entries) EXPECT_EQ(entry.isFile, 1);

    ZipEntryInfo info;
    ASSERT_EQ(reader.GetZipEntry(0, &info), 1);
    const bool stamped = std::string(name) == "with_ut.zip";
    EXPECT_EQ(info.modificationTime, stamped ? utTime : kTestDosFileTime);
    EXPECT_EQ(info.accessTime, stamped ? utTime : kTestDosFileTime);
    EXPECT_EQ(info.creationTime, kTestDosFileTime);
    EXPECT_EQ(info.attributes, 0x80u);
  }
}

TEST(ArchiveReader, LeavesOutputsAloneAndExplainsFailedSteps) {
  CTempFolder folder;
  const std::filesystem::path nine = folder.Path() / "nine.zip";
  WriteZip(nine, NumberedEntries(9));
  const std::filesystem::path tar =
      folder.WriteFile("three.tar", MakeTar({{"a", "1"}, {"b", "2"}, {"c", "3"}}));
  struct Case {
    std::filesystem::path file;
    int index;
    const char* text;
  } cases[] = {
      {nine, 9, "Could not get file at the specified position from the archive !"},
      {nine, -2, "Could not get file at the specified position from the archive !"},
      {nine, -1, "Could not unzip file at the specified position from the archive !"},
      {tar, 3, "Invalid file position !"},
      {tar, -1, "Invalid file position !"},
  };
  for (const Case& c : cases) {
    CArchiveReader reader;
    ASSERT_EQ(reader.Open(c.file), 1);
    EXPECT_EQ(reader.GetFileCount(), c.file == nine ? 9 : 3);
    unsigned char marker = 0;
    unsigned char* data = &marker;
    int size = -7, isFile = -7;
    std::string name = "untouched";
    EXPECT_EQ(reader.GetFile(c.index, &data, &size, &isFile, &name), 0) << c.index;
    EXPECT_EQ(reader.GetErrorText(), c.text) << c.index;
    EXPECT_EQ(data, &marker);
    EXPECT_EQ(size, -7);
    EXPECT_EQ(isFile, -7);
    EXPECT_EQ(name, "untouched");
    // The reader stays usable: the last entry follows.
    EXPECT_EQ(reader.GetFile(c.file == nine ? 8 : 2, &data, &size, &isFile, &name), 1);
    EXPECT_EQ(name, c.file == nine ? "entry8.txt" : "c");
  }
}

TEST(ArchiveReader, ReadsTarInsideGzip) {
  CArchiveReader reader;
  ASSERT_EQ(reader.Open(kToolData / "three.tar.gz"), 1);
  EXPECT_EQ(reader.GetType(), ARCHIVE_TARGZ);
  std::vector<Entry> entries;
  ASSERT_TRUE(ReadAll(reader, entries));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "readme.txt");
  EXPECT_EQ(entries[0].bytes, kReadme);
  EXPECT_EQ(entries[1].name, "docs/empty.txt");
  EXPECT_EQ(entries[1].bytes, "");
  EXPECT_EQ(entries[2].name, "docs/ZMLib.txt");
  EXPECT_EQ(entries[2].bytes, Library());
  EXPECT_EQ(entries[2].isFile, 1);
  EXPECT_EQ(reader.GetZipEntry(0, nullptr), 0);
}

// A tar walk never reads outside the content: an entry that runs past the
// end, or content that ends without zero blocks, ends the walk.
TEST(ArchiveReader, EndsTheTarWalkAtTheEndOfTheContent) {
  const std::string two = MakeTar({{"a", std::string(700, 'a')}, {"b", "bb"}}, false);
  const std::string oversized =
      MakeTar({{"a", "1"}}, false) + TarHeader("big", 1u << 30, '0') + std::string(512, 'x');
  const std::string hugeSize = MakeTar({{"a", "1"}}, false) + TarHeader("big", 077777777777ull, '0');
  struct Case {
    std::string content;
    int count;
    const char* what;
  } cases[] = {
      {two, 2, "no end blocks"},
      {two.substr(0, two.size() - 512), 1, "last entry cut off"},
      {two.substr(0, 1000), 0, "first entry cut off"},
      {oversized, 1, "size beyond the content"},
      {hugeSize, 1, "largest size field"},
  };
  CTempFolder folder;
  for (const Case& c : cases) {
    CArchiveReader reader;
    ASSERT_EQ(reader.Open(folder.WriteFile("cut.tar", c.content)), 1) << c.what;
    EXPECT_EQ(reader.GetType(), ARCHIVE_TARGZ) << c.what;
    EXPECT_EQ(reader.GetFileCount(), c.count) << c.what;
    unsigned char* data = nullptr;
    int size = 0, isFile = 0;
    std::string name;
    EXPECT_EQ(reader.GetFile(c.count, &data, &size, &isFile, &name), 0) << c.what;
    EXPECT_EQ(reader.GetErrorText(), "Invalid file position !") << c.what;
  }
}

TEST(ArchiveReader, ReadsSingleGzipFilesAndPlainFilesAsOneEntry) {
  CTempFolder folder;
  const std::string text(600, 'p');
  WriteGzip(folder.Path() / "one.gz", text);
  struct Case {
    std::filesystem::path file;
    std::string content;
  } cases[] = {
      {kToolData / "single.gz", kReadme},
      {folder.Path() / "one.gz", text},
      {folder.WriteFile("plain.txt", text), text},
      {folder.WriteFile("short.txt", "short"), "short"},
  };
  for (const Case& c : cases) {
    CArchiveReader reader;
    ASSERT_EQ(reader.Open(c.file), 1) << c.file;
    EXPECT_EQ(reader.GetType(), ARCHIVE_GZIP);
    EXPECT_EQ(reader.GetFileCount(), 1);
    for (int index : {0, 5}) {
      unsigned char* data = nullptr;
      int size = 0, isFile = 0;
      std::string name;
      ASSERT_EQ(reader.GetFile(index, &data, &size, &isFile, &name), 1);
      EXPECT_EQ(std::string(reinterpret_cast<char*>(data), static_cast<size_t>(size)), c.content);
      EXPECT_EQ(name, "unknown");
      EXPECT_EQ(isFile, 1);
    }
  }
}

TEST(ArchiveReader, ExplainsFilesThatCannotBeRead) {
  CTempFolder folder;
  WriteGzip(folder.Path() / "damaged.gz", std::string(20000, 'd') + "tail");
  std::string damaged = ReadBytes(folder.Path() / "damaged.gz");
  damaged[damaged.size() - 6] ^= 0x55;  // the stored CRC no longer matches
  // A download cut short, in the compressed data or in the closing sizes.
  // zlib's own gzip reading takes the cut at 5488 bytes, where its output
  // buffer fills just as the input ends, for a complete file.
  const std::string tarGzip = ReadBytes(kToolData / "three.tar.gz");
  struct Case {
    std::filesystem::path file;
    const char* text;
  } cases[] = {
      {folder.Path() / "missing.zip", "Could not determine archive type !"},
      {folder.Path(), "Could not determine archive type !"},
      {folder.WriteFile("empty", ""), "Could not read data from gzip archive !"},
      {folder.WriteFile("damaged.gz", damaged), "Could not read data from gzip archive !"},
      {folder.WriteFile("cut.tar.gz", tarGzip.substr(0, tarGzip.size() / 2)),
       "Could not read data from gzip archive !"},
      {folder.WriteFile("cut_size.tar.gz", tarGzip.substr(0, tarGzip.size() - 3)),
       "Could not read data from gzip archive !"},
      {folder.WriteFile("cut_full.tar.gz", tarGzip.substr(0, 5488)),
       "Could not read data from gzip archive !"},
  };
  for (const Case& c : cases) {
    CArchiveReader reader;
    EXPECT_EQ(reader.Open(c.file), 0) << c.file;
    EXPECT_EQ(reader.GetErrorText(), c.text) << c.file;
  }
}

TEST(ArchiveReader, KeepsItsKindButNothingElseAfterClose) {
  CArchiveReader reader;
  unsigned char* data = nullptr;
  int size = 0, isFile = 0;
  std::string name;
  EXPECT_EQ(reader.GetFileCount(), -1);
  EXPECT_EQ(reader.GetErrorText(), "Archive not opened");
  EXPECT_EQ(reader.GetFile(0, &data, &size, &isFile, &name), 0);
  EXPECT_EQ(reader.GetErrorText(), "Archive not opened");

  ASSERT_EQ(reader.Open(kToolData / "with_ut.zip"), 1);
  reader.Close();
  EXPECT_EQ(reader.GetErrorText(), "");
  EXPECT_EQ(reader.GetType(), ARCHIVE_ZIP);
  EXPECT_EQ(reader.GetFileCount(), -1);
  EXPECT_EQ(reader.GetFile(0, &data, &size, &isFile, &name), 0);
  EXPECT_EQ(reader.GetErrorText(), "");

  // Reopened on another kind, it reads that one.
  ASSERT_EQ(reader.Open(kToolData / "three.tar.gz"), 1);
  EXPECT_EQ(reader.GetFileCount(), 3);
}

TEST(ArchiveReader, OpensPathsWithChineseNames) {
  CTempFolder folder;
  const std::filesystem::path file = folder.Path() / std::filesystem::path(u8"產品檔案.zip");
  std::filesystem::copy_file(kToolData / "with_ut.zip", file);
  CArchiveReader reader;
  ASSERT_EQ(reader.Open(file), 1);
  EXPECT_EQ(reader.GetFileCount(), 4);
  reader.Close();

  const std::filesystem::path gzip = folder.Path() / std::filesystem::path(u8"单个.gz");
  std::filesystem::copy_file(kToolData / "single.gz", gzip);
  ASSERT_EQ(reader.Open(gzip), 1);
  EXPECT_EQ(reader.GetType(), ARCHIVE_GZIP);
}

}  // namespace
