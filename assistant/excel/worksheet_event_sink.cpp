#include "assistant/excel/worksheet_event_sink.h"

#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/excel/link_window.h"

AutomationValue CWorksheetEventSink::Invoke(int dispatchId, InvokeKind,
                                            std::span<const AutomationValue> args) {
  if (args.empty()) return {};
  // The spreadsheet waits for this call: no error may travel back to it.
  try {
    Route(dispatchId, args[0]);
  } catch (const CAutomationError& error) {
    m_lastError = error.Description();
  }
  return {};
}

void CWorksheetEventSink::Route(int dispatchId, const AutomationValue& target) {
  ExcelDispatch range(AutomationObjectOf(target));
  if (range.IsEmpty()) return;
  int row = range.Row();
  int column = range.Column();
  if (column != m_layout.material.number || row <= m_layout.headRows) return;
  // Read only for the events that use it: each read is a call into the
  // spreadsheet's process, and most events (the weight cells the
  // calculation writes) are outside the specification column.
  ExcelDispatch sheet = range.Worksheet();
  if (dispatchId == dispid::kSelectionChange) {
    m_window.SyncMaterialList(sheet, row);
  } else if (dispatchId == dispid::kChange) {
    CalculateBomRow(sheet, row);
  }
}
