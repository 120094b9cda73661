#include "tests/standins/workbook/workbook_model.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/excel_dispatch.h"
#include "base/code_page.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/standins/workbook/standin_dispatch_ids.h"
#include "tests/unit/fakes/recording_automation_sink.h"
#include "tests/unit/fakes/workbook_test_support.h"

namespace {

class WorkbookModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_app.Workbooks().Add();
    m_sheet = m_model->ActiveSheet();
    m_cells = m_app.ActiveSheet().Cells();
    m_sheet->Advise(m_sink);
  }

  ExcelDispatch Cell(int row, int column) const { return m_cells.Item(row, column); }

  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  ExcelDispatch m_app{MakeApplicationObject(m_model)};
  std::shared_ptr<CModelSheet> m_sheet;
  ExcelDispatch m_cells;
  std::shared_ptr<CRecordingAutomationSink> m_sink = std::make_shared<CRecordingAutomationSink>();
};

TEST_F(WorkbookModelTest, FormulaCellsShowTheirValueInTheCellsFormat) {
  Cell(1, 1).SetValue(6000);
  Cell(1, 2).SetValue(u"2.5");
  Cell(1, 3).SetValue(u"text");
  const struct {
    const char16_t* formula;
    const char16_t* format;
    const char16_t* text;
  } cases[] = {
      {u"=A1*B1", u"General", u"15000"},       {u"=$A$1*38.500000/1000", u"0.00_ ", u"231.00 "},
      {u"=(A1+B1)*2", u"0.000", u"12005.000"}, {u"=-B1+-(1-2)*3", u"General", u"0.5"},
      {u"=1/3", u"General", u"0.3333333333"},  {u"=A1/0", u"General", u"#DIV/0!"},
      {u"=C1*2", u"General", u"#VALUE!"},      {u"=Z99+1", u"0.00", u"1.00"},
      {u"=IW1+IX1", u"General", u"#REF!"},     {u"=-0.001", u"0.00", u"0.00"},
      {u"=E2", u"General", u"#REF!"},  // E2 refers back to this cell
  };
  for (const auto& entry : cases) {
    Cell(2, 5).SetNumberFormatLocal(entry.format);
    Cell(2, 5).SetFormula(entry.formula);
    EXPECT_EQ(Utf8Of(Cell(2, 5).Text()), Utf8Of(entry.text)) << Utf8Of(entry.formula);
    EXPECT_EQ(Cell(2, 5).Formula(), entry.formula);
  }
  // Formulas follow the cells they read.
  Cell(3, 1).SetFormula(u"=A1+1");
  Cell(1, 1).SetValue(1);
  EXPECT_EQ(Cell(3, 1).Text(), u"2");
}

TEST_F(WorkbookModelTest, EntriesAreReadAsTypingWouldReadThem) {
  Cell(1, 1).SetValue(12.5);
  const struct {
    const char16_t* entry;
    AutomationValue value;
    const char16_t* formula;
    const char16_t* text;
    const char16_t* prefix;
  } cases[] = {
      {u"12.5", 12.5, u"12.5", u"12.5", u""},
      {u"-3", -3.0, u"-3", u"-3", u""},
      {u"=A1*2", 25.0, u"=A1*2", u"25", u""},
      {u"-120*6", -720.0, u"=-120*6", u"-720", u""},
      {u"+5*2", 10.0, u"=+5*2", u"10", u""},
      {u"'-120*6", std::u16string(u"-120*6"), u"-120*6", u"-120*6", u"'"},
      {u"'12", std::u16string(u"12"), u"12", u"12", u"'"},
      {u"H300*200*6*8", std::u16string(u"H300*200*6*8"), u"H300*200*6*8", u"H300*200*6*8", u""},
      {u"-", std::u16string(u"-"), u"-", u"-", u""},
      {u"1/2", std::u16string(u"1/2"), u"1/2", u"1/2", u""},  // dates stay text here
  };
  for (const auto& c : cases) {
    Cell(2, 2).SetValue(c.entry);
    EXPECT_EQ(Cell(2, 2).Value(), c.value) << Utf8Of(c.entry);
    EXPECT_EQ(Cell(2, 2).Formula(), c.formula) << Utf8Of(c.entry);
    EXPECT_EQ(Cell(2, 2).Text(), c.text) << Utf8Of(c.entry);
    EXPECT_EQ(
        AutomationText(Cell(2, 2).Object()->Invoke(standin_dispid::kPrefixCharacter, InvokeKind::kGet, {})),
        c.prefix)
        << Utf8Of(c.entry);
  }

  // An entry that starts like a formula and does not read as one changes nothing.
  m_sink->events.clear();
  for (const char16_t* refused : {u"-120~200*6", u"=A1*", u"=SUM(A1)", u"=", u"+x"}) {
    EXPECT_THROW(Cell(2, 2).SetFormula(refused), CAutomationError) << Utf8Of(refused);
    EXPECT_THROW(m_sheet->TypeInto(2, 2, refused), CAutomationError) << Utf8Of(refused);
    EXPECT_EQ(Cell(2, 2).Text(), u"1/2");
  }
  EXPECT_TRUE(m_sink->events.empty());
  EXPECT_EQ(Cell(9, 9).Value(), AutomationValue());
}

