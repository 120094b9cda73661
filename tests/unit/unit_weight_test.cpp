#include "assistant/engine/unit_weight.h"

#include <gtest/gtest.h>

#include "assistant/engine/material_library.h"
#include "base/status.h"
#include "tests/unit/test_support.h"

namespace {

struct Result {
  int status;
  double weight;
  std::string rewritten;
};

Result Compute(const MaterialLibrary& library, const std::string& spec, int mode = kLookupIgnoreCase,
               float factor = 1.0f, float density = 7850.0f) {
  Result result{ST_FAIL, -1, spec};
  result.status = ComputeUnitWeight(library, result.rewritten, result.weight, mode, factor, density);
  return result;
}

const MaterialLibrary kEmpty;

}  // namespace

TEST(ComputeUnitWeight, BuiltInShapes) {
  struct Case {
    std::string spec;
    double weight;
  } cases[] = {
      {"-120*6", 5.652},
      {"-300X20", 47.1},
      {"-300x20", 47.1},
      {"D60*3", 4.214979},
      {"d60x3", 4.214979},
      {"H300*200*6*8", 38.4964},
      {"h300x200x6x8", 38.4964},
      {"H300*200*-6*8", ((300 - 16) * -6.0 + 3200) * 7.85e-3},
      {"C120*60*20*3", 6.3114},
      {"c120X60X20X3", 6.3114},
      {Gbk("φ20"), 400 * 7850 * 7.8539815e-7},
      {Gbk("φ+.5"), 0.25 * 7850 * 7.8539815e-7},
      {"-120~200*6", 7.536},
      {"H300~500*200*6*8", 43.2064},
      {"- 120 * 6 ", 5.652},
  };
  for (const Case& c : cases) {
    Result result = Compute(kEmpty, c.spec);
    EXPECT_EQ(result.status, ST_OK) << c.spec;
    EXPECT_NEAR(result.weight, c.weight, 1e-9) << c.spec;
  }
}

TEST(ComputeUnitWeight, MalformedSpecificationsFail) {
  const std::string failing[] = {
      "-120*6*8",   "-120*",          "D60",
      "D60*3*1",    Gbk("φ"),         Gbk("φ0"),
      Gbk("φ-5"),   Gbk("φ20mm"),     Gbk("φ20*3"),
      "-120*-6",    "HW100X100X6X10", "H300*200*6",
      "C120*60*20", "L20X3",          "",
      "-",          "-1e3*6",         "-12 0*6",
      "-1.2.3*4",   "X50*40",         "H" + std::string(60, '9') + "*2*3*4",
  };
  for (const std::string& spec : failing) EXPECT_EQ(Compute(kEmpty, spec).status, ST_FAIL) << spec;
}

TEST(ComputeUnitWeight, DimensionsRoundedToFloatWhereTheFormulasSaySo) {
  // 60.1 is not a float: the tube's outer diameter is taken as the float
  // nearest to it, the wall thickness as written.
  double outer = static_cast<float>(60.1);
  double expected = (outer * outer * 0.25 - (outer * 0.5 - 3.1) * (outer * 0.5 - 3.1)) * 7850 * 3.14e-6;
  EXPECT_DOUBLE_EQ(Compute(kEmpty, "D60.1*3.1").weight, expected);

  double h = static_cast<float>(300.1), b = static_cast<float>(200.1), tw = static_cast<float>(6.1);
  EXPECT_DOUBLE_EQ(Compute(kEmpty, "H300.1*200.1*6.1*8.1").weight,
                   ((h - 2 * 8.1) * tw + 2 * b * 8.1) * 7850 * 1e-6);
  // The density arrives as a float too.
  EXPECT_DOUBLE_EQ(Compute(kEmpty, "-100*10", kLookupIgnoreCase, 1.0f, 7850.3f).weight,
                   100.0 * 10 * static_cast<double>(7850.3f) * 1e-6);
}

TEST(ComputeUnitWeight, TaperedDimensionsAreRewrittenToTheirMean) {
  struct Case {
    const char* spec;
    const char* rewritten;
  } cases[] = {
      {"-120~200*6", "-160.0000*6"},
      {"H300~500*200~100*6*8", "H400.0000*150.0000*6*8"},
      {"-1.5~2.5*6", "-2.0000*6"},
      {"-1.2.5~3*6", "-1.2.7500*6"},
      {"~200*6", "~200*6"},
      {"-120~", "-120~"},
      {"-120~*6", "-120~*6"},
      {"-a~200", "-a~200"},
      {"-120~200*6~", "-160.0000*6~"},
  };
  for (const Case& c : cases) {
    std::string spec = c.spec;
    RewriteTaperedDimensions(spec);
    EXPECT_EQ(spec, c.rewritten) << c.spec;
  }
}

TEST(ComputeUnitWeight, LibraryRowsComeFirstByLookupMode) {
  MaterialLibrary library;
  library.rows = {{"L20X3", 0.889f}, {"-120*6", 9.0f}, {"L20X3", 5.0f}, {"H300~500*200*6*8", 1.0f}};

  Result exact = Compute(library, "L20X3", kLookupExact, 2.0f);
  EXPECT_EQ(exact.status, ST_OK);
  EXPECT_DOUBLE_EQ(exact.weight, static_cast<double>(0.889f) * 2);

  EXPECT_EQ(Compute(library, "l20x3", kLookupExact).status, ST_FAIL);
  EXPECT_DOUBLE_EQ(Compute(library, "l20x3", kLookupIgnoreCase).weight, static_cast<double>(0.889f));
  EXPECT_EQ(Compute(library, "L20X3", kLookupNone).status, ST_FAIL);

  // A row that looks like a built-in shape wins, unless the lookup is off.
  EXPECT_DOUBLE_EQ(Compute(library, "-120*6", kLookupExact).weight, 9.0);
  EXPECT_NEAR(Compute(library, "-120*6", kLookupNone).weight, 5.652, 1e-9);

  // The library sees the text as given; the taper is computed.
  EXPECT_DOUBLE_EQ(Compute(library, "H300~500*200*6*8").weight, 1.0);
  EXPECT_NEAR(Compute(library, "H300~500*200*6*8", kLookupNone).weight, 43.2064, 1e-9);

  // The sign of a library product is not tested.
  EXPECT_EQ(Compute(library, "L20X3", kLookupExact, -1.0f).status, ST_OK);
}

TEST(ComputeUnitWeight, UserFormulasComeBeforeBuiltInShapes) {
  MaterialLibrary library;
  library.formulas = {{"GX", "H*B*7850*1E-6", "H*B"}, {"D", "H*2", "H"}, {"NEG", "0-H", "H"}};

  Result gx = Compute(library, "gx50*40", kLookupIgnoreCase, 2.0f);
  EXPECT_EQ(gx.status, ST_OK);
  EXPECT_NEAR(gx.weight, 31.4, 1e-9);

  Result tube = Compute(library, "D60");
  EXPECT_EQ(tube.status, ST_OK);
  EXPECT_DOUBLE_EQ(tube.weight, 120);
  EXPECT_EQ(Compute(library, "D60*3").status, ST_FAIL);  // the formula takes one dimension

  EXPECT_EQ(Compute(library, "NEG5").status, ST_FAIL);
  EXPECT_EQ(Compute(library, "GX50").status, ST_FAIL);
  EXPECT_NEAR(Compute(library, "GX40~60*40").weight, 15.7, 1e-9);
}
