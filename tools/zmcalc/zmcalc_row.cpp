#include "tools/zmcalc/zmcalc_row.h"

#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/engine/bom_row.h"
#include "base/code_page.h"
#include "base/format_text.h"

namespace {

AssistantSettings SettingsOf(const ZmcalcRowRequest& request) {
  AssistantSettings settings;
  if (request.ini) {
    LoadSettingsFile(std::filesystem::path(std::u8string(request.ini->begin(), request.ini->end())),
                     settings);
  } else {
    LoadSettingsFile({}, settings);  // parses the default texts
  }
  if (request.style) settings.style = *request.style;
  if (request.factor) settings.factor = *request.factor;
  if (request.density) settings.density = *request.density;
  return settings;
}

void PrintCell(const BomColumn& column, int row, const std::string& formula, ZmcalcOutput& output) {
  output.out += ColumnLetters(column.number) + FormatText("%d ", row) + formula + "\n";
}

}  // namespace

int RunRowCalculation(const ZmcalcRowRequest& request, const MaterialLibrary& library, ZmcalcOutput& output) {
  AssistantSettings settings = SettingsOf(request);
  CurrentLayout layout;
  SelectBomStyle(settings, settings.style, layout);

  BomRowResult result =
      ComputeBomRow(EncodeToCodePage(DecodeFromCodePage(request.spec, kCodePageUtf8), kCodePageGbk),
                    request.row, library, layout, settings);
  if (result.computed) {
    if (!result.singleWeightFormula.empty())
      PrintCell(layout.singleWeight, request.row, result.singleWeightFormula, output);
    PrintCell(layout.totalWeight, request.row, result.totalWeightFormula, output);
  } else {
    output.out += "FAIL\n";
  }
  output.out += FormatText("COLOR %d\n", result.specificationColor);
  return result.computed ? kZmcalcAllComputed : kZmcalcSomeFailed;
}
