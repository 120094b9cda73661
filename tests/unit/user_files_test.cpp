// The user's own folder beside the program folder: what cannot be written
// there is reported, and an edited library is read again, a faulty one
// leaving the previous library in use. (The Wine case
// unwritable_install_folder shows the files surviving a restart.)

#include <gtest/gtest.h>

#include <fstream>

#include "assistant/config/settings.h"
#include "assistant/engine/library_file.h"
#include "assistant/texts/text_tables.h"
#include "base/status.h"
#include "tests/unit/fakes/captured_messages.h"
#include "tests/unit/test_support.h"

namespace {

class UserFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTextTable(437);
    std::filesystem::create_directories(m_folders.program);
    std::ofstream(m_folders.program / kLibraryFileName, std::ios::binary) << "L20X3 0.889\r\n";
  }
  CTempFolder m_root;
  AssistantFolders m_folders{m_root.Path() / "Program Files", m_root.Path() / "AppData" / kUserFolderName};
};

}  // namespace

TEST_F(UserFilesTest, WhatCannotBeWrittenIsReported) {
  // A file where the user's folder should be; then no user's folder at all.
  std::ofstream(m_root.Path() / "AppData") << "in the way";
  for (const AssistantFolders& folders : {m_folders, AssistantFolders{m_folders.program, {}}}) {
    EXPECT_FALSE(SaveUserSettings(folders));
    EXPECT_TRUE(folders.PrepareUserCopy(kLibraryFileName).empty());
    EXPECT_EQ(folders.InUse(kLibraryFileName), m_folders.program / kLibraryFileName);
  }
}

TEST_F(UserFilesTest, AnEditedLibraryIsReadAgainAndAFaultyOneKeepsThePrevious) {
  CLibraryFile library(m_folders);
  MaterialLibrary materials;
  CCapturedMessages messages;
  ASSERT_EQ(library.Load(materials, messages), ST_OK);
  EXPECT_FALSE(library.ChangedSinceLoad());

  // The Edit button's copy becomes the file in use; a section is added,
  // and a second Edit keeps it.
  std::filesystem::path copy = m_folders.PrepareUserCopy(kLibraryFileName);
  EXPECT_TRUE(library.ChangedSinceLoad());
  std::ofstream(copy, std::ios::binary | std::ios::app) << "L25X3 1.124\r\n";
  EXPECT_EQ(m_folders.PrepareUserCopy(kLibraryFileName), copy);
  ASSERT_EQ(library.Reload(materials, messages), ST_OK);
  ASSERT_EQ(materials.rows.size(), 2u);
  EXPECT_EQ(materials.rows[1].spec, "L25X3");

  // A line without its weight: said once, and the library read before stays.
  std::ofstream(copy, std::ios::binary | std::ios::app) << "L30X3\r\n";
  ASSERT_TRUE(library.ChangedSinceLoad());
  EXPECT_EQ(library.Reload(materials, messages), ST_FAIL);
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(materials.rows.size(), 2u);
  EXPECT_FALSE(library.ChangedSinceLoad());
}
