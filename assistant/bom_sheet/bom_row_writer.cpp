#include "assistant/bom_sheet/bom_row_writer.h"

#include <string>

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

namespace {

// A cleared specification takes the weights calculated from it along; a
// weight the user wrote stays.
void ClearCalculatedWeights(const ExcelDispatch& cells, int row, const CurrentLayout& layout) {
  for (int column : {layout.singleWeight.number, layout.totalWeight.number}) {
    if (column <= 0) continue;
    ExcelDispatch cell = cells.Item(row, column);
    if (IsBomWeightFormula(EncodeToCodePage(cell.Formula(), kCodePageGbk), row, column, layout)) {
      cell.SetFormula(u"");
    }
  }
}

}  // namespace

int CalculateBomRowInCells(const ExcelDispatch& cells, int row, const MaterialLibrary& library,
                           const CurrentLayout& layout, const AssistantSettings& settings) {
  if (row < 1) return ST_FAIL;
  ExcelDispatch specCell = cells.Item(row, layout.material.number);
  std::string shown = EncodeToCodePage(specCell.Text(), kCodePageGbk);
  BomRowResult result = ComputeBomRow(shown, row, library, layout, settings);
  specCell.Font().SetColor(result.specificationColor);
  if (!result.computed && BomSpecificationOf(shown).empty()) ClearCalculatedWeights(cells, row, layout);
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
