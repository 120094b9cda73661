// The spreadsheet link against the stand-in server under Wine: the stand-in
// runs in its own process, found and started through the registry, the
// active object and the running object table; this test is the assistant
// and, through a second reference of its own, the person typing.

#include <olectl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/bom_sheet/sheet_header.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "base/code_page.h"
#include "base/status.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/unit/fakes/scripted_automation_object.h"
#include "tests/wine/excel_link_wine_support.h"

namespace {

using namespace linktest;

class ExcelLinkWineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(RunStandin(L"/regserver")); }

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    g_settings = AssistantSettings{};
    SelectBomStyle(g_settings, 1, g_currentLayout);
    g_materialLibrary = MaterialLibrary{};
  }

  // Every reference given back and the stand-in hidden: it must end.
  void TearDown() override {
    DetachSheet(m_link);
    HWND frame = StandinFrame();
    if (frame && (!m_link.app.IsEmpty() || GetRunningExcel(m_link))) m_link.app.SetVisible(false);
    m_link.app.Release();
    if (frame) {
      EXPECT_TRUE(WaitForStandinExit(frame)) << "the stand-in did not end";
    }
    OleUninitialize();
  }

  // A new BOM workbook as the main window makes one: added, its header
  // written, its caption and sheet index taken, the application held.
  void NewBom() {
    ASSERT_TRUE(GetRunningExcel(m_link) || StartExcel(m_link));
    m_link.app.Workbooks().Add();
    ExcelDispatch sheet = m_link.app.ActiveSheet();
    WriteStandardHeader(sheet);
    m_sheetIndex = sheet.Index();
    m_caption = EncodeToCodePage(m_link.app.ActiveWindow().Caption(), kCodePageGbk);
  }

  // A second client's view of the stand-in's active sheet.
  static ExcelDispatch SecondClientSheet() {
    CWin32ExcelDiscovery discovery;
    return ExcelDispatch(discovery.GetActiveObject(kExcelProgId)).ActiveSheet();
  }

  CWin32ExcelDiscovery m_discovery;
  CFakeLinkWindow m_window;
  ExcelLink m_link{m_discovery, m_window};
  std::string m_caption;
  int m_sheetIndex = -1;
};

TEST_F(ExcelLinkWineTest, ExcelIsStartedThenFoundRunning) {
  EXPECT_FALSE(GetRunningExcel(m_link));
  ASSERT_TRUE(StartExcel(m_link));
  HWND frame = StandinFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(IsWindowVisible(frame));
  m_link.app.Release();
  ASSERT_TRUE(GetRunningExcel(m_link));
  EXPECT_EQ(m_discovery.FindTopLevelWindow(m_link.app.Caption()), reinterpret_cast<WindowHandle>(frame));
  EXPECT_TRUE(GetOrStartExcel(m_link));
  EXPECT_EQ(StandinFrame(), frame);  // the running one, not a second
  m_link.app.Workbooks().Add();
  try {
    m_link.app.Sheets().Item(9);
    ADD_FAILURE() << "a sheet that does not exist was given";
  } catch (const CAutomationError& error) {
    EXPECT_EQ(error.Description(), u"The index is out of range.");
  }

  // Released and hidden, it ends and leaves nothing registered behind.
  m_link.app.SetVisible(false);
  m_link.app.Release();
  ASSERT_TRUE(WaitForStandinExit(frame));
  EXPECT_FALSE(GetRunningExcel(m_link));
  EXPECT_EQ(FindExcelByCaption(m_link, "Book1"), -1);
}

TEST_F(ExcelLinkWineTest, WorkbooksAreFoundByTheirWindowCaption) {
  ASSERT_TRUE(StartExcel(m_link));
  ExcelDispatch app = m_link.app;
  app.Workbooks().Add().SaveAs(u"C:\\users\\Public\\Book1.xls", 1);
  app.Workbooks().Add();  // Book2, never saved
  struct Case {
    const char* caption;
    int found;
  };
  const Case cases[] = {{"Book1", 1},      {"book1.XLS", 1}, {"BOOK2", 1},
                        {"Book2.xls", -1}, {"Book3", -1},    {"Spreadsheet", -1}};
  for (const Case& c : cases) {
    m_link.app.Release();
    EXPECT_EQ(FindExcelByCaption(m_link, c.caption), c.found) << c.caption;
    if (c.found == 1) {
      // The application's caption is its frame's title: the active workbook is Book2.
      EXPECT_EQ(m_link.app.Caption(), u"Spreadsheet - Book2");
    }
  }
  m_link.app = app;
}

