#include "assistant/bom_sheet/bom_row_writer.h"

#include <gtest/gtest.h>

#include "assistant/config/bom_style.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/excel_dispatch.h"
#include "base/status.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/recording_automation_sink.h"
#include "tests/unit/fakes/workbook_test_support.h"
#include "tests/unit/test_support.h"

namespace {

BomColumn Column(int number, const char* letters) { return {number, letters}; }
BomColumn NoColumn() { return {0, "0"}; }

class BomRowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_model->AddWorkbook(std::nullopt);
    m_sheet = m_model->ActiveSheet();
    m_dispatch = ExcelDispatch(MakeWorksheetObject(m_sheet));
    m_sheet->Advise(m_sink);
    SelectBomStyle(m_settings, 1, m_layout);
    ASSERT_EQ(ParseMaterialLibrary(m_library,
                                   "[FORMULA START]\r\nGXH*B GX H*B*7850*1E-6\r\n[FORMULA END]\r\n"
                                   "L20X3 0.889\r\nX123 123.45\r\n",
                                   "ZMLib.txt"),
              "");
  }

  // Types `spec` into the specification cell of `row`, then calculates the row.
  int Calculate(int row, const std::u16string& spec) {
    m_sheet->TypeInto(row, m_layout.material.number, spec);
    m_sink->events.clear();
    return CalculateBomRow(m_dispatch, row, m_library, m_layout, m_settings);
  }

  std::u16string Formula(int row, int column) const { return m_sheet->CellFormula(row, column); }
  int SpecColor(int row) const { return m_sheet->FontColor(row, m_layout.material.number); }
  // The cells that the calculation wrote, in order.
  std::vector<CellRect> Writes() const {
    std::vector<CellRect> writes;
    for (const auto& event : m_sink->events) writes.push_back(event.target);
    return writes;
  }

  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  std::shared_ptr<CModelSheet> m_sheet;
  ExcelDispatch m_dispatch;
  std::shared_ptr<CRecordingAutomationSink> m_sink = std::make_shared<CRecordingAutomationSink>();
  AssistantSettings m_settings;
  CurrentLayout m_layout;
  MaterialLibrary m_library;
};

TEST_F(BomRowTest, WritesTheFormulasOfEachKindOfLayout) {
  const struct {
    BomColumn inverse;
    BomColumn single;
    BomColumn total;
    const char16_t* singleFormula;
    const char16_t* totalFormula;
  } cases[] = {
      {NoColumn(), Column(5, "E"), Column(6, "F"), u"=C5*5.650000/1000", u"=D5*E5"},
      {Column(5, "E"), Column(6, "F"), Column(7, "G"), u"=C5*5.650000/1000", u"=(D5+E5)*F5"},
      {NoColumn(), NoColumn(), Column(6, "F"), nullptr, u"=D5*C5*5.650000/1000"},
      {Column(5, "E"), NoColumn(), Column(6, "F"), nullptr, u"=(D5+E5)*C5*5.650000/1000"},
  };
  for (const auto& entry : cases) {
    SelectBomStyle(m_settings, 1, m_layout);
    m_layout.inverseCount = entry.inverse;
    m_layout.singleWeight = entry.single;
    m_layout.totalWeight = entry.total;
    ASSERT_EQ(Calculate(5, u"'-120*6"), ST_OK);
    std::vector<CellRect> expected;
    if (entry.singleFormula) {
      EXPECT_EQ(Formula(5, entry.single.number), entry.singleFormula);
      expected.push_back(CellRect::Cell(5, entry.single.number));
    }
    EXPECT_EQ(Formula(5, entry.total.number), entry.totalFormula);
    expected.push_back(CellRect::Cell(5, entry.total.number));
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(SpecColor(5), 0);
  }
}

