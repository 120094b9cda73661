// Attaching a worksheet and detaching it: the link's states, what the main
// window shows, and every failure the link reports.

#include <gtest/gtest.h>

#include "assistant/excel/dispatch_ids.h"
#include "base/status.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/fakes/scripted_automation_object.h"

namespace {

using ExcelLinkAttachTest = ExcelLinkTest;

constexpr const char16_t* kWeightFormat = u"0.00_ ";

TEST_F(ExcelLinkAttachTest, SpecifiedSheetIsAttachedAndShown) {
  m_model->caption = u"Sheets";  // the frame's title is looked up by the caption it has now
  m_discovery.windows[u"Sheets - Book1"] = kFrameWindow;
  ASSERT_EQ(Attach("BOOK1", 2), ST_OK);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(m_caption, "Book1");
  EXPECT_EQ(m_sheetIndex, 2);
  EXPECT_EQ(m_window.sheetText, "Book1 : Sheet2");
  EXPECT_EQ(m_window.linkLight, kLinkLightAttached);
  EXPECT_EQ(m_window.topmostCount, 1);
  EXPECT_TRUE(m_window.messages.empty());
  EXPECT_EQ(m_link.excelWindow, kFrameWindow);
  EXPECT_FALSE(m_link.activeCell.IsEmpty());

  // The weight columns of the style (F and G) are formatted whole, on the
  // attached sheet only.
  const auto& sheet = m_book->Sheets()[1];
  EXPECT_EQ(sheet->NumberFormat(3, 6), kWeightFormat);
  EXPECT_EQ(sheet->NumberFormat(60000, 7), kWeightFormat);
  EXPECT_NE(sheet->NumberFormat(3, 5), kWeightFormat);
  EXPECT_NE(m_book->Sheets()[0]->NumberFormat(3, 6), kWeightFormat);
  EXPECT_EQ(sheet->SinkCount(), 1u);
}

// The title carries the active workbook's name and moves on when another
// becomes active: an attach that finds no window by the caption it read
// takes the spreadsheet's one main window, so that the tracking does not
// detach a working attachment.
TEST_F(ExcelLinkAttachTest, MainWindowIsFoundWhenTheTitleMovedOn) {
  m_discovery.windows.clear();
  m_discovery.mainWindows = {kFrameWindow};
  ASSERT_EQ(Attach("Book1", 1), ST_OK);
  EXPECT_EQ(m_link.excelWindow, kFrameWindow);
  DetachSheet(m_link);
  m_discovery.mainWindows = {kFrameWindow, kFrameWindow + 1};  // which is ours cannot be told
  ASSERT_EQ(Attach("Book1", 1), ST_OK);
  EXPECT_EQ(m_link.excelWindow, 0u);
}

TEST_F(ExcelLinkAttachTest, SecondAttachFailsAndChangesNothing) {
  ASSERT_EQ(Attach("Book1", 1), ST_OK);
  m_model->AddWorkbook(std::nullopt);
  List(u"Book2", m_model->Workbooks()[1]);
  EXPECT_EQ(Attach("Book2", 1), ST_FAIL);
  EXPECT_EQ(m_caption, "Book2");
  EXPECT_EQ(m_window.sheetText, "Book1 : Sheet1");
  EXPECT_EQ(m_window.topmostCount, 1);
  EXPECT_EQ(m_model->Workbooks()[1]->Sheets()[0]->SinkCount(), 0u);
}

TEST_F(ExcelLinkAttachTest, EachFailureHasItsMessageAndResult) {
  struct Case {
    const char* what;
    std::string caption;
    int sheetIndex;
    std::function<void()> arrange;
    const char* message;
    int result;
    bool appKept;
  };
  auto noRunningExcel = [this] { m_discovery.activeObject = nullptr; };
  auto noActiveWindow = [this] {
    auto app = std::make_shared<CScriptedAutomationObject>();
    app->results[dispid::kActiveSheet] = MakeWorksheetObject(m_book->Sheets()[0]);
    app->results[dispid::kActiveWindow] = AutomationObjectPtr();
    m_discovery.activeObject = app;
  };
  // Listed under a name that no window of the application has.
  auto listedElsewhere = [this] { List(u"Ghost", m_book); };
  const Case cases[] = {
      {"workbook not listed", "Book9", 1, nullptr, kMsgNoSpecifiedInstance, ST_OK, false},
      {"no such window", "Ghost", 1, listedElsewhere, kMsgNoSheetWindow, ST_FAIL, false},
      {"no such sheet", "Book1", 4, nullptr, kMsgNoValidSheet, ST_OK, false},
      {"cannot start", "", -1, noRunningExcel, kMsgCantStartExcel, ST_FAIL, false},
      {"no active window", "", -1, noActiveWindow, kMsgNoValidWindow, ST_OK, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    if (c.arrange) c.arrange();
    EXPECT_EQ(Attach(c.caption, c.sheetIndex), c.result);
    EXPECT_EQ(m_window.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(m_link.attached);
    EXPECT_EQ(m_window.linkLight, 0);
    EXPECT_EQ(m_link.app.IsEmpty(), !c.appKept);
  }
}

TEST_F(ExcelLinkAttachTest, RefusedEventConnectionShowsTheSheetButCalculatesNothing) {
  m_discovery.refuseAdvise = true;
  EXPECT_EQ(Attach("Book1", 1), ST_OK);
  EXPECT_FALSE(m_link.attached);
  EXPECT_EQ(m_window.sheetText, "Book1 : Sheet1");
  EXPECT_EQ(m_window.linkLight, kLinkLightAttached);
  EXPECT_FALSE(m_link.app.IsEmpty());
  m_book->Sheets()[0]->TypeInto(5, 2, u"H300*200*6*8");
  EXPECT_EQ(m_book->Sheets()[0]->CellFormula(5, 6), u"");
}

TEST_F(ExcelLinkAttachTest, ActiveSheetOfTheRunningApplicationIsAttached) {
  m_model->AddWorkbook(std::nullopt);
  m_model->Workbooks()[1]->ActivateSheet(2);
  EXPECT_EQ(Attach("", -1), ST_OK);
  EXPECT_EQ(m_caption, "Book2");
  EXPECT_EQ(m_sheetIndex, 3);
  EXPECT_TRUE(m_link.attached);
}

TEST_F(ExcelLinkAttachTest, ApplicationWithoutWorkbookGetsOneWithTheStyleHeader) {
  for (int style : {1, 0}) {
    SCOPED_TRACE(style);
    TearDown();
    auto empty = CWorkbookModel::Create();
    m_discovery.activeObject = MakeApplicationObject(empty);
    g_settings.style = style;
    EXPECT_EQ(Attach("", -1), ST_OK);
    ASSERT_EQ(empty->Workbooks().size(), 1u);
    const auto& sheet = empty->ActiveSheet();
    EXPECT_EQ(sheet->ColumnWidth(2), 18);
    EXPECT_EQ(sheet->MergedAreas().empty(), style == 0);  // only the standard head has merged blocks
    EXPECT_EQ(m_caption, "Book1");
  }
}

TEST_F(ExcelLinkAttachTest, WithoutRunningApplicationOneIsStartedWithANewWorkbook) {
  m_discovery.activeObject = nullptr;
  auto started = CWorkbookModel::Create();
  m_discovery.create = [&] { return MakeApplicationObject(started); };
  EXPECT_EQ(Attach("", -1), ST_OK);
  EXPECT_TRUE(started->visible && started->userControl);
  EXPECT_EQ(started->Workbooks().size(), 1u);
  EXPECT_TRUE(m_link.attached);
}

// The finder hands over the application under the pointer: with several
// running, its active sheet is attached, not that of the system's pick.
TEST_F(ExcelLinkAttachTest, AHeldApplicationGoesBeforeTheSystemsPick) {
  auto other = CWorkbookModel::Create();
  auto book = other->AddWorkbook(std::nullopt);
  m_link.app = ExcelDispatch(MakeApplicationObject(other));
  EXPECT_EQ(Attach("", -1), ST_OK);
  EXPECT_EQ(book->Sheets()[0]->SinkCount(), 1u);
  EXPECT_EQ(m_book->Sheets()[0]->SinkCount(), 0u);
}

// A new BOM's workbook that the running object table does not list (yet)
// is attached through the application that added it.
TEST_F(ExcelLinkAttachTest, UnlistedNewWorkbookIsAttachedThroughTheHeldApplication) {
  auto book2 = m_model->AddWorkbook(std::nullopt);
  m_link.app = ExcelDispatch(MakeApplicationObject(m_model));
  EXPECT_EQ(Attach("Book2", 1), ST_OK);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(m_caption, "Book2");
  EXPECT_TRUE(m_window.messages.empty());
  EXPECT_EQ(book2->Sheets()[0]->SinkCount(), 1u);
}

TEST_F(ExcelLinkAttachTest, OverlongCaptionsAreRefusedNotCut) {
  std::string longCaption(kCaptionBytes + 1, 'B');
  List(std::u16string(longCaption.begin(), longCaption.end()), m_book);
  m_link.app = ExcelDispatch(MakeApplicationObject(m_model));
  EXPECT_EQ(Attach(longCaption, 1), ST_OK);
  EXPECT_FALSE(m_link.attached);
  EXPECT_EQ(m_window.messages, std::vector<std::string>{kMsgNoSpecifiedInstance});

  // A window caption that would not fit is refused the same way.
  m_window.messages.clear();
  m_book->SetName(std::u16string(kCaptionBytes + 1, u'W'));
  EXPECT_EQ(Attach("", -1), ST_OK);
  EXPECT_FALSE(m_link.attached);
  EXPECT_EQ(m_window.messages, std::vector<std::string>{kMsgNoSpecifiedInstance});
  EXPECT_EQ(m_book->Sheets()[0]->SinkCount(), 0u);

  m_book->SetName(std::u16string(kCaptionBytes, u'W'));
  EXPECT_EQ(Attach("", -1), ST_OK);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(m_caption.size(), kCaptionBytes);
}

TEST_F(ExcelLinkAttachTest, DetachReleasesEverythingOnceAndOnlyWhenAttached) {
  m_link.app = ExcelDispatch(MakeApplicationObject(m_model));
  EXPECT_EQ(DetachSheet(m_link), ST_OK);
  EXPECT_FALSE(m_link.app.IsEmpty());  // held while detached, and kept
  EXPECT_EQ(m_window.sheetText, "unset");

  ASSERT_EQ(Attach("Book1", 1), ST_OK);
  EXPECT_EQ(DetachSheet(m_link), ST_OK);
  EXPECT_FALSE(m_link.attached);
  EXPECT_TRUE(m_link.app.IsEmpty());
  EXPECT_TRUE(m_link.activeCell.IsEmpty());
  EXPECT_EQ(m_book->Sheets()[0]->SinkCount(), 0u);
  EXPECT_EQ(m_window.sheetText, "");
  EXPECT_EQ(m_window.linkLight, kLinkLightDetached);
  EXPECT_EQ(m_discovery.unadviseCount, 1);

  m_window.linkLight = 0;
  EXPECT_EQ(DetachSheet(m_link), ST_OK);
  EXPECT_EQ(m_discovery.unadviseCount, 1);
  EXPECT_EQ(m_window.linkLight, 0);

  ASSERT_EQ(Attach("Book1", 1), ST_OK);  // attachable again
  EXPECT_TRUE(m_link.attached);
}

}  // namespace
