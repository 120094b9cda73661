#pragma once

// Where the running program lies (Windows build only): the folder the
// programs read their files from.

#include <filesystem>

namespace winfx {

// The full path of the running executable, however long.
std::filesystem::path ExecutablePath();

// Its folder, without a trailing separator.
inline std::filesystem::path ProgramFolder() { return ExecutablePath().parent_path(); }

}  // namespace winfx