TEST_F(WorkbookModelTest, ChangeEventsFollowEveryWriteAndOnlyWrites) {
  Cell(5, 2).SetValue(u"x");
  Cell(5, 6).SetFormula(u"=1");
  Cell(5, 2).Font().SetColor(255);
  Cell(5, 2).SetNumberFormatLocal(u"0.00");
  Cell(5, 2).SetHorizontalAlignment(kAlignCenter);
  m_cells.Resize(2, 3).SetValue(u"");
  ASSERT_EQ(m_sink->events.size(), 3u);
  EXPECT_EQ(m_sink->events[0].dispatchId, dispid::kChange);
  EXPECT_EQ(m_sink->events[0].target, CellRect::Cell(5, 2));
  EXPECT_EQ(m_sink->events[1].target, CellRect::Cell(5, 6));
  EXPECT_EQ(m_sink->events[2].target, (CellRect{1, 1, 2, 3}));

  // A handler that writes another cell causes one more change event.
  m_sink->events.clear();
  m_sink->onEvent = [this](int id, const AutomationObjectPtr& target) {
    if (id == dispid::kChange && ExcelDispatch(target).Column() == 2)
      Cell(ExcelDispatch(target).Row(), 7).SetFormula(u"=2");
  };
  Cell(6, 2).SetValue(u"y");
  ASSERT_EQ(m_sink->events.size(), 2u);
  EXPECT_EQ(m_sink->events[1].target, CellRect::Cell(6, 7));

  // Selection changes come from Select and carry the selected block.
  m_sink->events.clear();
  Cell(8, 2).Resize(3, 1).Select();
  ASSERT_EQ(m_sink->events.size(), 1u);
  EXPECT_EQ(m_sink->events[0].dispatchId, dispid::kSelectionChange);
  EXPECT_EQ(m_sink->events[0].target, (CellRect{8, 2, 10, 2}));
  EXPECT_EQ(m_app.ActiveCell().Row(), 8);

  EXPECT_TRUE(m_sheet->Unadvise(1));
  EXPECT_FALSE(m_sheet->Unadvise(1));
  m_sink->events.clear();
  Cell(1, 1).SetValue(1);
  EXPECT_TRUE(m_sink->events.empty());
}

TEST_F(WorkbookModelTest, BlocksAndTheirGeometry) {
  ExcelDispatch block = Cell(3, 2).Resize(4, 3);
  EXPECT_EQ(block.Row(), 3);
  EXPECT_EQ(block.Column(), 2);
  EXPECT_EQ(block.Count(), 12);
  EXPECT_EQ(block.Rows().Count(), 4);
  EXPECT_EQ(block.Item(2, 3).Column(), 4);  // relative to the block
  EXPECT_EQ(block.Item(2, 3).Row(), 4);
  EXPECT_EQ(block.Item(5).Row(), 4);  // cells in reading order
  ExcelDispatch columnB = m_app.ActiveSheet().Columns().ColumnItem(2);
  EXPECT_EQ(columnB.Column(), 2);
  EXPECT_EQ(columnB.Count(), 1);  // a column collection counts columns
  EXPECT_EQ(columnB.Rows().Count(), kSheetRows);
  EXPECT_EQ(block.Worksheet().Name(), u"Sheet1");

  // Several blocks answer with their first; the font reaches all of them.
  ExcelDispatch areas = m_cells.Range(u"B5:B7,$B$9,D2");
  EXPECT_EQ(areas.Row(), 5);
  EXPECT_EQ(areas.Count(), 5);
  areas.Font().SetColor(255);
  EXPECT_EQ(areas.Font().Color(), 255);
  EXPECT_EQ(Cell(2, 4).Font().Color(), 255);
  EXPECT_TRUE(std::holds_alternative<AutomationNull>(m_cells.Range(u"B7:B8").Font().Get(dispid::kColor)));
  std::u16string tooLong = u"B1";
  for (int row = 2; tooLong.size() <= 255; ++row) tooLong += u",B" + Utf16FromAscii(std::to_string(row));

  const std::vector<std::function<void()>> refused = {
      [&] { m_cells.Range(tooLong); },
      [&] { m_cells.Range(u"B5,,B7"); },
      [&] { Cell(0, 1); },
      [&] { Cell(1, 0); },
      [&] { Cell(kSheetRows + 1, 1); },
      [&] { Cell(1, kSheetColumns + 1); },
      [&] { Cell(1, 1).Resize(0, 1); },
      [&] { Cell(kSheetRows, 1).Resize(2, 1); },
      [&] { Cell(1, 1).Invoke(0x7777, InvokeKind::kGet, {}); },
  };
  for (std::size_t i = 0; i < refused.size(); ++i) EXPECT_THROW(refused[i](), CAutomationError) << i;
}

