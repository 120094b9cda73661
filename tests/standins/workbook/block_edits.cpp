// The worksheet's edits of many cells at once: what a paste, Delete on a
// selection, a fill or a deletion of rows does to the cells, and the one
// change event each fires for its whole block.

#include <algorithm>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "tests/standins/workbook/formula_references.h"
#include "tests/standins/workbook/workbook_model.h"

void CModelSheet::ClearContents(const std::vector<CellRect>& areas) {
  CheckWritable();
  for (const CellRect& area : areas) {
    for (auto cell = m_cells.begin(); cell != m_cells.end();) {
      auto [row, column] = cell->first;
      auto next = std::next(cell);
      if (area.Contains(row, column)) SetInput(row, column, CellEntry{});
      cell = next;
    }
  }
  FireEvent(dispid::kChange, areas);
}

// Rows from `first` to `last` move by `by` rows (up when negative) with
// their cells and merged areas; every formula's references to them follow.
void CModelSheet::MoveRows(int first, int last, int by) {
  std::map<std::pair<int, int>, ModelCell> moved;
  for (auto& [position, cell] : m_cells) {
    auto [row, column] = position;
    bool moves = row >= first && row <= last;
    moved[{moves ? row + by : row, column}] = std::move(cell);
  }
  m_cells = std::move(moved);
  for (CellRect& area : m_merges) {
    if (area.top >= first && area.top <= last) area.top += by, area.bottom += by;
  }
  auto follow = [&](int row, int column, bool, bool) -> std::optional<std::pair<int, int>> {
    return std::pair{row >= first && row <= last ? row + by : row, column};
  };
  for (auto& [position, cell] : m_cells) {
    if (!cell.formula.empty()) cell.formula = MoveFormulaReferences(cell.formula, follow);
  }
}

void CModelSheet::DeleteRows(int first, int last) {
  CheckWritable();
  std::erase_if(m_cells,
                [&](const auto& cell) { return cell.first.first >= first && cell.first.first <= last; });
  std::erase_if(m_merges, [&](const CellRect& area) { return area.bottom >= first && area.top <= last; });
  auto gone = [&](int row, int column, bool, bool) -> std::optional<std::pair<int, int>> {
    if (row >= first && row <= last) return std::nullopt;
    return std::pair{row, column};
  };
  for (auto& [position, cell] : m_cells) {
    if (!cell.formula.empty()) cell.formula = MoveFormulaReferences(cell.formula, gone);
  }
  MoveRows(last + 1, kSheetRows, -(last - first + 1));
  FireEvent(dispid::kChange, CellRect::Rows(first, last));
}

void CModelSheet::InsertRows(int first, int count) {
  CheckWritable();
  // Rows pushed off the sheet's end are lost, as the spreadsheet refuses to
  // lose anything but empty ones.
  std::erase_if(m_cells, [&](const auto& cell) { return cell.first.first > kSheetRows - count; });
  MoveRows(first, kSheetRows - count, count);
  FireEvent(dispid::kChange, CellRect::Rows(first, first + count - 1));
}

void CModelSheet::CopyCell(int fromRow, int fromColumn, int toRow, int toColumn, const ModelCell* source) {
  if (!source) {
    m_cells.erase({toRow, toColumn});
    return;
  }
  ModelCell copy = *source;
  if (!copy.formula.empty())
    copy.formula = OffsetFormula(copy.formula, toRow - fromRow, toColumn - fromColumn);
  m_cells[{toRow, toColumn}] = std::move(copy);
}

void CModelSheet::CopyBlock(const CellRect& source, const CellRect& destination) {
  CheckWritable();
  int rows = source.bottom - source.top + 1;
  int columns = source.right - source.left + 1;
  int destinationRows = destination.bottom - destination.top + 1;
  int destinationColumns = destination.right - destination.left + 1;
  // A destination that is not a whole multiple of the source takes it once.
  int timesDown = destinationRows % rows == 0 ? destinationRows / rows : 1;
  int timesAcross = destinationColumns % columns == 0 ? destinationColumns / columns : 1;
  CellRect target{destination.top, destination.left,
                  std::min(kSheetRows, destination.top + rows * timesDown - 1),
                  std::min(kSheetColumns, destination.left + columns * timesAcross - 1)};
  // Read first: the source and the destination may overlap.
  std::map<std::pair<int, int>, ModelCell> taken;
  for (const auto& [position, cell] : m_cells) {
    if (source.Contains(position.first, position.second)) taken[position] = cell;
  }
  for (int row = target.top; row <= target.bottom; ++row) {
    for (int column = target.left; column <= target.right; ++column) {
      int fromRow = source.top + (row - target.top) % rows;
      int fromColumn = source.left + (column - target.left) % columns;
      auto found = taken.find({fromRow, fromColumn});
      CopyCell(fromRow, fromColumn, row, column, found == taken.end() ? nullptr : &found->second);
    }
  }
  FireEvent(dispid::kChange, target);
}

void CModelSheet::FillDown(const CellRect& block) {
  CheckWritable();
  std::map<int, ModelCell> first;
  for (int column = block.left; column <= block.right; ++column) {
    auto found = m_cells.find({block.top, column});
    if (found != m_cells.end()) first[column] = found->second;
  }
  for (int row = block.top + 1; row <= block.bottom; ++row) {
    for (int column = block.left; column <= block.right; ++column) {
      auto found = first.find(column);
      CopyCell(block.top, column, row, column, found == first.end() ? nullptr : &found->second);
    }
  }
  FireEvent(dispid::kChange, block);
}

CellRect CModelSheet::PasteTexts(int top, int left, const std::vector<std::vector<std::u16string>>& rows) {
  CheckWritable();
  std::size_t width = 1;
  for (const auto& row : rows) width = std::max(width, row.size());
  CellRect block{top, left, std::min(kSheetRows, top + static_cast<int>(rows.size()) - 1),
                 std::min(kSheetColumns, left + static_cast<int>(width) - 1)};
  for (int row = block.top; row <= block.bottom; ++row) {
    const auto& texts = rows[static_cast<std::size_t>(row - top)];
    for (int column = block.left; column <= block.right; ++column) {
      std::size_t index = static_cast<std::size_t>(column - left);
      std::u16string text = index < texts.size() ? texts[index] : std::u16string();
      CellEntry entry;
      try {
        entry = ParseCellEntry(text);
      } catch (const CAutomationError&) {
        entry.value = text;
      }
      SetInput(row, column, entry);
    }
  }
  FireEvent(dispid::kChange, block);
  return block;
}
