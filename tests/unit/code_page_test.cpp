#include "base/code_page.h"

#include <gtest/gtest.h>

TEST(CodePage, ConvertsChineseTextBothWays) {
  std::string gbk = ConvertCodePage("钢筋φ20", kCodePageUtf8, kCodePageGbk);
  EXPECT_EQ(gbk,
            "\xB8\xD6\xBD\xEE\xA6\xD5"
            "20");
  EXPECT_EQ(ConvertCodePage(gbk, kCodePageGbk, kCodePageUtf8), "钢筋φ20");

  std::string big5 = ConvertCodePage("單 重", kCodePageUtf8, kCodePageBig5);
  EXPECT_EQ(big5, "\xB3\xE6 \xAD\xAB");
  EXPECT_EQ(DecodeFromCodePage(big5, kCodePageBig5), u"單 重");
}

TEST(CodePage, ReportsCharactersTheCodePageCannotHold) {
  bool lossless = true;
  std::string text = EncodeToCodePage(u"A\U0001F600B", kCodePageGbk, &lossless);
  EXPECT_FALSE(lossless);
  EXPECT_EQ(text.front(), 'A');
  EXPECT_EQ(text.back(), 'B');
  EXPECT_NE(text.find('?'), std::string::npos);

  EncodeToCodePage(u"材料", kCodePageGbk, &lossless);
  EXPECT_TRUE(lossless);
  EncodeToCodePage(u"材料", kCodePageUsAscii, &lossless);
  EXPECT_FALSE(lossless);
}

TEST(CodePage, EmptyTextsStayEmpty) {
  EXPECT_EQ(DecodeFromCodePage("", kCodePageGbk), u"");
  EXPECT_EQ(EncodeToCodePage(u"", kCodePageBig5), "");
}
