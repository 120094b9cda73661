#include "assistant/bom_sheet/bom_commands.h"

#include <cstdlib>
#include <system_error>

#include "assistant/bom_sheet/bom_renewal.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "base/code_page.h"
#include "base/text_helpers.h"

namespace {

// The column that SyncMaterialList reads, whatever the specification
// column is.
constexpr int kSyncColumn = 2;

std::string ToGbk(std::u16string_view text) { return EncodeToCodePage(text, kCodePageGbk); }

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

ExcelDispatch AddStyledWorkbook(const ExcelDispatch& app, const AssistantFolders& folders) {
  std::filesystem::path templatePath = folders.InUse(TemplateFileName(g_settings.style));
  if (FileExists(templatePath)) {
    app.Workbooks().Add(templatePath.u16string());
    return app.ActiveSheet();
  }
  return AddBomWorkbook(app);
}

}  // namespace

RenewRange ComputeRenewRange(int usedFirstRow, int usedRowCount, int headRows, int materialColumn,
                             int totalWeightColumn) {
  RenewRange range;
  range.firstRow = headRows < usedFirstRow ? usedFirstRow : headRows + 1;
  range.endRow = usedFirstRow + usedRowCount;
  int lastColumn = totalWeightColumn > materialColumn ? totalWeightColumn : materialColumn;
  range.columns = std::abs(lastColumn - materialColumn);
  if (range.columns == 0) range.columns = 1;
  return range;
}

bool IsAttachedSheetActive(const ExcelLink& link) {
  std::string caption = ToGbk(link.app.ActiveWindow().Caption());
  int sheetIndex = link.app.ActiveSheet().Index();
  return CompareLibraryText(caption, link.caption) && sheetIndex == link.sheetIndex;
}

bool NewBom(ExcelLink& link, const AssistantFolders& folders) {
  DetachSheet(link);
  if (!GetRunningExcel(link) && !StartExcel(link)) return false;
  link.app.SetVisible(true);
  ExcelDispatch sheet = AddStyledWorkbook(link.app, folders);
  link.sheetIndex = sheet.Index();
  // A caption longer than the field is refused by the attach with its
  // message, rather than cut into one that matches no window.
  link.caption = ToGbk(link.app.ActiveWindow().Caption());
  AttachSheet(link, link.caption, link.sheetIndex);
  return true;
}

LinkCommandResult InsertIntoActiveCell(ExcelLink& link, std::string_view text) {
  if (link.app.IsEmpty()) return LinkCommandResult::kNoApplication;
  if (!IsAttachedSheetActive(link)) return LinkCommandResult::kOtherSheetActive;
  link.activeCell = link.app.ActiveCell();
  bool inSpecificationColumn = link.activeCell.Column() == g_currentLayout.material.number;
  if (!inSpecificationColumn || link.activeCell.Row() <= g_currentLayout.headRows) {
    return LinkCommandResult::kNotApplicable;
  }
  link.activeCell.SetValue(DecodeFromCodePage(text, kCodePageGbk));
  return LinkCommandResult::kDone;
}

LinkCommandResult RenewAll(ExcelLink& link) {
  if (link.app.IsEmpty()) return LinkCommandResult::kNoApplication;
  if (!IsAttachedSheetActive(link)) return LinkCommandResult::kOtherSheetActive;
  ExcelDispatch sheet = link.app.ActiveSheet();
  ExcelDispatch used = sheet.UsedRange();
  int materialColumn = g_currentLayout.material.number;
  RenewRange range = ComputeRenewRange(used.Row(), used.Rows().Count(), g_currentLayout.headRows,
                                       materialColumn, g_currentLayout.totalWeight.number);
  if (range.RowCount() > 0) {
    ExcelDispatch cells = sheet.Cells();
    RenewBomRows(cells, range.firstRow, range.RowCount(), g_materialLibrary, g_currentLayout, g_settings);
    cells.Item(range.firstRow, materialColumn).Resize(range.RowCount(), range.columns).Select();
  }
  return LinkCommandResult::kDone;
}

std::string TakeSpecificationCell(ExcelLink& link, const ExcelDispatch& sheet, int row) {
  if (row < 1) return {};
  link.activeCell = sheet.Cells().Item(row, kSyncColumn);
  return std::string(TrimBlanks(ToGbk(link.activeCell.Text())));
}
