#pragma once

// A block of cells as text, the clipboard's form that every program reads
// and writes: cells separated by tabs, rows ended by line ends.

#include <string>
#include <string_view>
#include <vector>

using TextTable = std::vector<std::vector<std::u16string>>;

std::u16string TableText(const TextTable& table);
// Rows of `text`, a last line end not making an empty row; "\r\n", "\n"
// and "\r" all end a row.
TextTable ParseTableText(std::u16string_view text);
