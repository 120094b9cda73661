#pragma once

// Where the assistant's files live. The program folder holds what an
// administrator installed, and the assistant, running as the user, never
// writes there; what a user changes (settings, the material library, BOM
// templates) lives in the user's folder, %APPDATA%\Zelmorant10.1. A file is
// read from the user's folder when the user has one, else from the program
// folder.

#include <filesystem>

// The user's folder under the user's application-data folder.
inline constexpr const char* kUserFolderName = "Zelmorant10.1";
// The material library, which the user may edit.
inline constexpr const char* kLibraryFileName = "ZMLib.txt";

struct AssistantFolders {
  std::filesystem::path program;
  std::filesystem::path user;  // empty when the system names none: nothing is written

  // The user's file `name` when it exists, else the program folder's (which
  // may be missing too).
  std::filesystem::path InUse(const std::filesystem::path& name) const;

  // Makes the user's folder when it is missing; false when there is none
  // or it cannot be made.
  bool MakeUserFolder() const;

  // The user's file `name`, to be written or edited: the user's folder made
  // and, the first time, the program folder's file copied into it when there
  // is one. Empty when the folder or the copy cannot be written.
  std::filesystem::path PrepareUserCopy(const std::filesystem::path& name) const;
};
