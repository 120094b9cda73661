#pragma once

// The A1 references of a formula moved as the spreadsheet moves them: by an
// offset where a formula is copied (only the parts without "$"), or by the
// rows that moved where rows were deleted or inserted (every reference).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A reference (row, column) and which of its parts are fixed with "$" in,
// its new (row, column) out; none when the cell it named is gone ("#REF!").
using ReferenceMove =
    std::function<std::optional<std::pair<int, int>>(int row, int column, bool rowFixed, bool columnFixed)>;

// `formula` ("=" and the rest) with every cell reference passed through `move`.
std::u16string MoveFormulaReferences(std::u16string_view formula, const ReferenceMove& move);

// A formula copied `rows` down and `columns` right; a reference that would
// leave the sheet becomes "#REF!".
std::u16string OffsetFormula(std::u16string_view formula, int rows, int columns);
