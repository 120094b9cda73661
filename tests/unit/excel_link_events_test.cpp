// The attached sheet's events: a change in the specification column below
// the head rows calculates the row, a selection there moves the material
// list, anything else does nothing; after detaching nothing reacts.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/bom_sheet/worksheet_event_sink.h"
#include "assistant/excel/dispatch_ids.h"
#include "base/status.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/fakes/counting_automation_object.h"
#include "tests/unit/fakes/workbook_test_support.h"

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

// Specifications of every kind: shapes, the CAD tube notation, plates
// with the apostrophe, library names this library lacks, failures, empties.
const std::vector<std::u16string> kMix = {u"'-120*6", u"D60*3",    u"%%C60*3", u"H300*200*6*8",
                                          u"L20X3",   u"nonsense", u"",        u"'-120~200*6",
                                          u"φ20",     u"  D50*3 ", u"-120*6",  u"C200*75*9*11"};
constexpr int kFirst = 3;
constexpr int kLast = kFirst + 23;  // two rounds of the mix

AutomationValue ColumnOf(const std::vector<std::u16string>& texts) {
  AutomationArray column(static_cast<int>(texts.size()), 1);
  for (std::size_t i = 0; i < texts.size(); ++i) column.At(static_cast<int>(i) + 1, 1) = texts[i];
  return MakeAutomationArray(std::move(column));
}

// Whole BOM rows A:G as copied from another BOM: number, specification,
// length, counts, and weight cells left empty.
AutomationValue BomRows(int count) {
  AutomationArray rows(count, 7);
  for (int row = 1; row <= count; ++row) {
    rows.At(row, 1) = std::u16string(u"9");
    rows.At(row, 2) = kMix[static_cast<std::size_t>(row) % kMix.size()];
    rows.At(row, 3) = std::u16string(u"2500");
    rows.At(row, 4) = std::u16string(u"2");
    rows.At(row, 6) = std::u16string(u"");
  }
  return MakeAutomationArray(std::move(rows));
}

// A calculated BOM, and what a user wrote beside it: a number and a
// formula of their own in weight cells.
void FillBom(CModelSheet& sheet) {
  ExcelDispatch cells = ExcelDispatch(MakeWorksheetObject(sheet.shared_from_this())).Cells();
  for (int row = kFirst; row <= kLast; ++row) {
    sheet.TypeInto(row, 2, kMix[static_cast<std::size_t>(row) % kMix.size()]);
    sheet.TypeInto(row, 3, u"6000");
    CalculateBomRowInCells(cells, row);
  }
  sheet.TypeInto(9, 7, u"12.5");
  sheet.TypeInto(10, 6, u"=C10*2/1000+1");
}

// Each edit of many cells at once on the attached sheet (one change event
// for its block) against the same edit on a sheet without a link, whose
// rows the edit met in the specification column are then calculated one
// by one: every cell must come out the same.
TEST_F(ExcelLinkEventsTest, EveryRowABlockEditMeetsEndsAsItsOwnCalculationLeavesIt) {
  using Edit = std::function<void(CModelSheet&)>;
  std::vector<std::u16string> pasted;
  for (int i = 0; i < 30; ++i) pasted.push_back(kMix[static_cast<std::size_t>(i * 5) % kMix.size()]);
  const struct {
    const char* name;
    Edit edit;
    std::vector<std::pair<int, int>> rows;  // first and last row calculated
  } cases[] = {
      // One edit a line.
      // clang-format off
      {"a column pasted", [&](CModelSheet& s) { s.SetValue({5, 2, 34, 2}, ColumnOf(pasted)); }, {{5, 34}}},
      {"whole BOM rows A:G pasted", [](CModelSheet& s) { s.SetValue({12, 1, 31, 7}, BomRows(20)); }, {{12, 31}}},
      {"specifications cleared", [](CModelSheet& s) { s.ClearContents({{5, 2, 14, 2}}); }, {{5, 14}}},
      {"Delete on column B", [](CModelSheet& s) { s.ClearContents({{1, 2, kSheetRows, 2}}); }, {{kFirst, kLast}}},
      {"Ctrl+A, Delete", [](CModelSheet& s) { s.ClearContents({{1, 1, kSheetRows, kSheetColumns}}); }, {{kFirst, kLast}}},
      {"Ctrl+Enter into two areas",
       [](CModelSheet& s) { s.SetValue(std::vector<CellRect>{{5, 2, 7, 2}, {10, 1, 12, 3}}, u"'-100*10"); },
       {{5, 7}, {10, 12}}},
      {"rows deleted", [](CModelSheet& s) { s.DeleteRows(8, 10); }, {{8, 10}}},
      {"rows inserted", [](CModelSheet& s) { s.InsertRows(8, 3); }, {{8, 10}}},
      {"rows copied", [](CModelSheet& s) { s.CopyBlock({5, 1, 9, 7}, {40, 1, 40, 7}); }, {{40, 44}}},
      {"filled down", [](CModelSheet& s) { s.FillDown({5, 2, 15, 3}); }, {{5, 15}}},
      {"head rows and weights written", [](CModelSheet& s) { s.SetValue({1, 1, 2, 7}, u"x"); }, {}},
      {"weight columns written", [](CModelSheet& s) { s.SetValue({5, 6, 30, 7}, u"1"); }, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();  // attached again
    std::shared_ptr<CModelSheet> linked = m_sheet;
    std::shared_ptr<CModelSheet> alone = m_model->AddWorkbook(std::nullopt)->Sheets()[0];
    FillBom(*linked);
    FillBom(*alone);
    c.edit(*linked);
    c.edit(*alone);
    ExcelDispatch cells = ExcelDispatch(MakeWorksheetObject(alone)).Cells();
    for (auto [first, last] : c.rows) {
      for (int row = first; row <= last; ++row) CalculateBomRowInCells(cells, row);
    }
    for (int row = 1; row <= 50; ++row) {
      for (int column = 1; column <= 8; ++column) {
        SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
        ASSERT_EQ(Utf8Of(linked->CellFormula(row, column)), Utf8Of(alone->CellFormula(row, column)));
        ASSERT_EQ(linked->FontColor(row, column), alone->FontColor(row, column));
      }
    }
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