TEST_F(ExcelLinkWineTest, RunningObjectOfAnotherMakerIsSkipped) {
  ASSERT_TRUE(StartExcel(m_link));
  auto stranger = std::make_shared<CScriptedAutomationObject>();
  stranger->names = {{u"Creator", 0x95}, {u"Application", 0x94}};
  stranger->results[0x95] = std::int32_t{0x4F544852};
  IDispatch* dispatch = ExposeAsDispatch(stranger);
  IRunningObjectTable* table = nullptr;
  IMoniker* moniker = nullptr;
  DWORD cookie = 0;
  ASSERT_TRUE(SUCCEEDED(GetRunningObjectTable(0, &table)));
  ASSERT_TRUE(SUCCEEDED(CreateFileMoniker(L"C:\\other\\Book5.xls", &moniker)));
  ASSERT_TRUE(SUCCEEDED(table->Register(0, dispatch, moniker, &cookie)));
  ExcelDispatch app = m_link.app;
  m_link.app.Release();
  EXPECT_EQ(FindExcelByCaption(m_link, "Book5"), -1);
  EXPECT_TRUE(m_link.app.IsEmpty());
  EXPECT_GT(stranger->calls.size(), 0u);  // it was bound and asked
  table->Revoke(cookie);
  moniker->Release();
  table->Release();
  dispatch->Release();
  m_link.app = app;
}

TEST_F(ExcelLinkWineTest, AttachedSheetIsCalculatedAsASecondClientTypes) {
  NewBom();
  ASSERT_EQ(AttachSheet(m_link, m_caption, m_sheetIndex), ST_OK);
  ASSERT_TRUE(m_link.attached);
  EXPECT_EQ(m_caption, "Book1");
  EXPECT_EQ(m_window.sheetText, "Book1 : Sheet1");
  EXPECT_NE(m_link.excelWindow, 0u);

  ExcelDispatch sheet = SecondClientSheet();
  ExcelDispatch cells = sheet.Cells();
  cells.Item(5, 2).SetValue(u"H300*200*6*8");
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(5, 6).Formula() != u""; }));
  EXPECT_EQ(cells.Item(5, 6).Formula(), u"=C5*38.500000/1000");
  EXPECT_EQ(cells.Item(5, 7).Formula(), u"=(D5+E5)*F5");
  EXPECT_EQ(cells.Item(5, 2).Font().Color(), 0);

  cells.Item(6, 2).SetValue(u"H300*200");
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(6, 2).Font().Color() == 255; }));
  EXPECT_EQ(cells.Item(6, 6).Formula(), u"");

  EXPECT_EQ(DetachSheet(m_link), ST_OK);
  cells.Item(7, 2).SetValue(u"H300*200*6*8");
  PumpUntil([] { return false; }, 500ms);
  EXPECT_EQ(cells.Item(7, 6).Formula(), u"");
}

// A second sink advised beside the assistant's gets the same events.
TEST_F(ExcelLinkWineTest, EveryAdvisedSinkHearsTheEvents) {
  NewBom();
  ASSERT_EQ(AttachSheet(m_link, m_caption, m_sheetIndex), ST_OK);
  auto recorder = std::make_shared<CScriptedAutomationObject>();
  ExcelDispatch sheet = SecondClientSheet();
  IDispatch* dispatch = ExposeAsDispatch(recorder);
  IConnectionPointContainer* container = nullptr;
  IConnectionPoint* raw = nullptr;
  DWORD cookie = 0;
  IDispatch* sheetDispatch = DispatchOfWrapped(sheet.Object());
  ASSERT_TRUE(SUCCEEDED(
      sheetDispatch->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))));
  ASSERT_TRUE(SUCCEEDED(container->FindConnectionPoint(kWorksheetEventsIid, &raw)));
  ASSERT_TRUE(SUCCEEDED(raw->Advise(dispatch, &cookie)));

  sheet.Cells().Item(5, 2).SetValue(u"'-100*10");
  EXPECT_TRUE(PumpUntil([&] { return sheet.Cells().Item(5, 6).Formula() != u""; }));
  // B5 typed, then F5 and G5 written by the assistant: three changes.
  int changes = 0;
  for (const auto& call : recorder->calls) changes += call.dispatchId == 0x609 ? 1 : 0;
  EXPECT_EQ(changes, 3);

  EXPECT_TRUE(SUCCEEDED(raw->Unadvise(cookie)));
  EXPECT_EQ(raw->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  raw->Release();
  container->Release();
  sheetDispatch->Release();
  dispatch->Release();
}

