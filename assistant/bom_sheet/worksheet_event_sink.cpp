#include "assistant/bom_sheet/worksheet_event_sink.h"

#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/bom_sheet/link_window.h"
#include "assistant/config/bom_style.h"
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

void CWorksheetEventSink::Route(int dispatchId, const AutomationValue& target) {
  ExcelDispatch range(AutomationObjectOf(target));
  if (range.IsEmpty()) return;
  // Each read is a call into the spreadsheet's process, and most events (the
  // weight cells the calculation writes) are outside the specification
  // column: the column decides before anything else is read.
  if (range.Column() != m_layout.material.number) return;
  int row = range.Row();
  if (row <= m_layout.headRows) return;
  if (dispatchId == dispid::kSelectionChange) {
    m_window.SyncMaterialList(SheetOf(range), row);
  } else if (dispatchId == dispid::kChange) {
    if (m_sheet.IsEmpty()) {
      CalculateBomRow(range.Worksheet(), row);
    } else {
      CalculateBomRowInCells(WatchedCells(), row);
    }
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
