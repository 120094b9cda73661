#pragma once

// The rows of the specification column that a change event's target meets:
// a target can be any block (a paste, whole rows, a whole column, several
// areas), read from its address in one call.

#include <vector>

#include "assistant/excel/range_address.h"

// Rows from `firstRow`, `rowCount` of them.
struct RowRun {
  int firstRow = 0;
  int rowCount = 0;
  int EndRow() const { return firstRow + rowCount; }
  bool operator==(const RowRun&) const = default;
};

// The rows below `headRows` where `areas` meet column `column`, in order,
// overlapping and touching runs joined.
std::vector<RowRun> SpecificationRowsMet(const std::vector<SheetArea>& areas, int column, int headRows);

// `runs` cut to the rows from `firstRow` to `lastRow`.
std::vector<RowRun> ClipRowRuns(const std::vector<RowRun>& runs, int firstRow, int lastRow);

int CountRows(const std::vector<RowRun>& runs);