TEST_F(ExcelLinkWineTest, EntryTypedIntoTheGridIsCalculated) {
  NewBom();
  ASSERT_EQ(AttachSheet(m_link, m_caption, m_sheetIndex), ST_OK);
  HWND grid = StandinBookWindow(L"Book1");
  ASSERT_NE(grid, nullptr);
  // Cell B4 of the grid: 90 pixels a column after a 40-pixel row header, 20 a row.
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40 + 90 + 10, 4 * 20 + 5));
  for (wchar_t c : std::wstring(L"'-120*6\r")) PostMessageW(grid, WM_CHAR, c, 0);
  ExcelDispatch cells = SecondClientSheet().Cells();
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(4, 6).Formula() != u""; }));
  EXPECT_EQ(cells.Item(4, 6).Formula(), u"=C4*5.650000/1000");
  EXPECT_EQ(m_window.syncedRows.empty(), false);  // the click moved the selection into column B
}

TEST_F(ExcelLinkWineTest, SavedWorkbookComesBackFromItsFile) {
  const std::u16string path = u"C:\\users\\Public\\round.xls";
  std::u16string header;
  {
    ASSERT_TRUE(StartExcel(m_link));
    ExcelDispatch book = m_link.app.Workbooks().Add();
    ExcelDispatch sheet = m_link.app.ActiveSheet();
    WriteStandardHeader(sheet);
    ExcelDispatch cells = sheet.Cells();
    header = cells.Item(1, 2).Text();
    cells.Item(5, 2).SetValue(u"H300*200*6*8");
    cells.Item(5, 3).SetValue(1500);
    cells.Item(5, 6).SetFormula(u"=C5*38.500000/1000");
    cells.Item(5, 2).Font().SetColor(255);
    sheet.Columns().ColumnItem(6).SetNumberFormatLocal(u"0.00_ ");
    book.SaveAs(path, 1);
    HWND frame = StandinFrame();
    m_link.app.SetVisible(false);
    m_link.app.Release();
    book.Release();
    sheet.Release();
    cells.Release();
    ASSERT_TRUE(WaitForStandinExit(frame));
  }
  ASSERT_TRUE(StartExcel(m_link));  // a new process, which reads the file
  m_link.app.Workbooks().Open(path);
  EXPECT_EQ(m_link.app.ActiveWindow().Caption(), u"round.xls");
  ExcelDispatch cells = m_link.app.ActiveSheet().Cells();
  EXPECT_EQ(cells.Item(1, 2).Text(), header);
  EXPECT_EQ(cells.Item(1, 1).MergeArea().Count(), 2);
  EXPECT_EQ(cells.Item(5, 2).Text(), u"H300*200*6*8");
  EXPECT_EQ(cells.Item(5, 2).Font().Color(), 255);
  EXPECT_EQ(cells.Item(5, 6).Formula(), u"=C5*38.500000/1000");
  EXPECT_EQ(cells.Item(5, 6).Text(), u"57.75 ");

  // Listed under its full path; opened again by the newer id of Open.
  ExcelDispatch app = m_link.app;
  m_link.app.Release();
  EXPECT_EQ(FindExcelByCaption(m_link, "ROUND"), 1);
  EXPECT_EQ(app.Workbooks().Object()->DispatchIdOfName(u"Open"), 0x783);
  AutomationValue argument = path;
  ExcelDispatch(
      AutomationObjectOf(app.Workbooks().Invoke(0x783, InvokeKind::kMethod, std::span(&argument, 1))));
  EXPECT_EQ(app.Windows().Count(), 2);
}

// A stand-in told to keep new workbooks out of the running object table:
// the new BOM is attached through the application that added it.
TEST_F(ExcelLinkWineTest, UnlistedNewWorkbookIsAttachedThroughItsApplication) {
  ASSERT_TRUE(RunStandin(L"/regserver /unlisted"));
  NewBom();
  ASSERT_TRUE(RunStandin(L"/regserver"));  // the next start lists them again
  ExcelDispatch app = m_link.app;
  m_link.app.Release();
  EXPECT_EQ(FindExcelByCaption(m_link, m_caption), -1);
  std::string caption = m_caption;
  int sheetIndex = m_sheetIndex;
  EXPECT_EQ(AttachSheet(m_link, caption, sheetIndex), ST_OK);
  EXPECT_FALSE(m_link.attached);
  EXPECT_EQ(m_window.messages, std::vector<std::string>{kMsgNoSpecifiedInstance});

  m_link.app = app;
  app.Release();
  EXPECT_EQ(AttachSheet(m_link, m_caption, m_sheetIndex), ST_OK);
  EXPECT_TRUE(m_link.attached);
  EXPECT_EQ(m_caption, "Book1");
  EXPECT_EQ(m_window.messages.size(), 1u);
  ExcelDispatch cells = SecondClientSheet().Cells();
  cells.Item(5, 2).SetValue(u"'-100*10");
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(5, 6).Formula() != u""; }));
  EXPECT_EQ(cells.Item(5, 6).Formula(), u"=C5*7.850000/1000");
}

}  // namespace
