// Finding the spreadsheet: the running application, a new one, a workbook by
// its window caption, a window by its caption, and calls by name.

#include <gtest/gtest.h>

#include "assistant/excel/dispatch_ids.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/fakes/scripted_automation_object.h"

namespace {

using ExcelLinkDiscoveryTest = ExcelLinkTest;

TEST_F(ExcelLinkDiscoveryTest, WorkbookIsFoundByTheNameItsMonikerEndsWith) {
  struct Case {
    std::u16string listedAs;
    std::string caption;
    bool found;
  };
  const Case cases[] = {
      {u"Book1", "Book1", true},
      {u"BOOK1", "Book1", true},
      {u"C:\\BOM\\Book1.xls", "Book1", true},
      {u"C:\\BOM\\standard.xls", "STANDARD.XLS", true},
      {u"Book1", "Book1.xls", false},
      {u"Book12", "Book1", false},
      {u"C:\\Book1\\other.xls", "Book1", false},
      {u"Book1", "Excel - Book1", false},
  };
  for (const Case& c : cases) {
    m_discovery.runningObjects.clear();
    List(c.listedAs, m_book);
    m_link.app.Release();
    EXPECT_EQ(FindExcelByCaption(m_link, c.caption), c.found ? 1 : -1) << c.caption;
    EXPECT_EQ(m_link.app.IsEmpty(), !c.found) << c.caption;
  }
}

TEST_F(ExcelLinkDiscoveryTest, RunningObjectsOfAnotherMakerOrUnboundAreSkipped) {
  auto stranger = std::make_shared<CScriptedAutomationObject>();
  stranger->names = {{u"Creator", dispid::kCreator}, {u"Application", dispid::kApplication}};
  stranger->results[dispid::kCreator] = std::int32_t{0x12345678};
  stranger->results[dispid::kApplication] = m_discovery.activeObject;
  m_discovery.runningObjects = {{u"Book1", stranger}, {u"Book1", nullptr}};
  EXPECT_EQ(FindExcelByCaption(m_link, "Book1"), -1);
  EXPECT_TRUE(m_link.app.IsEmpty());

  List(u"C:\\Book1.xls", m_book);  // the spreadsheet's own, after the stranger
  EXPECT_EQ(FindExcelByCaption(m_link, "Book1"), 1);
  EXPECT_EQ(m_link.app.Caption(), u"Excel - Book1");

  m_discovery.tableFails = true;
  EXPECT_EQ(FindExcelByCaption(m_link, "Book1"), -1);
}

TEST_F(ExcelLinkDiscoveryTest, RunningApplicationIsRetriedWithShortSleeps) {
  struct Case {
    int failingLookups;
    int attempts;
    bool found;
    int lookups;
  };
  const Case cases[] = {{0, 10, true, 1}, {9, 10, true, 10}, {10, 10, false, 10}, {5, 5, false, 5}};
  for (const Case& c : cases) {
    m_discovery.failingLookups = c.failingLookups;
    m_discovery.activeLookups = 0;
    m_discovery.sleeps.clear();
    m_link.app.Release();
    EXPECT_EQ(GetRunningExcel(m_link, c.attempts), c.found);
    EXPECT_EQ(m_discovery.activeLookups, c.lookups);
    EXPECT_EQ(m_discovery.sleeps, std::vector<int>(c.found ? c.lookups - 1 : c.lookups, 10));
    EXPECT_EQ(m_link.app.IsEmpty(), !c.found);
  }
  EXPECT_TRUE(m_window.messages.empty());
}

TEST_F(ExcelLinkDiscoveryTest, StartingShowsTheApplicationOrSaysItCannot) {
  EXPECT_FALSE(StartExcel(m_link));
  EXPECT_EQ(m_window.messages, std::vector<std::string>{"Can't startup Excel Server!"});

  auto started = CWorkbookModel::Create();
  m_discovery.create = [&] { return MakeApplicationObject(started); };
  EXPECT_TRUE(StartExcel(m_link));
  EXPECT_TRUE(started->visible);
  EXPECT_TRUE(started->userControl);
}

TEST_F(ExcelLinkDiscoveryTest, GetOrStartPrefersTheRunningApplication) {
  auto started = CWorkbookModel::Create();
  m_discovery.create = [&] { return MakeApplicationObject(started); };
  EXPECT_TRUE(GetOrStartExcel(m_link));
  EXPECT_TRUE(m_model->visible);
  EXPECT_FALSE(m_model->userControl);
  EXPECT_FALSE(started->visible);

  m_discovery.activeObject = nullptr;
  m_discovery.activeLookups = 0;
  EXPECT_TRUE(GetOrStartExcel(m_link));
  EXPECT_EQ(m_discovery.activeLookups, 5);
  EXPECT_TRUE(started->visible && started->userControl);
}

TEST_F(ExcelLinkDiscoveryTest, WindowIsFoundByCaptionWithoutRegardToCase) {
  m_model->AddWorkbook(std::nullopt);
  ExcelDispatch app(MakeApplicationObject(m_model));
  EXPECT_EQ(FindWindowIndex("Book1", app), 1);
  EXPECT_EQ(FindWindowIndex("BOOK2", app), 2);
  EXPECT_EQ(FindWindowIndex("Book3", app), -1);
  EXPECT_EQ(FindWindowIndex("Book", app), -1);
}

TEST_F(ExcelLinkDiscoveryTest, CallsByNameReportTheirOutcome) {
  ExcelDispatch app(MakeApplicationObject(m_model));
  AutomationValue result;
  EXPECT_EQ(InvokeByName(InvokeKind::kGet, result, ExcelDispatch(), u"Creator"), kInvokeNoObject);
  EXPECT_EQ(InvokeByName(InvokeKind::kGet, result, app, u"NoSuchMember"), kInvokeUnknownName);

  EXPECT_EQ(InvokeByName(InvokeKind::kGet, result, app, u"creator"), 0);
  EXPECT_EQ(result, AutomationValue(std::int32_t{dispid::kCreatorCode}));

  AutomationValue visible = true;
  EXPECT_EQ(InvokeByName(InvokeKind::kPut, result, app, u"Visible", std::span(&visible, 1)), 0);
  EXPECT_TRUE(m_model->visible);

  AutomationValue badIndex = std::int32_t{7};
  EXPECT_EQ(InvokeByName(InvokeKind::kGet, result, app.Workbooks(), u"Item", std::span(&badIndex, 1)),
            kInvokeException);
}

}  // namespace
