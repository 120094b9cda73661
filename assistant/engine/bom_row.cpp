#include "assistant/engine/bom_row.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "assistant/common/format_text.h"
#include "assistant/common/status.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/material_library.h"
#include "assistant/engine/unit_weight.h"
#include "assistant/excel/excel_dispatch.h"
#include "winfx/code_page.h"

MaterialLibrary g_materialLibrary;

namespace {

constexpr int kColorRed = 255;
constexpr int kColorBlack = 0;

std::string Trimmed(const std::string& text) {
  constexpr const char* kBlanks = " \t\r\n\v\f";
  std::size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// The specification as the cell shows it, in GBK, with the CAD diameter
// notation "%%C" read as the tube's "D".
std::string ReadSpecification(const ExcelDispatch& cell) {
  std::string spec = Trimmed(EncodeToCodePage(cell.Text(), kCodePageGbk));
  if (spec.starts_with("%%C") || spec.starts_with("%%c")) spec.replace(0, 3, "D");
  return spec;
}

const char* Letters(const BomColumn& column) { return column.letters.c_str(); }

std::string TotalWeightFormula(const CurrentLayout& layout, int row, double unitWeight) {
  bool inverse = layout.inverseCount.number > 0;
  if (layout.singleWeight.number > 0) {
    if (inverse) {
      return FormatText("=(%s%d+%s%d)*%s%d", Letters(layout.faceCount), row, Letters(layout.inverseCount),
                        row, Letters(layout.singleWeight), row);
    }
    return FormatText("=%s%d*%s%d", Letters(layout.faceCount), row, Letters(layout.singleWeight), row);
  }
  // This form prints the weight after a pass through a 32-bit float.
  double printed = static_cast<float>(unitWeight);
  if (inverse) {
    return FormatText("=(%s%d+%s%d)*%s%d*%f/1000", Letters(layout.faceCount), row,
                      Letters(layout.inverseCount), row, Letters(layout.length), row, printed);
  }
  return FormatText("=%s%d*%s%d*%f/1000", Letters(layout.faceCount), row, Letters(layout.length), row,
                    printed);
}

}  // namespace

int BomLookupMode(const AssistantSettings& settings) {
  return settings.caseSensitive == 1 ? kLookupExact : kLookupIgnoreCase;
}

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
  std::string spec = ReadSpecification(specCell);
  double weight = 0;
  int status =
      ComputeUnitWeight(library, spec, weight, BomLookupMode(settings), settings.factor, settings.density);
  // A weight that no float holds (a huge factor or density) would be
  // written as "inf" where the total passes it through a float.
  if (status == ST_OK && !std::isfinite(static_cast<float>(weight))) status = ST_FAIL;
  specCell.Font().SetColor(status == ST_OK ? kColorBlack : kColorRed);
  if (status != ST_OK) return ST_FAIL;

  double unitWeight = std::strtod(FormatText("%.2f", weight).c_str(), nullptr);
  if (layout.singleWeight.number > 0) {
    cells.Item(row, layout.singleWeight.number)
        .SetFormula(Utf16FromAscii(FormatText("=%s%d*%f/1000", Letters(layout.length), row, unitWeight)));
  }
  cells.Item(row, layout.totalWeight.number)
      .SetFormula(Utf16FromAscii(TotalWeightFormula(layout, row, unitWeight)));
  return ST_OK;
}

int CalculateBomRowInCells(const ExcelDispatch& cells, int row) {
  return CalculateBomRowInCells(cells, row, g_materialLibrary, g_currentLayout, g_settings);
}
