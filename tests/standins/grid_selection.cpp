#include "tests/standins/grid_selection.h"

#include <algorithm>

namespace {

int Clamp(int value, int last) { return std::clamp(value, 1, last); }

}  // namespace

void CGridSelection::SetLast(CellRect area) {
  if (m_wholeRows) area.left = 1, area.right = kSheetColumns;
  m_areas.back() = area;
}

void CGridSelection::Start(int row, int column, bool addArea) {
  if (!addArea) m_areas.clear();
  m_areas.push_back(CellRect::Cell(row, column));
  m_startRow = m_endRow = row;
  m_startColumn = m_endColumn = column;
  m_wholeRows = false;
}

void CGridSelection::ExtendTo(int row, int column) {
  m_endRow = Clamp(row, kSheetRows);
  m_endColumn = Clamp(column, kSheetColumns);
  SetLast({std::min(m_startRow, m_endRow), std::min(m_startColumn, m_endColumn),
           std::max(m_startRow, m_endRow), std::max(m_startColumn, m_endColumn)});
}

void CGridSelection::StartRows(int row, bool addArea) {
  Start(row, 1, addArea);
  m_wholeRows = true;
  SetLast(m_areas.back());
}

void CGridSelection::WidenToRows() {
  for (CellRect& area : m_areas) area.left = 1, area.right = kSheetColumns;
  m_wholeRows = true;
}

void CGridSelection::Step(int rows, int columns, bool stretch) {
  if (stretch) return ExtendTo(m_endRow + rows, m_endColumn + columns);
  Start(Clamp(m_startRow + rows, kSheetRows), Clamp(m_startColumn + columns, kSheetColumns), false);
}
