#include "assistant/bom_sheet/bom_renewal.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/excel_dispatch.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/recording_automation_sink.h"
#include "tests/unit/fakes/workbook_test_support.h"

namespace {

using SheetFiller = std::function<void(CModelSheet&, const CurrentLayout&)>;

// Every shape the notation knows, library sections, a user formula, the
// CAD tube notation, plates typed with the apostrophe, and failures.
const std::vector<std::u16string> kMix = {u"-120*6",
                                          u"'-120*6",
                                          u"'-120~200*6",
                                          u"D60*3",
                                          u"%%C60*3",
                                          u"H300*200*6*8",
                                          u"H300~400*200*6*8",
                                          u"C200*75*9*11",
                                          u"φ20",
                                          u"L20X3",
                                          u"X123",
                                          u"GX100*200",
                                          u"nonsense",
                                          u"HW100X100X6X10",
                                          u"",
                                          u"-120*-6",
                                          u"12",
                                          u"  D50*3 "};

BomColumn Column(int number, const char* letters) { return {number, letters}; }
BomColumn NoColumn() { return {0, "0"}; }

class BomRenewalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ParseMaterialLibrary(m_library,
                                   "[FORMULA START]\r\nGXH*B GX H*B*7850*1E-6\r\n[FORMULA END]\r\n"
                                   "L20X3 0.889\r\nX123 123.45\r\n",
                                   "ZMLib.txt"),
              "");
  }

  std::shared_ptr<CModelSheet> MakeSheet(const SheetFiller& fill) const {
    auto model = CWorkbookModel::Create();
    model->AddWorkbook(std::nullopt);
    std::shared_ptr<CModelSheet> sheet = model->ActiveSheet();
    fill(*sheet, m_layout);
    m_models.push_back(model);
    return sheet;
  }

  // Renews the same sheet by each row's calculation (what the change event
  // of each row did) and by the block; every cell must come out the same.
  void ExpectSameAsPerRow(const SheetFiller& fill, int firstRow, int endRow, const std::string& name) {
    std::shared_ptr<CModelSheet> perRow = MakeSheet(fill);
    std::shared_ptr<CModelSheet> block = MakeSheet(fill);
    ExcelDispatch perRowCells = ExcelDispatch(MakeWorksheetObject(perRow)).Cells();
    for (int row = firstRow; row < endRow; ++row) {
      if (!perRow->CellText(row, m_layout.material.number).empty())
        CalculateBomRowInCells(perRowCells, row, m_library, m_layout, m_settings);
    }
    auto sink = std::make_shared<CRecordingAutomationSink>();
    block->Advise(sink);
    RenewBomRows(ExcelDispatch(MakeWorksheetObject(block)).Cells(), firstRow, endRow - firstRow, m_library,
                 m_layout, m_settings);
    for (const auto& event : sink->events) {
      EXPECT_NE(event.target.left, m_layout.material.number) << name << ": a specification was written";
    }
    for (int row = 1; row < endRow + 2; ++row) {
      for (int column = 1; column <= 12; ++column) {
        SCOPED_TRACE(name + " row " + std::to_string(row) + " column " + std::to_string(column));
        ASSERT_EQ(Utf8Of(block->CellFormula(row, column)), Utf8Of(perRow->CellFormula(row, column)));
        ASSERT_EQ(Utf8Of(block->CellText(row, column)), Utf8Of(perRow->CellText(row, column)));
        ASSERT_EQ(block->FontColor(row, column), perRow->FontColor(row, column));
      }
    }
  }

  AssistantSettings m_settings;
  CurrentLayout m_layout;
  MaterialLibrary m_library;
  mutable std::vector<std::shared_ptr<CWorkbookModel>> m_models;
};

SheetFiller Rows(int firstRow, const std::vector<std::u16string>& specs, bool withOldContent = false) {
  return [=](CModelSheet& sheet, const CurrentLayout& layout) {
    for (std::size_t i = 0; i < specs.size(); ++i) {
      int row = firstRow + static_cast<int>(i);
      sheet.TypeInto(row, layout.material.number, specs[i]);
      sheet.TypeInto(row, layout.length.number, u"6000");
      if (!withOldContent) continue;
      // What earlier calculations and the user left: old formulas, a red
      // colour, texts in the weight columns that only the apostrophe keeps.
      sheet.TypeInto(row, layout.totalWeight.number, i % 3 == 0 ? u"=1+1" : u"'-5");
      if (i % 4 == 0) sheet.SetFontColor(CellRect::Cell(row, layout.material.number), 255);
    }
  };
}

}  // namespace

TEST_F(BomRenewalTest, TheBlockWritesWhatEachRowsCalculationWrites) {
  std::vector<std::u16string> large;
  for (int i = 0; i < 2000; ++i) large.push_back(kMix[static_cast<std::size_t>(i) % kMix.size()]);
  const struct {
    const char* name;
    int style;
    std::function<void(CurrentLayout&)> edit;
  } layouts[] = {
      {"standard", 1, [](CurrentLayout&) {}},
      {"simple", 0, [](CurrentLayout&) {}},
      {"no single weight", 1, [](CurrentLayout& layout) { layout.singleWeight = NoColumn(); }},
      {"no inverse count", 1, [](CurrentLayout& layout) { layout.inverseCount = NoColumn(); }},
      {"moved columns", 0,
       [](CurrentLayout& layout) {
         layout.material = Column(9, "I");
         layout.length = Column(10, "J");
         layout.totalWeight = Column(3, "C");
       }},
  };
  for (const auto& entry : layouts) {
    SelectBomStyle(m_settings, entry.style, m_layout);
    entry.edit(m_layout);
    int first = m_layout.headRows + 1;
    ExpectSameAsPerRow(Rows(first, kMix), first, first + static_cast<int>(kMix.size()), entry.name);
    ExpectSameAsPerRow(Rows(first, kMix, true), first, first + static_cast<int>(kMix.size()),
                       std::string(entry.name) + ", over old content");
  }
  SelectBomStyle(m_settings, 1, m_layout);
  ExpectSameAsPerRow(Rows(3, large), 3, 2003, "2,000 rows");
}

TEST_F(BomRenewalTest, SpecificationsAreLeftAsTyped) {
  SelectBomStyle(m_settings, 1, m_layout);
  std::shared_ptr<CModelSheet> sheet = MakeSheet(Rows(3, {u"'-120*6", u"'-120~200*6", u"-100*10"}));
  std::vector<std::u16string> before;
  for (int row = 3; row <= 5; ++row) before.push_back(sheet->CellFormula(row, 2));
  BomRenewal plan =
      RenewBomRows(ExcelDispatch(MakeWorksheetObject(sheet)).Cells(), 3, 3, m_library, m_layout, m_settings);
  for (int row = 3; row <= 5; ++row) EXPECT_EQ(sheet->CellFormula(row, 2), before[row - 3]);
  // The plates typed with the apostrophe compute; without it the entry is
  // the formula =-100*10, whose -1000 is no specification.
  EXPECT_EQ(plan.computed, 2);
  EXPECT_EQ(plan.failed, 1);
}
