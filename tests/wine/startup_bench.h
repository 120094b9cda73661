#pragma once

// The assistant's start beside Wine's Notepad in the same run: the time
// from starting the process to its window's first paint, and the time New
// BOM then takes until the sheet is attached. Prints the figures; false
// when a window did not appear.

#include <filesystem>

bool ReportStartUpTimes(const std::filesystem::path& assistant, const std::filesystem::path& library);
