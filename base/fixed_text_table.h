#pragma once

// The built-in text tables of both programs: a fixed number of rows, each a
// fixed-size slot holding one zero-terminated text, filled at compile time.

#include <array>
#include <cstddef>
#include <initializer_list>

template <std::size_t Rows, std::size_t RowBytes>
using FixedTextTable = std::array<std::array<char, RowBytes>, Rows>;

struct FixedTextEntry {
  int row;
  const char* text;
};

// A text that does not fit its slot, or a row number out of range, stops the
// build; rows not given stay empty.
template <std::size_t Rows, std::size_t RowBytes>
consteval FixedTextTable<Rows, RowBytes> MakeFixedTextTable(std::initializer_list<FixedTextEntry> entries) {
  FixedTextTable<Rows, RowBytes> table{};
  for (const FixedTextEntry& entry : entries) {
    if (entry.row < 0 || static_cast<std::size_t>(entry.row) >= Rows) throw "text row out of range";
    std::size_t length = 0;
    while (entry.text[length] != '\0') ++length;
    if (length >= RowBytes) throw "text longer than its slot";
    for (std::size_t i = 0; i < length; ++i) table[static_cast<std::size_t>(entry.row)][i] = entry.text[i];
  }
  return table;
}
