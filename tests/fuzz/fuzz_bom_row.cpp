// The row calculation over the in-memory workbook with an arbitrary layout,
// settings, cell contents and specification: it computes or fails without
// a fault; a failure writes no formula and colours the specification red; a
// success colours it black and, when the layout's columns are apart and the
// row holds numbers, writes weight formulas that the sheet can compute.

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/engine/bom_row.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "base/status.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/standins/workbook/workbook_model.h"

namespace {

constexpr int kLastColumn = 30;  // past Z, so that two-letter columns occur
// Values the settings file can give: finite, never negative.
constexpr float kFactors[] = {1.0f, 0.5f, 0.0f, 1e30f, 1e-30f, 2.5f, 3.4e38f, 1000.0f};
constexpr float kDensities[] = {7850.0f, 2700.0f, 0.0f, 1e38f, 1e-38f, 8900.0f, 3.4e38f, 1.0f};
const char16_t* const kCellTexts[] = {u"2", u"1500", u"", u"abc", u"1e3", u"=1+1", u"-3", u"0.5"};

const MaterialLibrary& Library() {
  static const MaterialLibrary library = [] {
    SelectTextTable(437);
    MaterialLibrary built;
    ParseMaterialLibrary(built,
                         "[FORMULA START]\r\nGXH*B GX H*B*7850*1E-6\r\nSNa SN SIN(a)^a\r\n[FORMULA END]\r\n"
                         "L20X3 0.889\r\nX123 123.45\r\n[100a 10.007\r\n",
                         "ZMLib.txt");
    return built;
  }();
  return library;
}

// Takes bytes from the front of the input.
class CInput {
 public:
  CInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  uint8_t Byte() {
    if (m_size == 0) return 0;
    --m_size;
    return *m_data++;
  }
  std::string_view Rest() const { return {reinterpret_cast<const char*>(m_data), m_size}; }

 private:
  const uint8_t* m_data;
  size_t m_size;
};

BomColumn Column(uint8_t byte, bool optional) {
  int number = byte % (kLastColumn + 1);
  if (!optional && number == 0) number = 1;
  return {number, number ? ColumnLetters(number) : "0"};
}

bool IsNumber(const AutomationValue& value) {
  return std::holds_alternative<double>(value) && std::isfinite(std::get<double>(value));
}

// The six columns are distinct, apart from the optional ones left out.
bool ColumnsApart(const CurrentLayout& layout) {
  const int columns[] = {layout.material.number,     layout.length.number,       layout.faceCount.number,
                         layout.inverseCount.number, layout.singleWeight.number, layout.totalWeight.number};
  for (int i = 0; i < 6; ++i) {
    for (int j = i + 1; j < 6; ++j) {
      if (columns[i] != 0 && columns[i] == columns[j]) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MaterialLibrary& library = Library();
  CInput input(data, size);
  CurrentLayout layout;
  layout.material = Column(input.Byte(), false);
  layout.length = Column(input.Byte(), false);
  layout.faceCount = Column(input.Byte(), false);
  layout.inverseCount = Column(input.Byte(), true);
  layout.singleWeight = Column(input.Byte(), true);
  layout.totalWeight = Column(input.Byte(), false);
  AssistantSettings settings;
  const uint8_t choice = input.Byte();
  settings.factor = kFactors[choice & 7];
  settings.density = kDensities[(choice >> 3) & 7];
  settings.caseSensitive = choice >> 6;
  const int row = input.Byte() % 20;
  const uint8_t texts = input.Byte();

  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  model->AddWorkbook(std::nullopt);
  std::shared_ptr<CModelSheet> sheet = model->ActiveSheet();
  const int safeRow = row < 1 ? 1 : row;
  sheet->TypeInto(safeRow, layout.faceCount.number, kCellTexts[texts & 7]);
  sheet->TypeInto(safeRow, layout.length.number, kCellTexts[(texts >> 3) & 7]);
  if (layout.inverseCount.number > 0) sheet->TypeInto(safeRow, layout.inverseCount.number, u"1");
  try {
    sheet->TypeInto(safeRow, layout.material.number, DecodeFromCodePage(input.Rest(), kCodePageGbk));
  } catch (const CAutomationError&) {
    return 0;  // the spreadsheet refuses the entry as typed ("-120~200*6"): nothing to calculate
  }
  const bool numbersInRow = ColumnsApart(layout) &&
                            IsNumber(sheet->CellValue(safeRow, layout.faceCount.number)) &&
                            IsNumber(sheet->CellValue(safeRow, layout.length.number));

  std::u16string formulasBefore[kLastColumn + 1];
  for (int column = 1; column <= kLastColumn; ++column)
    formulasBefore[column] = sheet->CellFormula(safeRow, column);
  const ExcelDispatch worksheet(MakeWorksheetObject(sheet));
  int status = ST_FAIL;
  try {
    status = CalculateBomRow(worksheet, row, library, layout, settings);
  } catch (const CAutomationError&) {
    return 0;  // the spreadsheet refused a call: the command ends there
  }

  if (status != ST_OK) {
    FailIf(status != ST_FAIL, "a status other than ST_OK or ST_FAIL");
    for (int column = 1; column <= kLastColumn; ++column) {
      FailIf(sheet->CellFormula(safeRow, column) != formulasBefore[column],
             "a failed row calculation wrote to the row");
    }
    FailIf(row >= 1 && sheet->FontColor(row, layout.material.number) != 255,
           "a failed specification is not red");
    return 0;
  }
  FailIf(row < 1, "a row above the sheet computed");
  if (!ColumnsApart(layout)) return 0;
  FailIf(sheet->FontColor(row, layout.material.number) != 0, "a computed specification is not black");
  FailIf(!sheet->CellFormula(row, layout.totalWeight.number).starts_with(u"="), "no total weight formula");
  if (!numbersInRow) return 0;
  FailIf(!IsNumber(sheet->CellValue(row, layout.totalWeight.number)),
         "the total weight formula computes no number");
  FailIf(layout.singleWeight.number > 0 && !IsNumber(sheet->CellValue(row, layout.singleWeight.number)),
         "the piece weight formula computes no number");
  return 0;
}