TEST_F(WorkbookModelTest, UsedRangeAndTheTextOfBlocks) {
  ExcelDispatch used = m_app.ActiveSheet().UsedRange();
  EXPECT_EQ(used.Row(), 1);
  EXPECT_EQ(used.Count(), 1);
  Cell(4, 3).SetValue(u"a");
  Cell(9, 2).SetValue(u"a");
  used = m_app.ActiveSheet().UsedRange();
  EXPECT_EQ(used.Row(), 4);
  EXPECT_EQ(used.Column(), 2);
  EXPECT_EQ(used.Rows().Count(), 6);

  Cell(9, 2).SetValue(u"");         // emptied again
  Cell(4, 3).Font().SetColor(255);  // formatted cells count as used
  Cell(4, 3).SetValue(AutomationValue());
  used = m_app.ActiveSheet().UsedRange();
  EXPECT_EQ(used.Row(), 4);
  EXPECT_EQ(used.Count(), 1);

  Cell(1, 1).Resize(1, 2).SetValue(u"same");
  EXPECT_EQ(Cell(1, 1).Resize(1, 2).Text(), u"same");
  Cell(1, 2).SetValue(u"other");
  // Cells that differ give a null variant, not an empty text.
  for (int width : {2, 3}) {
    ExcelDispatch block = Cell(1, 1).Resize(1, width);
    EXPECT_EQ(block.Object()->Invoke(dispid::kText, InvokeKind::kGet, {}), AutomationValue(AutomationNull{}))
        << width;
    EXPECT_EQ(block.Text(), u"");
  }
}

TEST_F(WorkbookModelTest, MergedBlocksKeepTheirFirstCell) {
  Cell(1, 1).SetValue(u"top");
  Cell(2, 1).SetValue(u"lost");
  Cell(1, 1).Resize(2, 1).Merge(false);
  ExcelDispatch area = Cell(2, 1).MergeArea();
  EXPECT_EQ(area.Row(), 1);
  EXPECT_EQ(area.Count(), 2);
  EXPECT_EQ(Cell(1, 1).Text(), u"top");
  EXPECT_EQ(Cell(2, 1).Text(), u"");
  EXPECT_EQ(Cell(3, 1).MergeArea().Count(), 1);

  Cell(5, 1).Resize(2, 3).Merge(true);  // across: one area per row
  EXPECT_EQ(Cell(6, 3).MergeArea().Row(), 6);
  EXPECT_EQ(Cell(6, 3).MergeArea().Count(), 3);
  EXPECT_EQ(m_sheet->MergedAreas().size(), 3u);
}

TEST_F(WorkbookModelTest, AProtectedSheetRefusesChangesButNotSelection) {
  m_sheet->Protect(true);
  const std::vector<std::function<void()>> refused = {
      [&] { Cell(1, 1).SetValue(u"x"); },
      [&] { Cell(1, 1).SetFormula(u"=1"); },
      [&] { Cell(1, 1).Font().SetColor(255); },
      [&] { Cell(1, 1).SetNumberFormatLocal(u"0.00"); },
      [&] { Cell(1, 1).SetHorizontalAlignment(kAlignCenter); },
      [&] { m_app.ActiveSheet().Columns().ColumnItem(2).SetColumnWidth(18); },
      [&] { Cell(1, 1).Resize(2, 2).Merge(false); },
  };
  for (std::size_t i = 0; i < refused.size(); ++i) EXPECT_THROW(refused[i](), CAutomationError) << i;
  EXPECT_TRUE(m_sink->events.empty());
  Cell(2, 2).Select();
  EXPECT_EQ(m_sink->events.size(), 1u);
  try {
    Cell(1, 1).SetValue(u"x");
  } catch (const CAutomationError& error) {
    EXPECT_NE(Utf8Of(error.Description()).find("protected"), std::string::npos);
  }
}

