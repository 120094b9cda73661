#pragma once

// Formulas of the in-memory workbook: numbers, A1 references (with or
// without "$"), + - * /, unary signs and parentheses.

#include <functional>
#include <string>
#include <string_view>

struct FormulaResult {
  double value = 0;
  std::u16string error;  // "#VALUE!", "#DIV/0!", "#REF!" or "#NAME?"; empty when computed
};

// The value of a referenced cell: empty cells are 0, text cells #VALUE!.
using CellReader = std::function<FormulaResult(int row, int column)>;

// `formula` begins with "=".
FormulaResult EvaluateSheetFormula(std::u16string_view formula, const CellReader& readCell);

// Whether `formula` ("=" and the rest) reads as the formula language at all;
// what it computes (an error value included) does not matter.
bool IsSheetFormula(std::u16string_view formula);
