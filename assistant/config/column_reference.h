#pragma once

// Column references of a BOM layout: Excel column letters ("B", "AA") or a
// column number (1 for A) in the settings file, a number and its letters in
// memory. Columns run from 1 (A) to 256 (IV).

#include <string>
#include <string_view>

inline constexpr int kMaxColumnNumber = 256;
// The rows of a sheet.
inline constexpr int kSheetRows = 65536;

// Letters or digits to a column number; 0 when the text names no column
// (empty, 4 bytes or more, out of 1..256, any other byte).
int ColumnNumberFromText(std::string_view text);

// Writes the letters of `number` into `letters`; a number outside 1..256
// leaves `letters` as it was.
void ColumnLetters(int number, std::string& letters);

// The letters of `number`, or "" outside 1..256.
std::string ColumnLetters(int number);
