#include "setup/engine/uninstall_log.h"

#include <gtest/gtest.h>

#include <string>

#include "setup/engine/setup_state.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tests/unit/fakes/setup_fakes.h"
#include "tests/unit/test_support.h"

namespace {

class UninstallLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(1252);
    g_installDir = TestFolder(m_temp.Path(), "inst");
    m_logPath = g_installDir + kUninstallLogName;
  }
  std::string CloseAndRead() {
    g_uninstallLog.Close();
    return ReadTestFile(m_logPath);
  }

  CSetupStateGuard m_guard;
  CTempFolder m_temp;
  CSetupTestFiles m_files;
  std::string m_logPath;
};

}  // namespace

TEST_F(UninstallLogTest, RuntimeFilesAndTheFolderWithoutItsBackslash) {
  OpenUninstallLog(m_files);
  std::string realFolder = g_installDir;
  g_installDir = "D:\\Tools\\";
  AppendRuntimeRecords();
  g_installDir = realFolder;
  EXPECT_EQ(CloseAndRead(),
            "P0,D:\\Tools\\Zelmorant.ini,0\r\n"
            "P0,D:\\Tools\\replace.txt,0\r\n"
            "P0,D:\\Tools\\Ostrevia.ini,0\r\n"
            "P0,D:\\Tools\\uninstall.ini,0\r\n"
            "U0,D:\\Tools,0\r\n");
}

TEST_F(UninstallLogTest, OpeningReplacesAReadOnlyLogAndTruncatesIt) {
  m_files.readOnly.insert(m_logPath);
  m_temp.WriteFile("inst/uninstall.ini", "old records that must go\r\n");
  OpenUninstallLog(m_files);
  ASSERT_TRUE(g_uninstallLog.IsOpen());
  AppendFileRecord("x");
  EXPECT_EQ(CloseAndRead(), "P0,x,0\r\n");
}

TEST_F(UninstallLogTest, ALogThatCannotBeOpenedTakesNoRecords) {
  m_files.locked.insert(m_logPath);
  OpenUninstallLog(m_files);
  EXPECT_FALSE(g_uninstallLog.IsOpen());
  AppendFileRecord("x");
  WriteUninstallMessages();
  EXPECT_FALSE(g_uninstallLog.WriteLine("y"));
}

TEST_F(UninstallLogTest, AddRemoveProgramsEntry) {
  MemoryRegistry registry;
  g_installDir = "C:\\Program Files\\Zelmorant10.1\\";
  EXPECT_TRUE(RegisterUninstallEntry(registry));
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1";
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, key, "DisplayName"), "Zelmorant10.1");
  // Quoted: unquoted, a folder with blanks could start C:\Program.exe.
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, key, "UninstallString"),
            "\"C:\\Program Files\\Zelmorant10.1\\uninstall.exe\"");
  EXPECT_EQ(registry.Get(kHkeyLocalMachine, key, "UninstallString")->type, kRegSz);
  EXPECT_EQ(registry.OpenHandles(), 0);

  MemoryRegistry refused;
  refused.Refuse(kHkeyLocalMachine, "Software\\Microsoft");
  EXPECT_FALSE(RegisterUninstallEntry(refused));
  EXPECT_FALSE(refused.HasKey(kHkeyLocalMachine, key));
}
