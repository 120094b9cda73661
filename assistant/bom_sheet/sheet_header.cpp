#include "assistant/bom_sheet/sheet_header.h"

#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"

namespace {

struct HeaderBlock {
  int row;
  int column;
  int rows;  // a block of more than one cell is merged
  int columns;
  int textRow;  // row of the text table
};

constexpr int kSpecificationColumn = 2;
constexpr int kSpecificationWidth = 18;

constexpr HeaderBlock kStandardHeader[] = {
    {1, 1, 2, 1, 86}, {1, 2, 2, 1, 87}, {1, 3, 2, 1, 88}, {1, 4, 1, 2, 89}, {1, 6, 1, 2, 90},
    {1, 8, 2, 1, 93}, {2, 4, 1, 1, 94}, {2, 5, 1, 1, 95}, {2, 6, 1, 1, 91}, {2, 7, 1, 1, 92},
};

constexpr HeaderBlock kSimpleHeader[] = {
    {1, 1, 1, 1, 86}, {1, 2, 1, 1, 87}, {1, 3, 1, 1, 88}, {1, 4, 1, 1, 89},
    {1, 5, 1, 1, 96}, {1, 6, 1, 1, 97}, {1, 7, 1, 1, 93},
};

void WriteBlock(const ExcelDispatch& sheet, const HeaderBlock& block) {
  ExcelDispatch cells = sheet.Cells();
  ExcelDispatch target = cells.Item(block.row, block.column);
  if (block.rows > 1 || block.columns > 1) {
    target = target.Resize(block.rows, block.columns);
    target.Merge(false);
  }
  target.SetHorizontalAlignment(kAlignCenter);
  target.SetVerticalAlignment(kAlignCenter);
  // The specification column is widened before its text goes in.
  if (block.column == kSpecificationColumn && block.row == 1) {
    sheet.Columns().ColumnItem(kSpecificationColumn).SetColumnWidth(kSpecificationWidth);
  }
  target.SetValue(DecodeFromCodePage(UiText(block.textRow), UiTextCodePage()));
}

template <std::size_t N>
int WriteHeader(const ExcelDispatch& sheet, const HeaderBlock (&blocks)[N]) {
  for (const HeaderBlock& block : blocks) WriteBlock(sheet, block);
  return 1;
}

}  // namespace

int WriteStandardHeader(const ExcelDispatch& sheet) { return WriteHeader(sheet, kStandardHeader); }

int WriteSimpleHeader(const ExcelDispatch& sheet) { return WriteHeader(sheet, kSimpleHeader); }

int WriteStyleHeader(const ExcelDispatch& sheet, int style) {
  return style != 0 ? WriteStandardHeader(sheet) : WriteSimpleHeader(sheet);
}
