#include "assistant/engine/user_formula.h"

#include <gtest/gtest.h>

#include "assistant/engine/material_library.h"
#include "assistant/texts/text_tables.h"
#include "tests/unit/test_support.h"

namespace {

MaterialLibrary LibraryWith(std::vector<UserFormula> formulas) {
  MaterialLibrary library;
  library.formulas = std::move(formulas);
  return library;
}

}  // namespace

TEST(CountDimensions, CountsSeparatorsAndATrailingOne) {
  EXPECT_EQ(CountDimensions(""), 0);
  EXPECT_EQ(CountDimensions("H"), 1);
  EXPECT_EQ(CountDimensions("H*B"), 2);
  EXPECT_EQ(CountDimensions("H*B*"), 2);
  EXPECT_EQ(CountDimensions("B*H*t"), 3);
  EXPECT_EQ(CountDimensions("50x40X2"), 3);
  EXPECT_EQ(CountDimensions("*"), 1);
}

TEST(EvaluateUserFormula, BindsValuesToNames) {
  SelectTextTable(437);
  MaterialLibrary library = LibraryWith({{"GX", "H*B*7850*1E-6", "H*B"},
                                         {"FG", "(B*H-(B-2*t)*(H-2*t))*7850*1E-6", "B*H*t"},
                                         {"OLD", "H*B*7850/1E-6", "H*B"}});
  struct Case {
    int formula;
    const char* spec;
    double value;
  } cases[] = {
      {0, "GX50*40", 15.7},    {0, "GX50x40", 15.7},     {0, "GX50X40", 15.7},
      {0, "gx 50 * 40", 15.7}, {1, "FG50*40*2", 2.7004}, {2, "OLD50*40", 50.0 * 40 * 7850 / 1e-6},
  };
  for (const Case& c : cases) {
    double value = 0;
    std::string error;
    EXPECT_TRUE(EvaluateUserFormula(library, c.formula, c.spec, value, error)) << c.spec << error;
    EXPECT_NEAR(value, c.value, 1e-9 * c.value) << c.spec;
  }
}

TEST(EvaluateUserFormula, CountMismatchWritesTheMessage) {
  MaterialLibrary library = LibraryWith({{"GX", "H*B*7850*1E-6", "H*B"}});
  for (const char* spec : {"GX50", "GX", "GX50*40*30"}) {
    SelectTextTable(437);
    double value = 0;
    std::string error;
    EXPECT_FALSE(EvaluateUserFormula(library, 0, spec, value, error)) << spec;
    EXPECT_EQ(error, "Expression of material 'GX' is wrong!") << spec;
  }
  SelectTextTable(936);
  double value = 0;
  std::string error;
  EXPECT_FALSE(EvaluateUserFormula(library, 0, "GX1", value, error));
  EXPECT_EQ(error, Gbk("材料'GX'表达式与公式定义不符!"));
}

TEST(EvaluateUserFormula, RefusesWhatCannotBeBoundOrEvaluated) {
  MaterialLibrary library = LibraryWith({{"GX", "H*B*7850*1E-6", "H*B"}});
  for (const char* spec : {"GX50*40*", "GXabc*40", "GX50**", "GX*40"}) {
    double value = -1;
    std::string error;
    EXPECT_FALSE(EvaluateUserFormula(library, 0, spec, value, error)) << spec;
    EXPECT_EQ(value, -1) << spec;
  }
}

TEST(EvaluateUserFormula, ReplacesNamesAsPlainText) {
  // "S" is replaced inside "SIN" too, as the notation warns; "B" inside the
  // value inserted for "A" is replaced again.
  MaterialLibrary library = LibraryWith({{"P", "A*2", "A*B"}, {"Q", "SIN(30)", "S"}});
  double value = 0;
  std::string error;
  EXPECT_TRUE(EvaluateUserFormula(library, 0, "P3+B*4", value, error));
  EXPECT_DOUBLE_EQ(value, 3 + 4 * 2);
  EXPECT_FALSE(EvaluateUserFormula(library, 1, "Q5", value, error));
}

TEST(EvaluateUserFormula, RunawaySubstitutionIsRefused) {
  // Every value holds eight copies of the next name: the text would grow to
  // 8^8 names.
  MaterialLibrary library = LibraryWith({{"Z", "a", "a*b*c*d*e*f*g*h*i"}});
  std::string spec = "Zbbbbbbbb*cccccccc*dddddddd*eeeeeeee*ffffffff*gggggggg*hhhhhhhh*iiiiiiii*1";
  double value = 0;
  std::string error;
  EXPECT_FALSE(EvaluateUserFormula(library, 0, spec, value, error));
}
