// The main window's rules: the prefix list's prefixes and tips, the
// material list's column widths, the window's place and the rows that
// renew all covers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assistant/app/main_window_layout.h"
#include "assistant/app/prefix_list_fill.h"
#include "assistant/bom_sheet/bom_commands.h"

namespace {

std::string SlotText(const TipTable& tips, std::size_t slot) { return std::string(tips[slot].data()); }

TEST(PrefixListFill, LibraryPrefixesAreDistinctInOrderOfFirstAppearance) {
  struct Case {
    std::vector<std::string> specs;
    std::vector<std::string> prefixes;
  };
  const Case cases[] = {
      {{"I10", "I12.6", "HW100X100X6X10", "i14"}, {"I", "HW"}},
      {{"2L63X5", "L50X5", "l63X6"}, {"2L", "L"}},
      // The first byte is never the end of a prefix, even when it is a digit.
      {{"8", "12", "[20a", "[22b"}, {"1", "["}},
      // No digit after the first byte: no prefix; empty texts are skipped.
      {{"Plate", "", "HN", "hn200X100"}, {"hn"}},
      {{"\xA6\xD5"
        "20",
        "\xA6\xD5"
        "22"},
       {"\xA6\xD5"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CollectLibraryPrefixes(c.specs), c.prefixes) << c.specs.front();
  }
}

TEST(PrefixListFill, PrefixClickFindsTheFirstMaterialThatBeginsWithIt) {
  const std::vector<std::string> specs = {"H100X50X3.5X5", "HW100X100X6X10", "hw125X125X6.5X9", "I10"};
  EXPECT_EQ(FindMaterialStartingWith(specs, "HW"), 1);
  EXPECT_EQ(FindMaterialStartingWith(specs, "hw1"), 1);
  EXPECT_EQ(FindMaterialStartingWith(specs, "H"), 0);
  EXPECT_EQ(FindMaterialStartingWith(specs, "i10"), 3);
  EXPECT_EQ(FindMaterialStartingWith(specs, "I100"), -1);
  EXPECT_EQ(FindMaterialStartingWith(specs, "L"), -1);
  EXPECT_EQ(FindMaterialStartingWith({}, "H"), -1);
}

TEST(PrefixListFill, TipSlotsHoldBuiltinRowsThenUserNotations) {
  TextTable texts{};
  for (int i = 0; i < kBuiltinPrefixCount; ++i) {
    std::string row = "tip of row " + std::to_string(47 + i);
    std::copy(row.begin(), row.end(), texts[static_cast<std::size_t>(47 + i)].begin());
  }
  TipTable tips{};
  tips[0].fill('x');  // what a slot held before is replaced whole
  FillBuiltinTips(tips, texts);
  EXPECT_EQ(SlotText(tips, 0), "tip of row 47");
  EXPECT_EQ(SlotText(tips, 4), "tip of row 51");
  EXPECT_EQ(std::string(kBuiltinPrefixes[2].text), "'-");
  EXPECT_EQ(std::string(kBuiltinPrefixes[3].text), "\xA6\xD5");

  std::vector<UserFormula> formulas(120);
  for (std::size_t i = 0; i < formulas.size(); ++i) {
    formulas[i] = {"U" + std::to_string(i), "a*b", "a*b" + std::to_string(i)};
  }
  formulas[1].variables = std::string(600, 'v');  // more than a slot holds
  FillUserFormulaTips(tips, formulas);
  EXPECT_EQ(SlotText(tips, 4), "tip of row 51");
  EXPECT_EQ(SlotText(tips, 5), "U0a*b0");
  EXPECT_EQ(SlotText(tips, 6).size(), static_cast<std::size_t>(kTipSlotBytes - 1));
  EXPECT_EQ(SlotText(tips, 99), "U94a*b94");  // the last slot; U95 on have none
}

TEST(MainWindowLayout, MaterialColumnsShareTheListWidth) {
  struct Case {
    int width, specification, weight;
  };
  // Column 1: W - (W div 20) * 13 - 0.06 W, cut toward zero.
  const Case cases[] = {{340, 221, 98}, {339, 208, 110}, {100, 65, 29}, {19, 0, 17}, {0, 0, 0}};
  for (const Case& c : cases) {
    MaterialColumnWidths widths = ComputeMaterialColumnWidths(c.width);
    EXPECT_EQ(widths.specification, c.specification) << c.width;
    EXPECT_EQ(widths.weight, c.weight) << c.width;
  }
}

TEST(MainWindowLayout, WindowStandsRightOfCentreInTheUpperThird) {
  WindowPosition place = ComputeMainWindowPosition(310, 480, 1024, 768);
  EXPECT_EQ(place.x, (1024 - 310) * 3 / 4 + 100);
  EXPECT_EQ(place.y, 96);
  // A window larger than the desktop: integer division toward zero.
  place = ComputeMainWindowPosition(1030, 770, 1024, 768);
  EXPECT_EQ(place.x, 96);  // -6 * 3 / 4 = -4
  EXPECT_EQ(place.y, 0);   // -2 / 3 = 0
}

TEST(RenewRange, RowsBelowTheHeadAndColumnsUpToTheTotalWeight) {
  struct Case {
    const char* what;
    int first, count, head, material, total;
    int firstRow, endRow, columns;
  };
  const Case cases[] = {
      {"standard sheet from row 1", 1, 9, 2, 2, 7, 3, 10, 5},
      {"used range below the head", 4, 3, 2, 2, 7, 4, 7, 5},
      {"total weight left of the specification", 1, 9, 2, 5, 3, 3, 10, 1},
      {"total weight in the specification column", 1, 9, 1, 2, 2, 2, 10, 1},
      {"no column for the total weight", 1, 9, 1, 2, 0, 2, 10, 1},
  };
  for (const Case& c : cases) {
    RenewRange range = ComputeRenewRange(c.first, c.count, c.head, c.material, c.total);
    EXPECT_EQ(range.firstRow, c.firstRow) << c.what;
    EXPECT_EQ(range.endRow, c.endRow) << c.what;
    EXPECT_EQ(range.columns, c.columns) << c.what;
    EXPECT_EQ(range.RowCount(), c.endRow - c.firstRow) << c.what;
  }
  // Only head rows in use: no row to renew.
  EXPECT_EQ(ComputeRenewRange(1, 2, 2, 2, 7).RowCount(), 0);
  EXPECT_EQ(ComputeRenewRange(1, 1, 2, 2, 7).RowCount(), 0);
}

}  // namespace
