#include "assistant/bom_sheet/bom_row_writer.h"

#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/excel_dispatch.h"
#include "base/code_page.h"
#include "base/status.h"

int CalculateBomRow(const ExcelDispatch& sheet, int row, const MaterialLibrary& library,
                    const CurrentLayout& layout, const AssistantSettings& settings) {
  if (row < 1) return ST_FAIL;
  return CalculateBomRowInCells(sheet.Cells(), row, library, layout, settings);
}

int CalculateBomRow(const ExcelDispatch& sheet, int row) {
  return CalculateBomRow(sheet, row, g_materialLibrary, g_currentLayout, g_settings);
}

int CalculateBomRowInCells(const ExcelDispatch& cells, int row, const MaterialLibrary& library,
                           const CurrentLayout& layout, const AssistantSettings& settings) {
  if (row < 1) return ST_FAIL;
  ExcelDispatch specCell = cells.Item(row, layout.material.number);
  BomRowResult result =
      ComputeBomRow(EncodeToCodePage(specCell.Text(), kCodePageGbk), row, library, layout, settings);
  specCell.Font().SetColor(result.specificationColor);
  if (!result.computed) return ST_FAIL;
  if (!result.singleWeightFormula.empty()) {
    cells.Item(row, layout.singleWeight.number).SetFormula(Utf16FromAscii(result.singleWeightFormula));
  }
  cells.Item(row, layout.totalWeight.number).SetFormula(Utf16FromAscii(result.totalWeightFormula));
  return ST_OK;
}

int CalculateBomRowInCells(const ExcelDispatch& cells, int row) {
  return CalculateBomRowInCells(cells, row, g_materialLibrary, g_currentLayout, g_settings);
}
