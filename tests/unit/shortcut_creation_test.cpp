#include "setup/engine/shortcuts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "tests/unit/fakes/setup_fakes.h"
#include "tests/unit/test_support.h"

namespace {

using Links = std::vector<std::pair<std::string, std::string>>;

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folders.programsFolder = TestFolder(m_temp.Path(), "Programs");
    m_group = m_folders.programsFolder + "Zelmorant10.1";
  }
  bool Create(int codePage) {
    SetLanguage(codePage);
    OpenUninstallLog(m_files);
    return CreateShortcuts(m_folders, m_files, m_links);
  }
  std::string Log() {
    g_uninstallLog.Close();
    return ReadTestFile(g_installDir + kUninstallLogName);
  }

  CSetupStateGuard m_guard;
  CTempFolder m_temp;
  CSetupTestFiles m_files;
  CFakeSystemFolders m_folders;
  CFakeShellLinks m_links;
  std::string m_group;
};

}  // namespace

TEST_F(ShortcutTest, FourLinksInTheGroupWithTheLanguagesNames) {
  const struct {
    int codePage;
    std::string help;
    std::string helpTarget;
    std::string uninstall;
  } cases[] = {
      // Paths are UTF-8, whatever the language.
      {950, "Zelmorant幫助.lnk", "ZMCht.chm", "卸載Zelmorant.lnk"},
      {936, "Zelmorant帮助.lnk", "ZMChs.chm", "卸载Zelmorant.lnk"},
      {1252, "Zelmorant Help.lnk", "ZMEng.chm", "Uninstall Zelmorant.lnk"},
  };
  for (const auto& c : cases) {
    m_links.links.clear();
    g_installDir = TestFolder(m_temp.Path(), "inst");
    EXPECT_TRUE(Create(c.codePage));
    EXPECT_EQ(m_links.links,
              (Links{
                  {g_installDir + "Ostrevia.exe", m_group + "\\Ostrevia.lnk"},
                  {g_installDir + c.helpTarget, m_group + "\\" + c.help},
                  {g_installDir + "ZMConfig.exe", m_group + "\\" + SetupTextAsPath(g_text[13])},
                  {g_installDir + "uninstall.exe", m_group + "\\" + c.uninstall},
              }))
        << c.codePage;
    EXPECT_TRUE(std::filesystem::is_directory(NativePath(m_group)));
  }
}

TEST_F(ShortcutTest, NoProgramsFolderMeansNoLinksAndNoRecords) {
  g_installDir = TestFolder(m_temp.Path(), "inst");
  m_folders.programsFolder.clear();
  EXPECT_FALSE(Create(950));
  EXPECT_TRUE(m_links.links.empty());
  EXPECT_EQ(Log(), "");
}