TEST_F(BomRowTest, DefaultStylesAndEditedLayouts) {
  ASSERT_EQ(Calculate(5, u"H300*200*6*8"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*38.500000/1000");
  EXPECT_EQ(Formula(5, 7), u"=(D5+E5)*F5");

  SelectBomStyle(m_settings, 0, m_layout);
  ASSERT_EQ(Calculate(6, u"'-120*6"), ST_OK);
  EXPECT_EQ(Formula(6, 5), u"=C6*5.650000/1000");
  EXPECT_EQ(Formula(6, 6), u"=D6*E6");

  // A layout edited to two-letter columns, specification in AA.
  m_settings.layouts[0].material = Column(27, "AA");
  m_settings.layouts[0].length = Column(28, "AB");
  m_settings.layouts[0].faceCount = Column(29, "AC");
  m_settings.layouts[0].singleWeight = NoColumn();
  m_settings.layouts[0].totalWeight = Column(30, "AD");
  SelectBomStyle(m_settings, 0, m_layout);
  ASSERT_EQ(Calculate(12, u"D60*3"), ST_OK);
  EXPECT_EQ(Formula(12, 30), u"=AC12*AB12*4.210000/1000");
}

TEST_F(BomRowTest, TheSheetComputesTheWrittenFormulas) {
  m_sheet->TypeInto(5, 3, u"6000");
  m_sheet->TypeInto(5, 4, u"2");
  m_sheet->TypeInto(5, 5, u"1");
  m_sheet->SetNumberFormat({1, 6, kSheetRows, 7}, u"0.00_ ");
  ASSERT_EQ(Calculate(5, u"H300*200*6*8"), ST_OK);
  EXPECT_EQ(m_sheet->CellText(5, 6), u"231.00 ");
  EXPECT_EQ(m_sheet->CellText(5, 7), u"693.00 ");
}

TEST_F(BomRowTest, AFailedRowTurnsRedAndKeepsItsWeights) {
  ASSERT_EQ(Calculate(5, u"'-120*6"), ST_OK);
  // "-120*6" without the apostrophe is the formula =-120*6: the cell shows -720.
  for (const char16_t* spec : {u"'-120*", u"HW100X100X6X10", u"%%D60*3", u"'-120*-6", u"-120*6"}) {
    EXPECT_EQ(Calculate(5, spec), ST_FAIL) << Utf8Of(spec);
    EXPECT_EQ(SpecColor(5), 255);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(Formula(5, 6), u"=C5*5.650000/1000");
    EXPECT_EQ(Formula(5, 7), u"=(D5+E5)*F5");
  }
  // A cleared specification takes its calculated weights along (also as
  // the spreadsheet may shorten the weight); a number or a formula the user
  // wrote into a weight cell stays.
  for (const char16_t* empty : {u"", u"   "}) {
    ASSERT_EQ(Calculate(6, u"D60*3"), ST_OK);
    m_sheet->TypeInto(6, 6, u"=C6*4.21/1000+1");
    m_sheet->TypeInto(6, 7, u"12.5");
    ASSERT_EQ(Calculate(7, u"D60*3"), ST_OK);
    m_sheet->TypeInto(7, 6, u"=C7*4.21/1000");
    EXPECT_EQ(Calculate(6, empty), ST_FAIL);
    EXPECT_EQ(Calculate(7, empty), ST_FAIL);
    EXPECT_EQ(SpecColor(7), 255);
    EXPECT_EQ(Formula(6, 6), u"=C6*4.21/1000+1");
    EXPECT_EQ(Formula(6, 7), u"12.5");
    EXPECT_EQ(Formula(7, 6), u"");
    EXPECT_EQ(Formula(7, 7), u"");
  }

  // An empty cell that was never written fails too, and only its colour changes.
  m_sink->events.clear();
  EXPECT_EQ(CalculateBomRow(m_dispatch, 9, m_library, m_layout, m_settings), ST_FAIL);
  EXPECT_EQ(m_sheet->FontColor(9, 2), 255);
  EXPECT_EQ(Formula(9, 2), u"");
  EXPECT_TRUE(Writes().empty());

  ASSERT_EQ(Calculate(5, u"D60*3"), ST_OK);
  EXPECT_EQ(SpecColor(5), 0);
  EXPECT_EQ(Formula(5, 6), u"=C5*4.210000/1000");
}

TEST_F(BomRowTest, ReadsTheShownTextTrimmedWithTheDiameterNotation) {
  const struct {
    const char16_t* spec;
    const char16_t* single;
  } cases[] = {
      {u"%%c60*3", u"=C5*4.210000/1000"},     {u"%%C60*3", u"=C5*4.210000/1000"},
      {u"  -120*6 \t", u"=C5*5.650000/1000"}, {u"φ20", u"=C5*2.470000/1000"},
      {u"gx50*40", u"=C5*15.700000/1000"},    {u" l20x3 ", u"=C5*0.890000/1000"},
  };
  for (const auto& entry : cases) {
    ASSERT_EQ(Calculate(5, entry.spec), ST_OK) << Utf8Of(entry.spec);
    EXPECT_EQ(Formula(5, 6), entry.single);
  }
  EXPECT_EQ(m_sheet->CellFormula(5, 2), u" l20x3 ");  // the cell itself is not rewritten
  EXPECT_EQ(CalculateBomRow(m_dispatch, 0, m_library, m_layout, m_settings), ST_FAIL);
  EXPECT_EQ(CalculateBomRow(m_dispatch, -3, m_library, m_layout, m_settings), ST_FAIL);
}

TEST_F(BomRowTest, CaseSensitiveSettingSelectsExactLibraryMatches) {
  m_settings.caseSensitive = 1;
  EXPECT_EQ(Calculate(5, u"l20x3"), ST_FAIL);
  EXPECT_EQ(Calculate(5, u"L20X3"), ST_OK);
  m_settings.caseSensitive = 0;
  EXPECT_EQ(Calculate(5, u"l20x3"), ST_OK);
}

TEST_F(BomRowTest, FactorAndDensityApplyAsTheWeightRulesSay) {
  m_settings.factor = 2;
  ASSERT_EQ(Calculate(5, u"'-120*6"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*11.300000/1000");
  ASSERT_EQ(Calculate(5, u"L20X3"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*1.780000/1000");

  m_settings.factor = 1;
  m_settings.density = 7800;
  ASSERT_EQ(Calculate(5, u"'-100*10"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*7.800000/1000");
  ASSERT_EQ(Calculate(5, u"L20X3"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*0.890000/1000");
  ASSERT_EQ(Calculate(5, u"GX50*40"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*15.700000/1000");
}

TEST_F(BomRowTest, WithoutSingleWeightTheWeightPassesThroughAFloat) {
  ASSERT_EQ(Calculate(5, u"X123"), ST_OK);
  EXPECT_EQ(Formula(5, 6), u"=C5*123.450000/1000");
  m_layout.singleWeight = NoColumn();
  ASSERT_EQ(Calculate(5, u"X123"), ST_OK);
  EXPECT_EQ(Formula(5, 7), u"=(D5+E5)*C5*123.449997/1000");

  // A weight beyond a float's range would print as "inf": the row has none.
  m_settings.factor = 3e38f;
  EXPECT_EQ(Calculate(5, u"D60*3"), ST_FAIL);
  EXPECT_EQ(SpecColor(5), 255);
  EXPECT_TRUE(Writes().empty());
}

TEST_F(BomRowTest, ASheetThatRefusesWritesEndsTheCalculation) {
  m_sheet->TypeInto(5, 2, u"'-120*6");
  m_sheet->Protect(true);
  EXPECT_THROW(CalculateBomRow(m_dispatch, 5, m_library, m_layout, m_settings), CAutomationError);
  EXPECT_EQ(Formula(5, 6), u"");
}

}  // namespace
