#pragma once

// What an entry typed into a cell, or a text put as a cell's Value or
// Formula, becomes: the spreadsheet reads it exactly as a person's typing.
//   "=..."               a formula, when it reads as the formula language
//   "+..." / "-..."      the same formula with "=" in front ("-120*6" is
//                        =-120*6), unless the whole text reads as a number
//   "'..."               the text after the apostrophe, kept as text
//   "12", "1.5", "-3"    a number
//   anything else        text ("H300*200*6*8"); dates stay text here
// An entry that starts like a formula and does not read as one is refused
// with CAutomationError (the spreadsheet's automation error; a person gets
// an error box).

#include <string>

#include "assistant/excel/automation_object.h"

struct CellEntry {
  AutomationValue value;     // empty, a number or a text
  std::u16string formula;    // "" unless a formula
  bool quotePrefix = false;  // the text came after an apostrophe
};

CellEntry ParseCellEntry(const std::u16string& text);
