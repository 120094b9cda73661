#include "assistant/bom_sheet/sheet_header.h"

#include <gtest/gtest.h>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/workbook_test_support.h"

namespace {

struct HeaderSheet {
  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  std::shared_ptr<CModelSheet> sheet;
  ExcelDispatch dispatch;

  HeaderSheet() {
    model->AddWorkbook(std::nullopt);
    sheet = model->ActiveSheet();
    dispatch = ExcelDispatch(MakeWorksheetObject(sheet));
  }
  std::string Text(int row, int column) const { return Utf8Of(sheet->CellText(row, column)); }
};

struct ExpectedCell {
  int row;
  int column;
  CellRect area;
  const char* english;
  const char* chinese;
  const char* traditional;
};

constexpr ExpectedCell kStandardCells[] = {
    {1, 1, {1, 1, 2, 1}, "NO.", "序 号", "序 號"},
    {1, 2, {1, 2, 2, 2}, "Specs", "规 格", "規 格"},
    {1, 3, {1, 3, 2, 3}, "Length(mm)", "长 度(mm)", "長 度(mm)"},
    {1, 4, {1, 4, 1, 5}, "Num", "数 量", "數 量"},
    {1, 6, {1, 6, 1, 7}, "Weight(kg)", "重 量(kg)", "重 量(kg)"},
    {1, 8, {1, 8, 2, 8}, "Remark", "备 注", "備 註"},
    {2, 4, {2, 4, 2, 4}, "Face", "正", "正"},
    {2, 5, {2, 5, 2, 5}, "Inverse", "反", "反"},
    {2, 6, {2, 6, 2, 6}, "S.W.", "单 重", "單 重"},
    {2, 7, {2, 7, 2, 7}, "T.W.", "总 重", "總 重"},
};

constexpr ExpectedCell kSimpleCells[] = {
    {1, 1, {1, 1, 1, 1}, "NO.", "序 号", "序 號"},
    {1, 2, {1, 2, 1, 2}, "Specs", "规 格", "規 格"},
    {1, 3, {1, 3, 1, 3}, "Length(mm)", "长 度(mm)", "長 度(mm)"},
    {1, 4, {1, 4, 1, 4}, "Num", "数 量", "數 量"},
    {1, 5, {1, 5, 1, 5}, "S.W.(kg)", "单 重(kg)", "單 重(kg)"},
    {1, 6, {1, 6, 1, 6}, "T.W.(kg)", "总 重(kg)", "總 重(kg)"},
    {1, 7, {1, 7, 1, 7}, "Remark", "备 注", "備 註"},
};

template <std::size_t N>
void ExpectHeader(const HeaderSheet& target, const ExpectedCell (&cells)[N], unsigned codePage) {
  for (const ExpectedCell& cell : cells) {
    const char* text = codePage == 936 ? cell.chinese : codePage == 950 ? cell.traditional : cell.english;
    EXPECT_EQ(target.Text(cell.row, cell.column), text) << codePage;
    EXPECT_EQ(target.sheet->MergeArea(cell.row, cell.column), cell.area) << text;
    EXPECT_EQ(target.sheet->HorizontalAlignment(cell.row, cell.column), kAlignCenter) << text;
    EXPECT_EQ(target.sheet->VerticalAlignment(cell.row, cell.column), kAlignCenter) << text;
  }
  EXPECT_EQ(target.sheet->ColumnWidth(2), 18);
  EXPECT_EQ(target.sheet->ColumnWidth(3), kDefaultColumnWidth);
}

}  // namespace

TEST(SheetHeader, StandardHeaderInEveryLanguage) {
  for (unsigned codePage : {936u, 950u, 437u}) {
    SelectTextTable(codePage);
    HeaderSheet target;
    EXPECT_EQ(WriteStandardHeader(target.dispatch), 1);
    ExpectHeader(target, kStandardCells, codePage);
    EXPECT_EQ(target.sheet->MergedAreas().size(), 6u);
    EXPECT_EQ(target.sheet->UsedRange(), (CellRect{1, 1, 2, 8}));
  }
  SelectTextTable(437);
}

TEST(SheetHeader, SimpleHeaderHasOneRowAndNoMerges) {
  for (unsigned codePage : {936u, 950u, 437u}) {
    SelectTextTable(codePage);
    HeaderSheet target;
    EXPECT_EQ(WriteSimpleHeader(target.dispatch), 1);
    ExpectHeader(target, kSimpleCells, codePage);
    EXPECT_TRUE(target.sheet->MergedAreas().empty());
    EXPECT_EQ(target.sheet->UsedRange(), (CellRect{1, 1, 1, 7}));
  }
  SelectTextTable(437);
}

TEST(SheetHeader, RewritingAHeaderOverwritesIt) {
  SelectTextTable(437);
  HeaderSheet target;
  target.sheet->TypeInto(1, 2, u"old");
  WriteStandardHeader(target.dispatch);
  WriteStandardHeader(target.dispatch);
  EXPECT_EQ(target.Text(1, 2), "Specs");
  EXPECT_EQ(target.sheet->MergedAreas().size(), 6u);
}

TEST(SheetHeader, AProtectedSheetEndsTheWriter) {
  SelectTextTable(437);
  HeaderSheet target;
  target.sheet->Protect(true);
  EXPECT_THROW(WriteSimpleHeader(target.dispatch), CAutomationError);
  EXPECT_EQ(target.Text(1, 1), "");
}
