#pragma once

// Where the running program lies (Windows build only): the folder the
// programs read their files from, and the user's own folder for data.

#include <filesystem>

namespace winfx {

// The full path of the running executable, however long.
std::filesystem::path ExecutablePath();

// Its folder, without a trailing separator.
inline std::filesystem::path ProgramFolder() { return ExecutablePath().parent_path(); }

// The user's roaming application-data folder (%APPDATA%); empty when the
// system names none.
std::filesystem::path UserAppDataFolder();

}  // namespace winfx
