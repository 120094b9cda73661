// Archive access against the real Windows file API: sharing rules of the
// archive file, and zmarchive run as a program with a Chinese file name and
// its output in a pipe.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "setup/archive/archive_reader.h"
#include "tests/unit/archive_test_files.h"
#include "tests/unit/test_support.h"
#include "tests/wine/driver/ui_driver.h"

namespace {

const std::filesystem::path kToolZip = ZM_ARCHIVE_DATA "/with_ut.zip";

// Owns a handle of the archive file while a test runs.
class CFileHolder {
 public:
  CFileHolder(const std::filesystem::path& file, DWORD access, DWORD share)
      : m_handle(CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~CFileHolder() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  CFileHolder(const CFileHolder&) = delete;
  CFileHolder& operator=(const CFileHolder&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_handle;
};

TEST(ArchiveWine, ReadsAnArchiveThatOthersAreReading) {
  CFileHolder reading(kToolZip, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(reading.IsOpen());
  CArchiveReader reader;
  ASSERT_EQ(reader.Open(kToolZip), 1);
  EXPECT_EQ(reader.GetFileCount(), 4);
}

TEST(ArchiveWine, ExplainsAnArchiveThatAnotherProgramLocked) {
  CTempFolder folder;
  const std::filesystem::path file = folder.Path() / L"鎖定.zip";
  std::filesystem::copy_file(kToolZip, file);
  CFileHolder locked(file, GENERIC_READ | GENERIC_WRITE, 0);
  ASSERT_TRUE(locked.IsOpen());
  CArchiveReader reader;
  EXPECT_EQ(reader.Open(file), 0);
  EXPECT_EQ(reader.GetErrorText(), "Could not determine archive type !");
}

// Runs zmarchive with the arguments and returns what it wrote to the pipe.
std::string RunTool(const std::wstring& arguments, DWORD& exitCode) {
  uidriver::ProgramRun run = uidriver::RunCapturingOutput(L"\"" ZM_ZMARCHIVE_EXE L"\" " + arguments);
  exitCode = run.exitCode;
  return run.output;
}

TEST(ArchiveWine, ZmarchiveTakesWideFileNamesAndWritesUtf8ToAPipe) {
  CTempFolder folder;
  const std::filesystem::path file = folder.Path() / L"產品.tar";
  std::ofstream(file, std::ios::binary) << MakeTar({{Big5("說明.txt"), "abc"}});
  DWORD exitCode = 99;
  const std::string output = RunTool(L"--names 950 \"" + file.wstring() + L"\"", exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(output, "kind tar\ncount 1\n0\t3\t1\t說明.txt\n");

  EXPECT_EQ(RunTool(L"\"" + (folder.Path() / L"無.zip").wstring() + L"\"", exitCode),
            "zmarchive: Could not determine archive type !\n");
  EXPECT_EQ(exitCode, 1u);
}

}  // namespace
