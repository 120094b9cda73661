// The attached sheet's events: a change in the specification column below
// the head rows calculates the row, a selection there moves the material
// list, anything else does nothing; after detaching nothing reacts.

#include <gtest/gtest.h>

#include "assistant/bom_sheet/worksheet_event_sink.h"
#include "assistant/excel/dispatch_ids.h"
#include "base/status.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/fakes/counting_automation_object.h"

namespace {

class ExcelLinkEventsTest : public ExcelLinkTest {
 protected:
  void SetUp() override {
    ExcelLinkTest::SetUp();
    ASSERT_EQ(Attach("Book1", 1), ST_OK);
    m_sheet = m_book->Sheets()[0];
  }

  std::shared_ptr<CModelSheet> m_sheet;
};

TEST_F(ExcelLinkEventsTest, TypedSpecificationGetsItsWeightFormulas) {
  m_sheet->TypeInto(5, 2, u"H300*200*6*8");
  EXPECT_EQ(m_sheet->CellFormula(5, 6), u"=C5*38.500000/1000");
  EXPECT_EQ(m_sheet->CellFormula(5, 7), u"=(D5+E5)*F5");
  EXPECT_EQ(m_sheet->FontColor(5, 2), 0);

  m_sheet->TypeInto(6, 2, u"H300*200");
  EXPECT_EQ(m_sheet->FontColor(6, 2), 255);
  EXPECT_EQ(m_sheet->CellFormula(6, 6), u"");
}

TEST_F(ExcelLinkEventsTest, OnlyTheSpecificationColumnBelowTheHeadRowsReacts) {
  struct Case {
    int row;
    int column;
    bool reacts;
  };
  const Case cases[] = {{3, 2, true},  {2, 2, false}, {1, 2, false},
                        {4, 3, false}, {9, 1, false}, {400, 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
    m_window.syncedRows.clear();
    m_sheet->TypeInto(c.row, c.column, u"'-120*6");
    EXPECT_EQ(m_sheet->CellFormula(c.row, 6) != u"", c.reacts);
    m_sheet->Select(CellRect::Cell(c.row, c.column));
    EXPECT_EQ(m_window.syncedRows, c.reacts ? std::vector<int>{c.row} : std::vector<int>{});
  }
}

TEST_F(ExcelLinkEventsTest, DetachedSheetIsNoLongerCalculated) {
  DetachSheet(m_link);
  m_sheet->TypeInto(5, 2, u"H300*200*6*8");
  m_sheet->Select(CellRect::Cell(5, 2));
  EXPECT_EQ(m_sheet->CellFormula(5, 6), u"");
  EXPECT_TRUE(m_window.syncedRows.empty());
}

TEST_F(ExcelLinkEventsTest, SpreadsheetErrorEndsOnlyTheEvent) {
  auto sink = std::make_shared<CWorksheetEventSink>(m_window, g_currentLayout);
  const auto& other = m_book->Sheets()[1];  // not attached: only this sink reacts
  AutomationValue target = MakeRangeObject(other, CellRect::Cell(5, 2), RangeKind::kCells);
  other->TypeInto(5, 2, u"'-120*6");
  other->Protect(true);
  EXPECT_NO_THROW(sink->Invoke(dispid::kChange, InvokeKind::kMethod, std::span(&target, 1)));
  ASSERT_EQ(m_window.eventErrors.size(), 1u);
  EXPECT_NE(m_window.eventErrors[0], u"");
  EXPECT_EQ(other->CellFormula(5, 6), u"");
  // Other ids and a missing target do nothing.
  other->Protect(false);
  EXPECT_NO_THROW(sink->Invoke(0x60A, InvokeKind::kMethod, std::span(&target, 1)));
  EXPECT_NO_THROW(sink->Invoke(dispid::kChange, InvokeKind::kMethod, {}));
  EXPECT_EQ(other->CellFormula(5, 6), u"");
  sink->Invoke(dispid::kChange, InvokeKind::kMethod, std::span(&target, 1));
  EXPECT_EQ(other->CellFormula(5, 6), u"=C5*5.650000/1000");
}

// Each read is a call into the spreadsheet's process: an event reads only
// what decides it, and a watched sheet is not asked for at every change.
TEST_F(ExcelLinkEventsTest, EventsReadOnlyWhatTheyNeed) {
  using Tally = CCountingAutomationObject::Tally;
  auto tally = std::make_shared<Tally>();
  const auto& other = m_book->Sheets()[1];  // not attached: only this sink reacts
  auto counted = [&](const AutomationObjectPtr& object) -> AutomationValue {
    return std::make_shared<CCountingAutomationObject>(object, tally);
  };
  auto cell = [&](int row, int column) {
    return counted(MakeRangeObject(other, CellRect::Cell(row, column), RangeKind::kCells));
  };
  auto sink = std::make_shared<CWorksheetEventSink>(m_window, g_currentLayout);
  auto change = [&](const AutomationValue& target) {
    sink->Invoke(dispid::kChange, InvokeKind::kMethod, std::span(&target, 1));
  };

  change(cell(5, 6));  // a weight cell the calculation wrote
  EXPECT_EQ(*tally, (Tally{{dispid::kAddress, 1}}));
  tally->clear();
  change(counted(MakeRangeObject(other, {3, 6, 2002, 7}, RangeKind::kCells)));  // a block of them
  EXPECT_EQ(*tally, (Tally{{dispid::kAddress, 1}}));
  tally->clear();
  change(cell(2, 2));  // a head row
  EXPECT_EQ(*tally, (Tally{{dispid::kAddress, 1}}));

  other->TypeInto(5, 2, u"'-120*6");
  other->TypeInto(6, 2, u"'-100*10");
  tally->clear();
  change(cell(5, 2));
  change(cell(6, 2));
  EXPECT_EQ((*tally)[dispid::kWorksheet], 2);
  EXPECT_EQ((*tally)[dispid::kCells], 2);

  tally->clear();
  sink->Watch(ExcelDispatch(AutomationObjectOf(counted(MakeWorksheetObject(other)))));
  change(cell(5, 2));
  change(cell(6, 2));
  EXPECT_EQ((*tally)[dispid::kWorksheet], 0);
  EXPECT_EQ((*tally)[dispid::kCells], 1);
  EXPECT_EQ(other->CellFormula(5, 6), u"=C5*5.650000/1000");
  EXPECT_EQ(other->CellFormula(6, 7), u"=(D6+E6)*F6");

  sink->Forget();
  tally->clear();
  change(cell(6, 2));
  EXPECT_EQ((*tally)[dispid::kWorksheet], 1);
}

}  // namespace
