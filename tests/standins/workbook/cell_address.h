#pragma once

// A1 addresses of cells and blocks, as Range("B5") and Range("B5:G20") take
// them (with or without "$").

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/standins/workbook/workbook_model.h"

// One cell's row and column, 1-based; none when `text` is not one.
std::optional<std::pair<int, int>> ParseCellAddress(std::u16string_view text);

// "B5" or "B5:G20" as a block, relative to `base`'s first cell (the sheet's
// A1 for a worksheet); a text that is no address, or a block that leaves the
// sheet, raises CAutomationError.
CellRect ParseBlockAddress(std::u16string_view text, const CellRect& base);

// Blocks separated by commas ("B5:B7,B9"), each as ParseBlockAddress reads
// it. Like the spreadsheet, refuses an address of more than 255 characters.
std::vector<CellRect> ParseAreasAddress(std::u16string_view text, const CellRect& base);
