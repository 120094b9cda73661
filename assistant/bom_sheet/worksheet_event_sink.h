#pragma once

// The receiver of the attached sheet's events: a change or a selection in
// the specification column below the head rows runs the row calculation or
// moves the material list. A change of many cells at once (a paste, a fill,
// Delete on a selection, rows deleted) calculates every row it meets, as
// one block. The Win32 adapter puts it behind the one static
// IDispatch that the spreadsheet calls.

#include <string>
#include <vector>

#include "assistant/bom_sheet/changed_rows.h"
#include "assistant/excel/automation_object.h"
#include "assistant/excel/excel_dispatch.h"

class LinkWindow;
struct CurrentLayout;

class CWorksheetEventSink : public AutomationObject {
 public:
  // `layout` is read at each event, so a style chosen later applies.
  CWorksheetEventSink(LinkWindow& window, const CurrentLayout& layout) : m_window(window), m_layout(layout) {}

  // The first argument is the target range. Always returns empty: an error
  // inside the handler ends only this event, and goes to the window.
  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) override;
  std::optional<int> DispatchIdOfName(std::u16string_view) override { return std::nullopt; }

  // The sheet whose events come from now on, or none. Known, it saves each
  // event reading the target's worksheet and the calculation its Cells.
  void Watch(const ExcelDispatch& sheet);
  void Forget();

 private:
  void Route(int dispatchId, const AutomationValue& target);
  void OnChange(const ExcelDispatch& target);
  void CalculateRow(const ExcelDispatch& target, int row);
  void CalculateBlock(const ExcelDispatch& target, const std::vector<RowRun>& rows);
  ExcelDispatch SheetOf(const ExcelDispatch& target) const;
  ExcelDispatch WatchedCells();

  LinkWindow& m_window;
  const CurrentLayout& m_layout;
  ExcelDispatch m_sheet;
  ExcelDispatch m_cells;  // the watched sheet's Cells, fetched at its first change
};
