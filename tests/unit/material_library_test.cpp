#include "assistant/engine/material_library.h"

#include <gtest/gtest.h>

#include "assistant/texts/text_tables.h"
#include "base/status.h"
#include "tests/unit/test_support.h"

namespace {

class MaterialLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { SelectTextTable(437); }

  // Loads `content` from a file and returns the status.
  int Load(const std::string& content) {
    path = folder.WriteFile("ZMLib.txt", content);
    return LoadMaterialLibrary(library, path, messages);
  }

  std::string OnlyMessage() const {
    EXPECT_EQ(messages.texts.size(), 1u);
    return messages.texts.empty() ? std::string() : messages.texts.front();
  }

  CTempFolder folder;
  std::filesystem::path path;
  MaterialLibrary library;
  CCapturedMessages messages;
};

}  // namespace

TEST_F(MaterialLibraryTest, ReadsFormulasAndRowsInFileOrder) {
  const char* content =
      "// header\r\n"
      "\r\n"
      "[FORMULA START]\r\n"
      "GXH*B   GX   H*B*7850*1E-6\r\n"
      "\tFGB*H*t\tFG\t(B*H-(B-2*t)*(H-2*t))*7850*1E-6  \r\n"
      "[FORMULA END]\r\n"
      "  // a comment after blanks\r\n"
      "H100X50X3.5X5  6.4\r\n"
      "[5 5.438\n"
      "L20X3\t\t0.889";
  ASSERT_EQ(Load(content), ST_OK);
  EXPECT_TRUE(messages.texts.empty());
  ASSERT_EQ(library.formulas.size(), 2u);
  EXPECT_EQ(library.formulas[0].prefix, "GX");
  EXPECT_EQ(library.formulas[0].variables, "H*B");
  EXPECT_EQ(library.formulas[0].formula, "H*B*7850*1E-6");
  EXPECT_EQ(library.formulas[1].variables, "B*H*t");
  ASSERT_EQ(library.rows.size(), 3u);
  EXPECT_EQ(library.rows[0].spec, "H100X50X3.5X5");
  EXPECT_FLOAT_EQ(library.rows[0].weight, 6.4f);
  EXPECT_EQ(library.rows[1].spec, "[5");
  EXPECT_EQ(library.rows[2].spec, "L20X3");
}

TEST_F(MaterialLibraryTest, CommentsAndBlankLinesAloneLoadEmpty) {
  EXPECT_EQ(Load("// one\r\n\r\n   \t\r\n//two"), ST_OK);
  EXPECT_TRUE(library.rows.empty());
  EXPECT_TRUE(library.formulas.empty());
  EXPECT_EQ(Load(""), ST_OK);
}

TEST_F(MaterialLibraryTest, FormatErrorsNameTheirLine) {
  struct Case {
    const char* content;
    std::string message;
  } cases[] = {
      {"// c\nH100X50 6.4 // text\n", "Material formula is invalid!\nLine:2"},
      {"[FORMULA START] x\n", "Material formula is invalid!\nLine:1"},
      {"\n\nL20X3 0\n", "Weight of material L20X3 is invalid!\nLine:3"},
      {"L20X3 -1\n", "Weight of material L20X3 is invalid!\nLine:1"},
      {"L20X3 abc\n", "Weight of material L20X3 is invalid!\nLine:1"},
      {"L20X3 inf\n", "Weight of material L20X3 is invalid!\nLine:1"},
      {"L20X3 1e60\n", "Weight of material L20X3 is invalid!\nLine:1"},
      {"[FORMULA START]\nGX GX H*B\n[FORMULA END]\n", "Wrong material expression : \"GX\"!\nLine:2"},
      {"[FORMULA START]\r\nGXH*B GX\r\n[FORMULA END]\r\n", "Material library PATH is invalid!\nLine:2"},
      {"[FORMULA START]\nGXH*B GX H*B\n", "Can't find : \"[FORMULA END]\"!"},
      {"L20\n", "Material formula is invalid!\nLine:1"},
  };
  for (const Case& c : cases) {
    messages.texts.clear();
    EXPECT_EQ(Load(c.content), ST_FAIL) << c.content;
    std::string expected = c.message;
    if (size_t at = expected.find("PATH"); at != std::string::npos) expected.replace(at, 4, path.string());
    EXPECT_EQ(OnlyMessage(), expected) << c.content;
  }
}

