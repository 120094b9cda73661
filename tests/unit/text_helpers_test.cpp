#include "base/text_helpers.h"

#include <gtest/gtest.h>

#include <array>

TEST(ParseNumber, ReadsSignDigitsAndOnePoint) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"12", 12},    {"-3.5", -3.5}, {"+.5", 0.5}, {"7.", 7}, {"0.000001", 1e-6},
      {".", 0},      {"-", 0},       {"+", 0},     {"", 0},   {"1.2.3", 1.2},
      {"12abc", 12}, {"1E5", 1},     {"007", 7},   {"-0", 0}, {"15.700000000000001", 15.700000000000001},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(SplitFields, CountsEveryPieceAndTrimsIt) {
  std::array<std::string, 4> fields;
  EXPECT_EQ(SplitFields("", "*", fields), 0);

  EXPECT_EQ(SplitFields("120*6", "*", fields), 2);
  EXPECT_EQ(fields[0], "120");
  EXPECT_EQ(fields[1], "6");

  EXPECT_EQ(SplitFields("120**6", "*", fields), 3);
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(fields[2], "6");

  EXPECT_EQ(SplitFields("120*", "*", fields), 2);
  EXPECT_EQ(fields[1], "");

  EXPECT_EQ(SplitFields(" 300 X\t200x 6\r\n", "*Xx", fields), 3);
  EXPECT_EQ(fields[0], "300");
  EXPECT_EQ(fields[1], "200");
  EXPECT_EQ(fields[2], "6");

  EXPECT_EQ(SplitFields("a;b,c", ";,", fields), 3);
  EXPECT_EQ(fields[2], "c");
}

TEST(SplitFields, StoresOnlyTheSlotsGivenButCountsAll) {
  std::array<std::string, 2> fields{"keep", "keep"};
  EXPECT_EQ(SplitFields("1*2*3*4*5", "*", fields), 5);
  EXPECT_EQ(fields[0], "1");
  EXPECT_EQ(fields[1], "2");
}

TEST(CompareLibraryText, IgnoresAsciiCaseOnly) {
  EXPECT_TRUE(CompareLibraryText("L20X3", "l20x3"));
  EXPECT_TRUE(CompareLibraryText("[formula start]", "[FORMULA START]"));
  EXPECT_FALSE(CompareLibraryText("L20X3", "L20X4"));
  EXPECT_FALSE(CompareLibraryText("L20X3", "L20X3 "));
  EXPECT_TRUE(CompareLibraryText("", ""));
}

TEST(CompareLibraryText, NeverFoldsAGbkTrailByte) {
  // Trail bytes 0x41 ('A') and 0x61 ('a') after the same lead byte are two
  // different characters.
  EXPECT_FALSE(CompareLibraryText("\xB0\x41", "\xB0\x61"));
  EXPECT_TRUE(CompareLibraryText("\xB0\x41x", "\xB0\x41X"));
  EXPECT_FALSE(CompareLibraryText("\xA6\xD5", "\xA6\xF5"));
}

TEST(StartsWithLibraryText, ComparesOverThePrefixLength) {
  EXPECT_TRUE(StartsWithLibraryText("gx50*40", "GX"));
  EXPECT_TRUE(StartsWithLibraryText("GX", "GX"));
  EXPECT_FALSE(StartsWithLibraryText("G", "GX"));
  EXPECT_FALSE(StartsWithLibraryText("FG50", "GX"));
}

TEST(TrimBlanks, RemovesSpacesTabsAndLineEnds) {
  EXPECT_EQ(TrimBlanks(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimBlanks(" \r\n"), "");
}