TEST_F(WorkbookModelTest, WholeColumnFormatsReachEveryCellOfTheColumn) {
  Cell(7, 6).SetValue(38.5);
  m_app.ActiveSheet().Columns().ColumnItem(6).SetNumberFormatLocal(u"0.00_ ");
  EXPECT_EQ(Cell(7, 6).Text(), u"38.50 ");
  EXPECT_EQ(Cell(60000, 6).NumberFormatLocal(), u"0.00_ ");
  EXPECT_EQ(Cell(7, 5).NumberFormatLocal(), u"General");
  EXPECT_EQ(m_app.ActiveSheet().UsedRange().Row(), 7);  // formats add no used cells
}

TEST(WorkbookModelApplication, WorkbooksWindowsAndSheets) {
  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  ExcelDispatch app(MakeApplicationObject(model));
  EXPECT_TRUE(app.ActiveSheet().IsEmpty());
  EXPECT_TRUE(app.ActiveWindow().IsEmpty());
  EXPECT_TRUE(app.ActiveCell().IsEmpty());
  EXPECT_THROW(app.Sheets(), CAutomationError);
  app.SetVisible(true);
  app.SetUserControl(true);
  EXPECT_TRUE(model->visible && model->userControl);
  EXPECT_EQ(AutomationInt(app.GetByName(u"creator")), 0x5843454C);
  EXPECT_EQ(ExcelDispatch(AutomationObjectOf(app.GetByName(u"Application"))).Caption(), u"Excel");

  ExcelDispatch book = app.Workbooks().Add();
  app.Workbooks().Add();
  EXPECT_EQ(app.Windows().Count(), 2);
  EXPECT_EQ(app.Windows().Item(1).Caption(), u"Book1");
  EXPECT_EQ(app.ActiveWindow().Caption(), u"Book2");
  EXPECT_EQ(app.Sheets().Count(), 3);
  ExcelDispatch sheet = app.Sheets().Item(2);
  EXPECT_EQ(sheet.Name(), u"Sheet2");
  EXPECT_EQ(sheet.Index(), 2);
  EXPECT_EQ(app.ActiveSheet().Index(), 1);
  EXPECT_EQ(app.ActiveCell().Row(), 1);
  EXPECT_THROW(app.Sheets().Item(4), CAutomationError);

  // A saved workbook serves as a template and can be opened again.
  book.Sheets().Item(1).Cells().Item(1, 1).SetValue(u"head");
  book.SaveAs(u"C:\\Zm\\standard.xls", 1);
  EXPECT_EQ(app.Windows().Item(1).Caption(), u"standard.xls");
  EXPECT_THROW(app.Workbooks().Add(u"C:\\Zm\\simple.xls"), CAutomationError);
  EXPECT_EQ(app.ActiveWindow().Caption(), u"Book2");
  book.Sheets().Item(1).Cells().Item(1, 1).SetValue(u"later");
  app.Workbooks().Add(u"C:\\Zm\\standard.xls");
  EXPECT_EQ(app.ActiveWindow().Caption(), u"standard3");
  EXPECT_EQ(app.ActiveSheet().Cells().Item(1, 1).Text(), u"head");
  app.Workbooks().Open(u"C:\\Zm\\standard.xls");
  EXPECT_EQ(app.ActiveWindow().Caption(), u"standard.xls");
  EXPECT_EQ(app.Workbooks().Count(), 4);
}

TEST(WorkbookModelApplication, AnObjectAskedForAgainIsTheSameWhileHeld) {
  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  ExcelDispatch app(MakeApplicationObject(model));
  app.Workbooks().Add();
  ExcelDispatch cells = app.ActiveSheet().Cells();
  ExcelDispatch cell = cells.Item(5, 2);
  EXPECT_EQ(cells.Item(5, 2).Object(), cell.Object());
  EXPECT_EQ(app.ActiveSheet().Cells().Item(5, 2).Object(), cell.Object());
  EXPECT_NE(cells.Item(5, 3).Object(), cell.Object());
  EXPECT_NE(cells.Item(5, 2).Resize(2, 1).Object(), cell.Object());
  EXPECT_EQ(app.ActiveSheet().Object(), app.ActiveSheet().Object());
  ExcelDispatch font = cell.Font();
  EXPECT_EQ(cell.Font().Object(), font.Object());
  // Rows and columns of the same block are other objects: Item counts them otherwise.
  EXPECT_NE(app.ActiveSheet().Columns().Object(), cells.Object());
  EXPECT_EQ(app.ActiveSheet().Columns().Count(), kSheetColumns);

  // Once let go, the object is made anew and still serves the same cell.
  std::weak_ptr<AutomationObject> gone = cell.Object();
  cell.Release();
  font.Release();
  EXPECT_TRUE(gone.expired());
  cells.Item(5, 2).SetValue(u"'-120*6");
  EXPECT_EQ(cells.Item(5, 2).Text(), u"-120*6");
}

}  // namespace