TEST_F(MaterialLibraryTest, LenientRowsAndFormulasLoad) {
  ASSERT_EQ(Load("L20X3 1.15kg\n[formula start]\nABH*B GX H*B\n[formula end]\n"), ST_OK);
  EXPECT_FLOAT_EQ(library.rows[0].weight, 1.15f);
  EXPECT_EQ(library.formulas[0].prefix, "GX");
  EXPECT_EQ(library.formulas[0].variables, "H*B");
  EXPECT_EQ(Load("[FORMULA END]\nL20X3 1\n"), ST_OK);
}

TEST_F(MaterialLibraryTest, TheFirstErrorKeepsWhatCameBefore) {
  EXPECT_EQ(Load("[FORMULA START]\nGXH*B GX H*B\n[FORMULA END]\nL20X3 0.889\nL25X3 0\nL30X3 1.3\n"), ST_FAIL);
  EXPECT_EQ(library.formulas.size(), 1u);
  ASSERT_EQ(library.rows.size(), 1u);
  EXPECT_EQ(library.rows[0].spec, "L20X3");

  // An unclosed section is reported after the whole file was stored.
  EXPECT_EQ(Load("[FORMULA START]\nGXH*B GX H*B\nFGB*H*t FG B*H*t\n"), ST_FAIL);
  EXPECT_EQ(library.formulas.size(), 2u);
}

TEST_F(MaterialLibraryTest, FieldsLongerThanTheirSlotsRefuseTheLine) {
  std::string longPrefix = "[FORMULA START]\nABCDEFGHIJKH*B ABCDEFGHIJK H*B\n[FORMULA END]\n";
  EXPECT_EQ(Load(longPrefix), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Material library " + path.string() + " is invalid!\nLine:2");
  EXPECT_TRUE(library.formulas.empty());

  messages.texts.clear();
  std::string longFormula = "[FORMULA START]\nGXH GX " + std::string(256, '1') + "\n[FORMULA END]\n";
  EXPECT_EQ(Load(longFormula), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Material library " + path.string() + " is invalid!\nLine:2");

  messages.texts.clear();
  EXPECT_EQ(Load(std::string(256, 'L') + " 1.5\n"), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Material formula is invalid!\nLine:1");

  messages.texts.clear();
  EXPECT_EQ(Load(std::string(255, 'L') + " 1.5\n"), ST_OK);
  EXPECT_EQ(library.rows[0].spec.size(), 255u);
}

TEST_F(MaterialLibraryTest, ExtraFormulasBeyondAHundredAreDroppedSilently) {
  std::string content = "[FORMULA START]\n";
  for (int i = 0; i < 105; ++i) content += "P" + std::to_string(i) + "A*B P" + std::to_string(i) + " A*B\n";
  content += "[FORMULA END]\n";
  EXPECT_EQ(Load(content), ST_OK);
  EXPECT_EQ(library.formulas.size(), 100u);
  EXPECT_EQ(library.formulas.back().prefix, "P99");
}

TEST_F(MaterialLibraryTest, LongPhysicalLinesAreReadInPieces) {
  // The comment's second piece no longer starts with "//": it is a row of
  // one field, reported on line 2; the row after it is line 3.
  std::string longComment = "//" + std::string(497, 'c') + "\nL20X3 0\n";
  EXPECT_EQ(Load(longComment), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Material formula is invalid!\nLine:2");

  messages.texts.clear();
  std::string exact = "//" + std::string(495, 'c') + "\r\nL20X3 0\n";  // 497 bytes and LF: one piece
  EXPECT_EQ(Load(exact), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Weight of material L20X3 is invalid!\nLine:2");
}

TEST_F(MaterialLibraryTest, MissingFileIsReported) {
  std::filesystem::path missing = folder.Path() / "nothing.txt";
  EXPECT_EQ(LoadMaterialLibrary(library, missing, messages), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), "Read file " + missing.string() + " failed!");
  messages.texts.clear();
  EXPECT_EQ(LoadMaterialLibrary(library, folder.Path(), messages), ST_FAIL);
  EXPECT_EQ(messages.texts.size(), 1u);
}

TEST_F(MaterialLibraryTest, MessagesFollowTheActiveLanguage) {
  SelectTextTable(936);
  EXPECT_EQ(Load("// c\n\nL20X3\n"), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), Gbk("材料公式定义有错误!\n错误位于第3行"));
  EXPECT_EQ(messages.codePages.front(), 936u);

  SelectTextTable(950);
  messages.texts.clear();
  messages.codePages.clear();
  EXPECT_EQ(Load(Gbk("钢筋φ20 0\n")), ST_FAIL);
  EXPECT_EQ(OnlyMessage(), Big5("材料") + Gbk("钢筋φ20") + Big5("重量無效!\n錯誤位于第1行"));
  EXPECT_EQ(messages.codePages.front(), 950u);
}
