#include "assistant/bom_sheet/bom_renewal.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/excel_dispatch.h"
#include "base/code_page.h"

namespace {

// A text the spreadsheet would not read back as the same text when written
// as it stands: it would become a formula or a number.
bool ReadsAsOtherThanText(const std::u16string& text) {
  if (text.empty()) return false;
  if (text[0] == u'=' || text[0] == u'+' || text[0] == u'-') return true;
  std::string ascii = EncodeToCodePage(text, kCodePageUtf8);
  char* end = nullptr;
  std::strtod(ascii.c_str(), &end);
  return end != ascii.c_str() && *end == '\0';
}

// What writes a cell back as it is: its formula, or a text that would be
// parsed into something else behind the apostrophe that keeps it text.
AutomationValue KeptContent(const WeightColumnNow& column, int index) {
  std::u16string formula = AutomationText(column.formulas.At(index, 1));
  const AutomationValue& value = column.values.At(index, 1);
  bool isText = std::holds_alternative<std::u16string>(value);
  if (!formula.starts_with(u"=") && isText && ReadsAsOtherThanText(formula)) return u"'" + formula;
  return formula;
}

void AddColour(std::vector<ColourRun>& runs, int row, int color) {
  if (!runs.empty() && runs.back().color == color && runs.back().firstRow + runs.back().rowCount == row) {
    ++runs.back().rowCount;
  } else {
    runs.push_back({row, 1, color});
  }
}

// Where every row takes a colour and the block's colours differ now: the
// whole block in the colour most rows take, then the others' runs, so that
// the many short runs are those of the fewer rows.
std::vector<ColourRun> OverBlockColour(const std::vector<ColourRun>& runs, int firstRow, int rowCount) {
  std::map<int, int> rows;
  for (const ColourRun& run : runs) rows[run.color] += run.rowCount;
  int base = kBomColorBlack;
  for (const auto& [color, count] : rows) {
    if (count > rows[base]) base = color;
  }
  std::vector<ColourRun> over{{firstRow, rowCount, base}};
  for (const ColourRun& run : runs) {
    if (run.color != base) over.push_back(run);
  }
  return over;
}

// The colour runs as addresses in the specification column, one list of
// areas per colour in the order the colours first come, each short enough
// for the spreadsheet: a colour costs three calls however many rows take it.
std::vector<std::pair<int, std::u16string>> ColourAddresses(const std::vector<ColourRun>& runs,
                                                            const std::string& column) {
  std::vector<std::pair<int, std::vector<std::u16string>>> byColour;
  for (const ColourRun& run : runs) {
    std::string area = column + std::to_string(run.firstRow);
    if (run.rowCount > 1) area += ":" + column + std::to_string(run.firstRow + run.rowCount - 1);
    auto group = std::find_if(byColour.begin(), byColour.end(),
                              [&run](const auto& entry) { return entry.first == run.color; });
    if (group == byColour.end()) group = byColour.insert(byColour.end(), {run.color, {u""}});
    std::vector<std::u16string>& addresses = group->second;
    if (!addresses.back().empty() && addresses.back().size() + 1 + area.size() > kMaxRangeAddress) {
      addresses.emplace_back();
    }
    if (!addresses.back().empty()) addresses.back() += u',';
    addresses.back() += Utf16FromAscii(area);
  }
  std::vector<std::pair<int, std::u16string>> addresses;
  for (auto& [color, texts] : byColour) {
    for (std::u16string& text : texts) addresses.emplace_back(color, std::move(text));
  }
  return addresses;
}

WeightColumnNow ReadWeightColumn(const ExcelDispatch& block) {
  return {AutomationArrayOf(block.Get(dispid::kFormula)), block.ValueArray()};
}

// A cleared row's weight cell: emptied when it holds the assistant's own
// formula for the row, kept otherwise.
AutomationValue ClearedContent(const WeightColumnNow& column, int index, int row, int columnNumber,
                               const CurrentLayout& layout) {
  std::string formula = EncodeToCodePage(AutomationText(column.formulas.At(index, 1)), kCodePageGbk);
  if (IsBomWeightFormula(formula, row, columnNumber, layout)) return std::u16string();
  return KeptContent(column, index);
}

}  // namespace

