// The mingw build of minizip reads a zip made by Debian's zip tool, through
// the wide-character Win32 file functions that the setup program uses.

#include <windows.h>

#include <gtest/gtest.h>
#include <unzip.h>

// After unzip.h, which declares what it uses.
#include <iowin32.h>

#include <string>
#include <vector>

namespace {

// Closes the archive when the test ends.
class CZipFile {
 public:
  explicit CZipFile(const wchar_t* path) {
    zlib_filefunc64_def functions;
    fill_win32_filefunc64W(&functions);
    m_file = unzOpen2_64(path, &functions);
  }
  ~CZipFile() {
    if (m_file) unzClose(m_file);
  }
  CZipFile(const CZipFile&) = delete;
  CZipFile& operator=(const CZipFile&) = delete;
  unzFile Get() const { return m_file; }

 private:
  unzFile m_file = nullptr;
};

std::string ReadCurrentEntry(unzFile zip) {
  EXPECT_EQ(unzOpenCurrentFile(zip), UNZ_OK);
  std::string content;
  std::vector<char> buffer(4096);
  int read = 0;
  while ((read = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
    content.append(buffer.data(), static_cast<size_t>(read));
  }
  EXPECT_EQ(read, 0);
  EXPECT_EQ(unzCloseCurrentFile(zip), UNZ_OK);  // the CRC check
  return content;
}

}  // namespace

TEST(Minizip, ReadsEveryEntryOfAZipMadeByTheZipTool) {
  CZipFile zip(L"" ZM_SAMPLE_ZIP_NAME);
  ASSERT_NE(zip.Get(), nullptr);

  unz_global_info64 info;
  ASSERT_EQ(unzGetGlobalInfo64(zip.Get(), &info), UNZ_OK);
  EXPECT_EQ(info.number_entry, 3u);

  std::vector<std::string> names;
  std::string readme;
  size_t libraryBytes = 0;
  for (int status = unzGoToFirstFile(zip.Get()); status == UNZ_OK; status = unzGoToNextFile(zip.Get())) {
    char name[260];
    unz_file_info64 entry;
    ASSERT_EQ(unzGetCurrentFileInfo64(zip.Get(), &entry, name, sizeof name, nullptr, 0, nullptr, 0), UNZ_OK);
    names.push_back(name);
    std::string content = ReadCurrentEntry(zip.Get());
    EXPECT_EQ(content.size(), entry.uncompressed_size);
    if (names.back() == "readme.txt") readme = content;
    if (names.back() == "docs/ZMLib.txt") libraryBytes = content.size();
  }
  EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "docs/", "docs/ZMLib.txt"}));
  EXPECT_EQ(readme.substr(0, 11), "first entry");
  EXPECT_GT(libraryBytes, 10000u);
}

TEST(Minizip, RefusesAMissingArchive) {
  CZipFile zip(L"no-such.zip");
  EXPECT_EQ(zip.Get(), nullptr);
}
