#pragma once

// The assistant's three language tables and the active one. A table has 100
// rows of 100 bytes; each row holds one zero-terminated text in the code page
// of its language (GBK for simplified Chinese and English, Big5 for
// traditional Chinese). Texts are addressed by row number.

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/fixed_text_table.h"

inline constexpr int kTextRows = 100;
inline constexpr int kTextRowBytes = 100;

// A row of our own beside the rows the tables have always had: a command
// the spreadsheet kept refusing while a person edited a cell.
inline constexpr int kMsgSpreadsheetBusy = 98;
// A settings file, material library or template that could not be written
// into the user's folder; "%s" stands for its path.
inline constexpr int kMsgCannotWriteFile = 80;
// A program registered as the spreadsheet that does not know the members
// the assistant calls.
inline constexpr int kMsgNotTheSpreadsheet = 81;
// The sheet field while the spreadsheet is found or started at start-up.
inline constexpr int kMsgStartingSpreadsheet = 82;

using TextTable = FixedTextTable<kTextRows, kTextRowBytes>;

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

// Row `row` of the active table in UTF-16, its "%s" replaced by `name`.
std::u16string UiTextNaming(int row, std::u16string_view name);

// The code page of the bytes in g_uiText: 950 for the traditional table, 936
// otherwise (the English table holds the bar sign as GBK bytes).
unsigned UiTextCodePage();

using TextRow = FixedTextEntry;

consteval TextTable MakeTextTable(std::initializer_list<TextRow> rows) {
  return MakeFixedTextTable<kTextRows, kTextRowBytes>(rows);
}
