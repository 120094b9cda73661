// What the assistant cannot write into the user's own folder is reported,
// and nothing is read from the working folder in its place. (The Wine case
// unwritable_install_folder shows the user's files surviving a restart.)

#include <gtest/gtest.h>

#include <fstream>

#include "assistant/config/settings.h"
#include "tests/unit/test_support.h"

TEST(UserFiles, WhatCannotBeWrittenIsReported) {
  CTempFolder root;
  const std::filesystem::path program = root.Path() / "Program Files";
  std::ofstream(root.Path() / "AppData") << "a file where the user's folder should be";
  for (const AssistantFolders& folders :
       {AssistantFolders{program, root.Path() / "AppData" / kUserFolderName},
        AssistantFolders{program, {}}}) {
    EXPECT_FALSE(SaveUserSettings(folders));
    EXPECT_TRUE(folders.PrepareUserCopy(kLibraryFileName).empty());
    EXPECT_EQ(folders.InUse(kLibraryFileName), program / kLibraryFileName);
  }
}
