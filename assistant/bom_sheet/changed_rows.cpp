#include "assistant/bom_sheet/changed_rows.h"

#include <algorithm>

std::vector<RowRun> SpecificationRowsMet(const std::vector<SheetArea>& areas, int column, int headRows) {
  std::vector<RowRun> met;
  for (const SheetArea& area : areas) {
    if (column < area.left || column > area.right || area.bottom <= headRows) continue;
    int first = std::max(area.top, headRows + 1);
    met.push_back({first, area.bottom - first + 1});
  }
  std::sort(met.begin(), met.end(), [](const RowRun& a, const RowRun& b) { return a.firstRow < b.firstRow; });
  std::vector<RowRun> joined;
  for (const RowRun& run : met) {
    if (!joined.empty() && run.firstRow <= joined.back().EndRow()) {
      joined.back().rowCount = std::max(joined.back().EndRow(), run.EndRow()) - joined.back().firstRow;
    } else {
      joined.push_back(run);
    }
  }
  return joined;
}

std::vector<RowRun> ClipRowRuns(const std::vector<RowRun>& runs, int firstRow, int lastRow) {
  std::vector<RowRun> clipped;
  for (const RowRun& run : runs) {
    int first = std::max(run.firstRow, firstRow);
    int end = std::min(run.EndRow(), lastRow + 1);
    if (end > first) clipped.push_back({first, end - first});
  }
  return clipped;
}

int CountRows(const std::vector<RowRun>& runs) {
  int rows = 0;
  for (const RowRun& run : runs) rows += run.rowCount;
  return rows;
}