BomRenewal PlanBomRenewal(int firstRow, const AutomationArray& specifications, std::optional<int> colourNow,
                          const std::optional<WeightColumnNow>& singleWeight,
                          const WeightColumnNow& totalWeight, const MaterialLibrary& library,
                          const CurrentLayout& layout, const AssistantSettings& settings,
                          EmptyRows emptyRows) {
  BomRenewal plan;
  std::vector<ColourRun> everyRow;  // the colour of each row, changed or not
  AutomationArray single(specifications.rows, 1);
  AutomationArray total(specifications.rows, 1);
  for (int index = 1; index <= specifications.rows; ++index) {
    int row = firstRow + index - 1;
    std::string shown = EncodeToCodePage(AutomationText(specifications.At(index, 1)), kCodePageGbk);
    bool cleared = emptyRows == EmptyRows::kCleared && BomSpecificationOf(shown).empty();
    BomRowResult result;
    if (!shown.empty() || emptyRows == EmptyRows::kCleared) {
      result = ComputeBomRow(shown, row, library, layout, settings);
      ++(result.computed ? plan.computed : cleared ? plan.cleared : plan.failed);
      if (!colourNow || *colourNow != result.specificationColor) {
        AddColour(plan.colours, row, result.specificationColor);
      }
      AddColour(everyRow, row, result.specificationColor);
    }
    auto unchanged = [&](const WeightColumnNow& column, int columnNumber) {
      if (cleared) return ClearedContent(column, index, row, columnNumber, layout);
      return KeptContent(column, index);
    };
    if (singleWeight) {
      single.At(index, 1) = result.computed ? Utf16FromAscii(result.singleWeightFormula)
                                            : unchanged(*singleWeight, layout.singleWeight.number);
    }
    total.At(index, 1) = result.computed ? Utf16FromAscii(result.totalWeightFormula)
                                         : unchanged(totalWeight, layout.totalWeight.number);
  }
  if (emptyRows == EmptyRows::kCleared && plan.colours.size() > 1) {
    // Where every row takes a colour, the block may be painted over when
    // that takes fewer address lists, calls, than the changed rows alone.
    std::vector<ColourRun> over = OverBlockColour(everyRow, firstRow, specifications.rows);
    const std::string column = ColumnLetters(layout.material.number);
    std::size_t overLists = ColourAddresses(over, column).size();
    std::size_t changedLists = ColourAddresses(plan.colours, column).size();
    if (overLists < changedLists || (!colourNow && overLists == changedLists)) plan.colours = std::move(over);
  }
  if (plan.computed > 0 || plan.cleared > 0) {
    if (singleWeight) plan.singleWeight = std::move(single);
    plan.totalWeight = std::move(total);
  }
  return plan;
}

BomRenewal RenewBomRows(const ExcelDispatch& cells, int firstRow, int rowCount,
                        const MaterialLibrary& library, const CurrentLayout& layout,
                        const AssistantSettings& settings, EmptyRows emptyRows) {
  ExcelDispatch specifications = cells.Item(firstRow, layout.material.number).Resize(rowCount, 1);
  AutomationArray shown = specifications.ValueArray();
  AutomationValue colour = specifications.Font().Get(dispid::kColor);
  std::optional<int> colourNow;
  if (const auto* uniform = std::get_if<std::int32_t>(&colour)) colourNow = *uniform;

  std::optional<ExcelDispatch> singleBlock;
  std::optional<WeightColumnNow> singleNow;
  if (layout.singleWeight.number > 0) {
    singleBlock = cells.Item(firstRow, layout.singleWeight.number).Resize(rowCount, 1);
    singleNow = ReadWeightColumn(*singleBlock);
  }
  ExcelDispatch totalBlock = cells.Item(firstRow, layout.totalWeight.number).Resize(rowCount, 1);
  BomRenewal plan = PlanBomRenewal(firstRow, shown, colourNow, singleNow, ReadWeightColumn(totalBlock),
                                   library, layout, settings, emptyRows);

  if (plan.singleWeight) singleBlock->SetFormulaArray(*plan.singleWeight);
  if (plan.totalWeight) totalBlock.SetFormulaArray(*plan.totalWeight);
  // The addresses are the sheet's own, counted from A1.
  if (!plan.colours.empty()) {
    ExcelDispatch sheet = cells.Worksheet();
    for (const auto& [color, address] :
         ColourAddresses(plan.colours, ColumnLetters(layout.material.number))) {
      sheet.Range(address).Font().SetColor(color);
    }
  }
  return plan;
}
