#include "assistant/bom_sheet/worksheet_event_sink.h"

#include "assistant/bom_sheet/bom_renewal.h"
#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/bom_sheet/changed_rows.h"
#include "assistant/bom_sheet/link_window.h"
#include "assistant/config/bom_style.h"
#include "assistant/config/settings.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "base/code_page.h"

AutomationValue CWorksheetEventSink::Invoke(int dispatchId, InvokeKind,
                                            std::span<const AutomationValue> args) {
  if (args.empty()) return {};
  // The spreadsheet waits for this call: no error may travel back to it.
  try {
    Route(dispatchId, args[0]);
  } catch (const CAutomationError& error) {
    m_window.ReportEventError(error.Description());
  } catch (const std::exception& error) {
    m_window.ReportEventError(Utf16FromAscii(error.what()));
  }
  return {};
}

namespace {

// Rows of a block beyond which its calculation is long enough to show the
// wait pointer (about a second against the spreadsheet).
constexpr int kRowsWorthTheWaitPointer = 500;

class CWaitPointerWhile {
 public:
  CWaitPointerWhile(LinkWindow& window, bool shown) : m_window(window), m_shown(shown) {
    if (m_shown) m_window.ShowWaitPointer(true);
  }
  ~CWaitPointerWhile() {
    if (m_shown) m_window.ShowWaitPointer(false);
  }
  CWaitPointerWhile(const CWaitPointerWhile&) = delete;
  CWaitPointerWhile& operator=(const CWaitPointerWhile&) = delete;

 private:
  LinkWindow& m_window;
  bool m_shown;
};

}  // namespace

void CWorksheetEventSink::Route(int dispatchId, const AutomationValue& target) {
  ExcelDispatch range(AutomationObjectOf(target));
  if (range.IsEmpty()) return;
  if (dispatchId == dispid::kChange) return OnChange(range);
  // Each read is a call into the spreadsheet's process: the column decides
  // before anything else is read.
  if (range.Column() != m_layout.material.number) return;
  int row = range.Row();
  if (row <= m_layout.headRows) return;
  if (dispatchId == dispid::kSelectionChange) m_window.SyncMaterialList(SheetOf(range), row);
}

// Most changes are the weight cells the calculation itself writes: the
// target's address, one call, tells every area of it, and so whether it
// meets the specification column at all.
void CWorksheetEventSink::OnChange(const ExcelDispatch& target) {
  std::optional<std::vector<SheetArea>> areas = ParseRangeAddress(target.Address());
  if (!areas) return;
  std::vector<RowRun> rows = SpecificationRowsMet(*areas, m_layout.material.number, m_layout.headRows);
  if (rows.empty()) return;
  if (rows.size() == 1 && rows[0].rowCount == 1) return CalculateRow(target, rows[0].firstRow);
  CalculateBlock(target, rows);
}

void CWorksheetEventSink::CalculateRow(const ExcelDispatch& target, int row) {
  if (m_sheet.IsEmpty()) {
    CalculateBomRow(target.Worksheet(), row);
  } else {
    CalculateBomRowInCells(WatchedCells(), row);
  }
}

// A block, cut to the used rows first (a whole column is a million cells),
// is calculated as Renew All calculates: a few calls whatever its length.
void CWorksheetEventSink::CalculateBlock(const ExcelDispatch& target, const std::vector<RowRun>& rows) {
  ExcelDispatch sheet = SheetOf(target);
  std::optional<std::vector<SheetArea>> used = ParseRangeAddress(sheet.UsedRange().Address());
  if (!used || used->empty()) return;
  std::vector<RowRun> usedRows = ClipRowRuns(rows, used->front().top, used->front().bottom);
  if (usedRows.empty()) return;
  ExcelDispatch cells = m_sheet.IsEmpty() ? sheet.Cells() : WatchedCells();
  CWaitPointerWhile wait(m_window, CountRows(usedRows) > kRowsWorthTheWaitPointer);
  for (const RowRun& run : usedRows) {
    RenewBomRows(cells, run.firstRow, run.rowCount, g_materialLibrary, m_layout, g_settings,
                 EmptyRows::kCleared);
  }
}

void CWorksheetEventSink::Watch(const ExcelDispatch& sheet) {
  m_sheet = sheet;
  m_cells = ExcelDispatch();
}

void CWorksheetEventSink::Forget() { Watch(ExcelDispatch()); }

ExcelDispatch CWorksheetEventSink::SheetOf(const ExcelDispatch& target) const {
  return m_sheet.IsEmpty() ? target.Worksheet() : m_sheet;
}

ExcelDispatch CWorksheetEventSink::WatchedCells() {
  if (m_cells.IsEmpty()) m_cells = m_sheet.Cells();
  return m_cells;
}
