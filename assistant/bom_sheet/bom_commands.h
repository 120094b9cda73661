#pragma once

// The main window's commands on the linked spreadsheet: a new BOM workbook,
// a text put into the active cell, and all rows renewed. They work on the
// link only, so that they run against the in-memory workbook as well as the
// real application; what a command leaves to the window (a message, the
// spreadsheet's window on top) it tells by its result.

#include <filesystem>
#include <string>
#include <string_view>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/assistant_folders.h"

// The rows RenewAll renews, [firstRow, endRow), and the width of the block
// it then selects from the specification column on.
struct RenewRange {
  int firstRow = 0;
  int endRow = 0;
  int columns = 1;
  int RowCount() const { return endRow > firstRow ? endRow - firstRow : 0; }
};

// For a used range of `usedRowCount` rows from `usedFirstRow`: the rows
// below the head rows, and the columns from the specification column up to
// (not including) the total-weight column; one column when that column is
// not to its right.
RenewRange ComputeRenewRange(int usedFirstRow, int usedRowCount, int headRows, int materialColumn,
                             int totalWeightColumn);

enum class LinkCommandResult {
  kNoApplication,     // the link holds no application
  kOtherSheetActive,  // the active window or sheet is not the attached one
  kNotApplicable,     // the active cell is outside the specification rows
  kDone,              // the spreadsheet's window should come to the top
};

// Whether the application's active window carries the attached caption and
// its active sheet the attached index.
bool IsAttachedSheetActive(const ExcelLink& link);

// Finds or starts the spreadsheet, adds a workbook from the current style's
// template (the user's, else the program folder's; with the style's header
// written when neither exists) and attaches its sheet. False when no
// spreadsheet could be had (the link has shown why).
bool NewBom(ExcelLink& link, const AssistantFolders& folders);

// Writes `text` (GBK) as the value of the active cell when it lies in the
// specification column below the head rows of the attached sheet; the
// sheet's change event then calculates the row.
LinkCommandResult InsertIntoActiveCell(ExcelLink& link, std::string_view text);

// Calculates every non-empty specification below the head rows again and
// writes what the sheet's change event would have written for each (the
// weight formulas, the specification's colour), in a few calls for the whole
// block; the specifications themselves are left as they are. Then selects
// the rows' block. With no row below the head rows nothing is written and
// nothing selected.
LinkCommandResult RenewAll(ExcelLink& link);

// The specification shown in column B of `row` of `sheet` (GBK, blanks
// trimmed), which becomes the link's active cell; empty for a row below 1.
std::string TakeSpecificationCell(ExcelLink& link, const ExcelDispatch& sheet, int row);
