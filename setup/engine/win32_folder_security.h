#pragma once

// Folders with access rules of their own (Windows build only): made with
// their security descriptor, never changed after, and read back.

#include <optional>
#include <string>

#include "setup/engine/folder_access.h"

// Creates the folder with the rules of `access` (a security descriptor
// text); false when it exists already or cannot be made.
bool CreateFolderWithAccess(const std::wstring& path, const char* access);

// A new folder in `parent` (which ends in a backslash) named `prefix` and a
// number, made with `access`: a folder that someone placed there under the
// expected name is never taken. Its path with a final backslash; empty when
// none could be made.
std::wstring CreatePrivateFolder(const std::wstring& parent, const std::wstring& prefix, const char* access);

// The same in the temporary folder, with the rules of administrators and the
// system only: where the elevated setup programs put what they run or unpack.
std::wstring CreatePrivateTempFolder(const std::wstring& prefix);

// The user the program runs as, in text form; empty when it cannot be told.
std::string CurrentUserSid();

// The owner and access list of an existing folder; none when they cannot be
// read.
std::optional<FolderAccess> ReadFolderAccess(const std::wstring& path);
