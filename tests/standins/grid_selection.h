#pragma once

// The grid's selection as a person makes it: a click starts an area, a drag,
// a Shift+click or Shift+arrows stretch it from where it started, Ctrl adds
// another area, a row header takes whole rows.

#include <utility>
#include <vector>

#include "tests/standins/workbook/workbook_model.h"

class CGridSelection {
 public:
  // A new selection of one cell, or (`addArea`) one more area beside the others.
  void Start(int row, int column, bool addArea);
  // The last area stretched from where it started to (row, column).
  void ExtendTo(int row, int column);
  // Whole rows from the last area's start to `row`; `addArea` as Start.
  void StartRows(int row, bool addArea);
  // Every area widened to its whole rows.
  void WidenToRows();
  // The moving corner moved by rows and columns, stretching (Shift) or not.
  void Step(int rows, int columns, bool stretch);

  const std::vector<CellRect>& Areas() const { return m_areas; }
  // The cell typing goes into: where the last area started.
  std::pair<int, int> Active() const { return {m_startRow, m_startColumn}; }

 private:
  void SetLast(CellRect area);

  std::vector<CellRect> m_areas{CellRect::Cell(1, 1)};
  int m_startRow = 1;
  int m_startColumn = 1;
  int m_endRow = 1;
  int m_endColumn = 1;
  bool m_wholeRows = false;
};
