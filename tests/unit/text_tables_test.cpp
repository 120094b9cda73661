#include "assistant/texts/text_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "base/code_page.h"
#include "tests/unit/test_support.h"

namespace {

std::string Row(const TextTable& table, int row) { return table[row].data(); }

}  // namespace

TEST(SelectTextTable, ChoosesTheTableByCodePage) {
  SelectTextTable(936);
  EXPECT_EQ(std::string(UiText(12)), Gbk("材料列表:"));
  EXPECT_EQ(UiTextCodePage(), 936u);

  SelectTextTable(950);
  EXPECT_EQ(std::string(UiText(12)), Big5("材料列表:"));
  EXPECT_EQ(std::string(UiText(14)), Big5("關聯Excel:"));
  EXPECT_EQ(UiTextCodePage(), 950u);

  for (unsigned other : {437u, 0u, 1252u, 65001u}) {
    SelectTextTable(other);
    EXPECT_EQ(std::string(UiText(12)), "Material List:") << other;
    EXPECT_EQ(UiTextCodePage(), 936u);
  }
}

TEST(SelectTextTable, SwitchingReplacesEveryRow) {
  SelectTextTable(950);
  EXPECT_EQ(std::string(UiText(74)), "");
  SelectTextTable(936);
  EXPECT_EQ(std::string(UiText(74)), Gbk("样式文件:"));
  SelectTextTable(437);
  EXPECT_EQ(std::string(UiText(74)), "Style file: ");
}

TEST(TextTables, BarSignBytesFollowEachTable) {
  EXPECT_NE(Row(kTextChs, 50).find("\xA6\xD5"), std::string::npos);
  EXPECT_NE(Row(kTextEng, 50).find("\xA6\xD5"), std::string::npos);
  EXPECT_NE(Row(kTextCht, 50).find("\xA3\x70"), std::string::npos);
  EXPECT_EQ(Row(kTextChs, 50), Gbk("钢筋:φ20"));
}

TEST(TextTables, TraditionalTableDiffersWhereItShould) {
  EXPECT_EQ(Row(kTextCht, 0), "ZMCHT.chm");
  EXPECT_EQ(Row(kTextChs, 0), "ZMCHS.chm");
  EXPECT_EQ(Row(kTextEng, 0), "ZMEng.chm");
  EXPECT_EQ(Row(kTextCht, 71), Big5("材料表樣式名"));
  EXPECT_EQ(Row(kTextChs, 71), Gbk("材料表样式名:"));
  EXPECT_EQ(Row(kTextCht, 73), Big5("標准型"));
  EXPECT_EQ(Row(kTextCht, 86), Big5("序 號"));
  EXPECT_EQ(Row(kTextCht, 91), Big5("單 重"));
  EXPECT_EQ(Row(kTextCht, 62), Big5("沒有關聯的Excel表格!"));
  for (int row = 42; row <= 45; ++row) {
    std::string text = Row(kTextCht, row);
    EXPECT_TRUE(text.ends_with(Big5("錯誤位于第%d行"))) << row;
  }
}

TEST(TextTables, AllThreeFillTheSameRows) {
  for (int row = 0; row < kTextRows; ++row) {
    bool english = !Row(kTextEng, row).empty();
    EXPECT_EQ(!Row(kTextChs, row).empty(), english) << row;
    if (row != 74) {
      EXPECT_EQ(!Row(kTextCht, row).empty(), english) << row;
    }
  }
  EXPECT_EQ(Row(kTextEng, 47), "steel tube:D60*3,%%C60*3");
  EXPECT_EQ(Row(kTextEng, 42), "Material library %s is invalid!\nLine:%d");
}

TEST(TextTables, EveryChineseRowDecodesCleanly) {
  for (int row = 0; row < kTextRows; ++row) {
    EXPECT_EQ(DecodeFromCodePage(Row(kTextChs, row), 936).find(u'\uFFFD'), std::u16string::npos) << row;
    EXPECT_EQ(DecodeFromCodePage(Row(kTextCht, row), 950).find(u'\uFFFD'), std::u16string::npos) << row;
  }
}
