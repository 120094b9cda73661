#pragma once

// The assistant's three language tables and the active one. A table has 100
// rows of 100 bytes; each row holds one zero-terminated text in the code page
// of its language (GBK for simplified Chinese and English, Big5 for
// traditional Chinese). Texts are addressed by row number.

#include <array>
#include <cstddef>
#include <initializer_list>

inline constexpr int kTextRows = 100;
inline constexpr int kTextRowBytes = 100;

using TextTable = std::array<std::array<char, kTextRowBytes>, kTextRows>;

extern const TextTable kTextChs;
extern const TextTable kTextEng;
extern const TextTable kTextCht;

// The active table, filled by SelectTextTable.
extern TextTable g_uiText;

// Copies kTextChs for 936, kTextCht for 950 and kTextEng for every other code
// page into g_uiText.
void SelectTextTable(unsigned codePage);

// Row `row` of the active table, zero-terminated.
const char* UiText(int row);

// The code page of the bytes in g_uiText: 950 for the traditional table, 936
// otherwise (the English table holds the bar sign as GBK bytes).
unsigned UiTextCodePage();

struct TextRow {
  int row;
  const char* text;
};

// Builds a table at compile time; a text that does not fit its row, or a row
// number out of range, stops the build.
consteval TextTable MakeTextTable(std::initializer_list<TextRow> rows) {
  TextTable table{};
  for (const TextRow& entry : rows) {
    if (entry.row < 0 || entry.row >= kTextRows) throw "text row out of range";
    std::size_t length = 0;
    while (entry.text[length] != '\0') ++length;
    if (length >= kTextRowBytes) throw "text longer than its row";
    for (std::size_t i = 0; i < length; ++i) table[entry.row][i] = entry.text[i];
  }
  return table;
}
