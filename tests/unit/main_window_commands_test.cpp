// The main window's commands over the link, against the in-memory workbook:
// a new BOM workbook, a click that writes into the active cell, renew all,
// the finder's tracking tick and the material list's follow of the sheet.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "assistant/app/finder_tracking.h"
#include "assistant/bom_sheet/bom_commands.h"
#include "assistant/texts/text_tables.h"
#include "base/status.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/fakes/fake_tracking_desktop.h"
#include "tests/unit/fakes/scripted_automation_object.h"
#include "tests/unit/fakes/workbook_test_support.h"

namespace {

class MainWindowCommandsTest : public ExcelLinkTest {
 protected:
  void SetUp() override {
    ExcelLinkTest::SetUp();
    SelectTextTable(kCodePageUsAscii);  // the header's texts
    m_folder = std::filesystem::temp_directory_path() /
               ("zm_main_window_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override {
    ExcelLinkTest::TearDown();
    std::filesystem::remove_all(m_folder);
  }

  // Book1's first sheet attached as the main window attaches it.
  void AttachBook1() {
    m_link.caption = "Book1";
    m_link.sheetIndex = 1;
    ASSERT_EQ(AttachSheet(m_link, m_link.caption, m_link.sheetIndex), ST_OK);
    ASSERT_TRUE(m_link.attached);
  }

  std::shared_ptr<CModelSheet> Sheet1() const { return m_book->Sheets()[0]; }

  std::filesystem::path m_folder;
};

TEST_F(MainWindowCommandsTest, NewBomAddsAWorkbookWithTheStyleHeaderAndAttachesIt) {
  AttachBook1();
  ASSERT_TRUE(NewBom(m_link, {m_folder, m_folder / "user"}));
  ASSERT_EQ(m_model->Workbooks().size(), 2u);
  const auto& sheet = m_model->Workbooks()[1]->Sheets()[0];
  EXPECT_EQ(Sheet1()->SinkCount(), 0u);  // the old sheet let go
  EXPECT_EQ(sheet->SinkCount(), 1u);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(m_link.caption, "Book2");
  EXPECT_EQ(m_link.sheetIndex, 1);
  EXPECT_EQ(m_window.sheetText, "Book2 : Sheet1");
  EXPECT_TRUE(m_model->visible);
  EXPECT_EQ(sheet->UsedRange().bottom, 2);  // the standard header's two rows
  EXPECT_NE(sheet->CellText(1, 2), u"");

  // The simple style writes its one head row.
  g_settings.style = 0;
  SelectBomStyle(g_settings, 0, g_currentLayout);
  ASSERT_TRUE(NewBom(m_link, {m_folder, m_folder / "user"}));
  EXPECT_EQ(m_model->Workbooks()[2]->Sheets()[0]->UsedRange().bottom, 1);
  EXPECT_EQ(m_window.sheetText, "Book3 : Sheet1");
}

TEST_F(MainWindowCommandsTest, NewBomTakesTheStyleTemplateWhenItExists) {
  std::filesystem::path templatePath = m_folder / "standard.xls";
  std::ofstream(templatePath) << "template";
  auto source = m_model->AddWorkbook(std::nullopt);
  source->Sheets()[0]->SetValue(CellRect::Cell(1, 1), u"from the template");
  m_model->SaveWorkbookAs(*source, templatePath.u16string());
  ASSERT_TRUE(NewBom(m_link, {m_folder, m_folder / "user"}));
  const auto& sheet = m_model->ActiveSheet();
  EXPECT_EQ(sheet->CellText(1, 1), u"from the template");
  EXPECT_EQ(sheet->UsedRange().bottom, 1);  // no header written over it
  EXPECT_TRUE(m_link.attached);
}

TEST_F(MainWindowCommandsTest, NewBomWithoutASpreadsheetLeavesTheLinkDetached) {
  m_discovery.activeObject = nullptr;
  ASSERT_FALSE(NewBom(m_link, {m_folder, m_folder / "user"}));
  EXPECT_FALSE(m_link.attached);
  ASSERT_EQ(m_window.messages.size(), 1u);
  EXPECT_EQ(m_window.messages[0], kMsgCantStartExcel);
  EXPECT_TRUE(m_model->Workbooks().size() == 1u);
}

TEST_F(MainWindowCommandsTest, ClickWritesOnlyIntoTheSpecificationRowsOfTheAttachedSheet) {
  EXPECT_EQ(InsertIntoActiveCell(m_link, "H"), LinkCommandResult::kNoApplication);
  AttachBook1();
  struct Case {
    const char* what;
    int row, column;
    LinkCommandResult result;
  };
  const Case cases[] = {
      {"specification column below the head", 5, 2, LinkCommandResult::kDone},
      {"last head row", 2, 2, LinkCommandResult::kNotApplicable},
      {"another column", 5, 3, LinkCommandResult::kNotApplicable},
  };
  for (const Case& c : cases) {
    Sheet1()->Select(CellRect::Cell(c.row, c.column));
    EXPECT_EQ(InsertIntoActiveCell(m_link, "'-"), c.result) << c.what;
    // The apostrophe keeps the minus a text; the cell shows the minus alone.
    bool written =
        Sheet1()->CellText(c.row, c.column) == u"-" && Sheet1()->PrefixCharacter(c.row, c.column) == u"'";
    EXPECT_EQ(written, c.result == LinkCommandResult::kDone) << c.what;
  }
  // The user completes the plate in the cell: "'-120*6" is a text and computes.
  Sheet1()->TypeInto(5, 2, u"'-120*6");
  EXPECT_EQ(Sheet1()->CellFormula(5, 6), u"=C5*5.650000/1000");

  // The written specification is calculated through the sheet's events.
  Sheet1()->Select(CellRect::Cell(6, 2));
  EXPECT_EQ(InsertIntoActiveCell(m_link, "H300*200*6*8"), LinkCommandResult::kDone);
  EXPECT_EQ(Sheet1()->CellFormula(6, 6), u"=C6*38.500000/1000");

  // Another sheet or another workbook active: nothing is written.
  m_book->ActivateSheet(1);
  m_book->Sheets()[1]->Select(CellRect::Cell(5, 2));
  EXPECT_EQ(InsertIntoActiveCell(m_link, "H"), LinkCommandResult::kOtherSheetActive);
  m_book->ActivateSheet(0);
  m_link.caption = "Book9";
  EXPECT_EQ(InsertIntoActiveCell(m_link, "H"), LinkCommandResult::kOtherSheetActive);
  m_link.caption = "BOOK1";  // captions match without regard to case
  EXPECT_EQ(InsertIntoActiveCell(m_link, "\xA6\xD5"), LinkCommandResult::kDone);
  EXPECT_EQ(Sheet1()->CellFormula(6, 2), u"\u03c6");
}

TEST_F(MainWindowCommandsTest, RenewAllRecalculatesEveryRowAndSelectsTheBlock) {
  EXPECT_EQ(RenewAll(m_link), LinkCommandResult::kNoApplication);
  auto sheet = Sheet1();
  sheet->SetValue(CellRect::Cell(1, 2), u"Spec");
  sheet->SetValue(CellRect::Cell(2, 2), u"H300*200*6*8");  // a head row stays as it is
  sheet->SetValue(CellRect::Cell(3, 2), u"'-100*10");
  sheet->SetValue(CellRect::Cell(5, 2), u"nonsense");
  sheet->SetValue(CellRect::Cell(6, 2), u"H300*200*6*8");
  AttachBook1();  // written before the attach: not calculated yet
  EXPECT_EQ(sheet->CellFormula(3, 6), u"");

  EXPECT_EQ(RenewAll(m_link), LinkCommandResult::kDone);
  EXPECT_EQ(sheet->CellFormula(3, 6), u"=C3*7.850000/1000");
  EXPECT_EQ(sheet->CellFormula(6, 6), u"=C6*38.500000/1000");
  EXPECT_EQ(sheet->CellFormula(6, 7), u"=(D6+E6)*F6");
  EXPECT_EQ(sheet->FontColor(5, 2), 255);
  EXPECT_EQ(sheet->CellFormula(2, 6), u"");
  EXPECT_EQ(sheet->CellFormula(4, 2), u"");  // an empty row stays empty
  // Rows 3 to 6, columns B to F (the total-weight column G not included).
  EXPECT_EQ(sheet->Selection(), (CellRect{3, 2, 6, 6}));

  m_book->ActivateSheet(1);
  EXPECT_EQ(RenewAll(m_link), LinkCommandResult::kOtherSheetActive);
}

TEST_F(MainWindowCommandsTest, RenewAllOfAHeadOnlySheetSelectsNothing) {
  Sheet1()->SetValue(CellRect::Cell(1, 2), u"Spec");
  Sheet1()->SetValue(CellRect::Cell(2, 2), u"H300*200*6*8");
  AttachBook1();
  Sheet1()->Select(CellRect::Cell(9, 9));
  EXPECT_EQ(RenewAll(m_link), LinkCommandResult::kDone);
  EXPECT_EQ(Sheet1()->Selection(), CellRect::Cell(9, 9));
  EXPECT_EQ(Sheet1()->CellFormula(2, 6), u"");
}

TEST_F(MainWindowCommandsTest, SpecificationCellIsReadTrimmedFromColumnB) {
  AttachBook1();
  Sheet1()->SetValue(CellRect::Cell(4, 2), u"  I10 ");
  ExcelDispatch sheet(MakeWorksheetObject(Sheet1()));
  EXPECT_EQ(TakeSpecificationCell(m_link, sheet, 4), "I10");
  EXPECT_EQ(m_link.activeCell.Row(), 4);
  EXPECT_EQ(m_link.activeCell.Column(), 2);
  EXPECT_EQ(TakeSpecificationCell(m_link, sheet, 0), "");
  EXPECT_EQ(m_link.activeCell.Row(), 4);  // left as it was
}

TEST_F(MainWindowCommandsTest, TrackingDetachesWhenTheSpreadsheetWindowIsGone) {
  CFakeDesktop desktop(kFrameWindow);
  AttachBook1();
  m_link.trackingSuspended = true;
  desktop.visibleWindow = 0;
  EXPECT_FALSE(RunTrackingTick(m_link, desktop));
  EXPECT_TRUE(m_link.attached);

  m_link.trackingSuspended = false;
  desktop.visibleWindow = kFrameWindow;
  EXPECT_TRUE(RunTrackingTick(m_link, desktop));
  EXPECT_TRUE(m_link.attached);
  desktop.visibleWindow = 0;
  EXPECT_TRUE(RunTrackingTick(m_link, desktop));
  EXPECT_FALSE(m_link.attached);
  EXPECT_EQ(m_window.linkLight, kLinkLightDetached);
}

TEST_F(MainWindowCommandsTest, FinderAttachesTheActiveSheetOfTheWorkbookUnderThePointer) {
  CFakeDesktop desktop(kFrameWindow);
  AttachBook1();
  m_model->AddWorkbook(std::nullopt);  // Book2, active
  List(u"Book2", m_model->Workbooks()[1]);
  m_link.picking = true;

  // Over a window that is no workbook's: the attached sheet stays as it was.
  desktop.title = "Ostrevia3.5";
  RunTrackingTick(m_link, desktop);
  EXPECT_TRUE(m_link.picking);
  EXPECT_EQ(m_link.caption, "Book1");
  EXPECT_EQ(Sheet1()->SinkCount(), 1u);

  desktop.title = "Book2";
  RunTrackingTick(m_link, desktop);
  EXPECT_FALSE(m_link.picking);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(Sheet1()->SinkCount(), 0u);
  EXPECT_EQ(m_model->Workbooks()[1]->Sheets()[0]->SinkCount(), 1u);
  EXPECT_EQ(m_link.caption, "Book2");
  EXPECT_EQ(m_link.sheetIndex, 1);
  EXPECT_EQ(m_window.sheetText, "Book2 : Sheet1");
}

TEST_F(MainWindowCommandsTest, FailedFinderAttachKeepsPicking) {
  CFakeDesktop desktop(kFrameWindow);
  desktop.title = "Book9";
  // A listed workbook whose application refuses the attach's first call.
  auto application = std::make_shared<CScriptedAutomationObject>();
  application->errors[dispid::kActiveSheet] = u"The application is busy.";
  auto workbook = std::make_shared<CScriptedAutomationObject>();
  workbook->names = {{u"Creator", dispid::kCreator}, {u"Application", dispid::kApplication}};
  workbook->results[dispid::kCreator] = std::int32_t{dispid::kCreatorCode};
  workbook->results[dispid::kApplication] = AutomationObjectPtr(application);
  m_discovery.runningObjects.push_back({u"Book9", workbook});
  m_link.picking = true;
  EXPECT_THROW(RunTrackingTick(m_link, desktop), CAutomationError);
  EXPECT_FALSE(m_link.attached);
  EXPECT_TRUE(m_link.picking);
}

}  // namespace
