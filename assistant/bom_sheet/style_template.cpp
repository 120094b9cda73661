#include "assistant/bom_sheet/style_template.h"

#include <cstdint>
#include <system_error>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/bom_sheet/sheet_header.h"

namespace {

// The access mode of SaveAs that keeps the workbook's own.
constexpr std::int32_t kSaveAsNoChange = 1;

}  // namespace

bool EditStyleTemplate(ExcelLink& link, int style, const std::filesystem::path& file) {
  ExcelLink spreadsheet(link.discovery, link.window);
  if (!GetOrStartExcel(spreadsheet)) return false;
  ExcelDispatch workbooks = spreadsheet.app.Workbooks();
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    workbooks.Open(file.u16string());
    return true;
  }
  ExcelDispatch workbook = workbooks.Add();
  ExcelDispatch sheet = spreadsheet.app.ActiveSheet();
  WriteStyleHeader(sheet, style);
  workbook.SaveAs(file.u16string(), kSaveAsNoChange);
  return true;
}
