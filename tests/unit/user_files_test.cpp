// A user who may not write into the program folder: the settings, the
// material library and the templates are read from the user's folder when
// the user has them, else from the program folder, and written into the
// user's folder only; a library edited meanwhile is read again.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "assistant/config/assistant_folders.h"
#include "assistant/config/bom_style.h"
#include "assistant/config/settings.h"
#include "assistant/engine/library_file.h"
#include "assistant/texts/text_tables.h"
#include "base/status.h"
#include "tests/unit/fakes/captured_messages.h"
#include "tests/unit/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class UserFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTextTable(437);
    fs::create_directories(m_folders.program);
  }
  void TearDown() override {
    g_settings = AssistantSettings();
    SelectBomStyle(1);
  }

  void WriteProgramFile(const char* name, const std::string& bytes) const {
    std::ofstream(m_folders.program / name, std::ios::binary) << bytes;
  }

  CTempFolder m_root;
  AssistantFolders m_folders{m_root.Path() / "Program Files", m_root.Path() / "AppData" / kUserFolderName};
};

}  // namespace

TEST_F(UserFilesTest, SettingsAreTheAdministratorsUntilTheUserSavesTheirOwn) {
  WriteProgramFile(kSettingsFileName, "Density=7000\r\n");
  const std::string installed = FileBytes(m_folders.program / kSettingsFileName);
  LoadSettings(m_folders);
  EXPECT_FLOAT_EQ(g_settings.density, 7000);

  g_settings.density = 7100;
  g_settings.style = 0;
  ASSERT_TRUE(SaveUserSettings(m_folders));  // the user's folder made on the way
  EXPECT_EQ(FileBytes(m_folders.program / kSettingsFileName), installed);

  g_settings = AssistantSettings();
  LoadSettings(m_folders);
  EXPECT_FLOAT_EQ(g_settings.density, 7100);
  EXPECT_EQ(g_settings.style, 0);
  EXPECT_EQ(g_currentLayout.templateFile, "simple.xls");
}

TEST_F(UserFilesTest, SettingsThatCannotBeWrittenAreReported) {
  // A file where the user's folder should be: neither folder nor file can be made.
  fs::create_directories(m_folders.user.parent_path());
  std::ofstream(m_folders.user) << "in the way";
  EXPECT_FALSE(SaveUserSettings(m_folders));
  EXPECT_TRUE(m_folders.PrepareUserCopy(kLibraryFileName).empty());

  // No user's folder at all: nothing is written, nor read from the working folder.
  const AssistantFolders none{m_folders.program, {}};
  EXPECT_FALSE(SaveUserSettings(none));
  EXPECT_TRUE(none.PrepareUserCopy(kLibraryFileName).empty());
  EXPECT_EQ(none.InUse(kLibraryFileName), m_folders.program / kLibraryFileName);
}

TEST_F(UserFilesTest, TheUsersCopyIsMadeOnceAndThenRead) {
  WriteProgramFile(kLibraryFileName, "L20X3 0.889\r\n");
  EXPECT_EQ(m_folders.InUse(kLibraryFileName), m_folders.program / kLibraryFileName);

  fs::path copy = m_folders.PrepareUserCopy(kLibraryFileName);
  ASSERT_EQ(copy, m_folders.user / kLibraryFileName);
  EXPECT_EQ(FileBytes(copy), "L20X3 0.889\r\n");
  EXPECT_EQ(m_folders.InUse(kLibraryFileName), copy);

  // The user's edits stay: the installed file is copied the first time only.
  std::ofstream(copy, std::ios::binary) << "L25X3 1.124\r\n";
  EXPECT_EQ(m_folders.PrepareUserCopy(kLibraryFileName), copy);
  EXPECT_EQ(FileBytes(copy), "L25X3 1.124\r\n");

  // A template the program folder does not have: the user's name for it,
  // its folder ready, for the spreadsheet to save into.
  fs::path made = m_folders.PrepareUserCopy("simple.xls");
  EXPECT_EQ(made, m_folders.user / "simple.xls");
  EXPECT_FALSE(fs::exists(made));
}

TEST_F(UserFilesTest, TheLibraryFollowsItsFileAndAFaultyEditKeepsThePreviousOne) {
  WriteProgramFile(kLibraryFileName, "L20X3 0.889\r\n");
  CLibraryFile library(m_folders);
  MaterialLibrary materials;
  CCapturedMessages messages;
  ASSERT_EQ(library.Load(materials, messages), ST_OK);
  EXPECT_FALSE(library.ChangedSinceLoad());

  // The Edit button's copy is another file in use; the user adds a section.
  fs::path copy = m_folders.PrepareUserCopy(kLibraryFileName);
  EXPECT_TRUE(library.ChangedSinceLoad());
  std::ofstream(copy, std::ios::binary) << "L20X3 0.889\r\nL25X3 1.124\r\n";
  ASSERT_EQ(library.Reload(materials, messages), ST_OK);
  ASSERT_EQ(materials.rows.size(), 2u);
  EXPECT_EQ(materials.rows[1].spec, "L25X3");
  EXPECT_FALSE(library.ChangedSinceLoad());

  // A line without its weight: the loader says so, once, and the library
  // read before stays in use.
  std::ofstream(copy, std::ios::binary) << "L20X3 0.889\r\nL30X3\r\n";
  ASSERT_TRUE(library.ChangedSinceLoad());
  EXPECT_EQ(library.Reload(materials, messages), ST_FAIL);
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(materials.rows.size(), 2u);
  EXPECT_FALSE(library.ChangedSinceLoad());
}
