// The settings sheet's decisions on texts: what the general and BOM style
// pages show, which entries they refuse with which message, what they store,
// the style box's switching and where OK and Cancel go.

#include <gtest/gtest.h>

#include <string>

#include "assistant/config/settings.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/bom_style_editor.h"
#include "assistant/ui/bom_style_page_rules.h"
#include "assistant/ui/general_page_rules.h"
#include "assistant/ui/sheet_button_layout.h"
#include "tests/unit/test_support.h"

namespace {

class SettingsSheetRulesTest : public testing::Test {
 protected:
  void SetUp() override { SelectTextTable(kCodePageEnglish); }

  static constexpr unsigned kCodePageEnglish = 437;
  AssistantSettings settings;
};

TEST_F(SettingsSheetRulesTest, GeneralPageShowsTheSettings) {
  settings.density = 7850;
  settings.factor = 1.25f;
  settings.caseSensitive = 2;
  settings.language = 950;
  GeneralPageFields fields = ShowGeneralSettings(settings);
  EXPECT_EQ(fields.density, "7850.000");
  EXPECT_EQ(fields.factor, "1.250");
  EXPECT_TRUE(fields.caseSensitive);
  EXPECT_EQ(fields.languageItem, kLanguageTraditional);

  settings.caseSensitive = -1;
  EXPECT_FALSE(ShowGeneralSettings(settings).caseSensitive);
}

TEST_F(SettingsSheetRulesTest, LanguageItemsAndCodePagesMatch) {
  struct Case {
    int codePage;
    int item;
    int storedCodePage;
  };
  for (const Case& c : {Case{936, kLanguageSimplified, 936}, Case{950, kLanguageTraditional, 950},
                        Case{437, kLanguageEnglish, 437}, Case{1252, kLanguageEnglish, 437},
                        Case{0, kLanguageEnglish, 437}}) {
    SCOPED_TRACE(c.codePage);
    EXPECT_EQ(LanguageItemOfCodePage(c.codePage), c.item);
    EXPECT_EQ(CodePageOfLanguageItem(c.item), c.storedCodePage);
  }
}

TEST_F(SettingsSheetRulesTest, DensityAndFactorMustReadAboveZero) {
  struct Case {
    const char* density;
    const char* factor;
    GeneralPageFault fault;
  };
  const Case cases[] = {
      {"7850", "1", GeneralPageFault::kNone},
      {"7850kg", "1.000", GeneralPageFault::kNone},  // the rest after the number is ignored
      {" 7.85e3", "0.5", GeneralPageFault::kNone},
      {"0", "1", GeneralPageFault::kDensity},
      {"abc", "1", GeneralPageFault::kDensity},
      {"", "1", GeneralPageFault::kDensity},
      {"-7850", "1", GeneralPageFault::kDensity},
      {"kg7850", "1", GeneralPageFault::kDensity},
      {"1e39", "1", GeneralPageFault::kDensity},   // no finite float holds it
      {"1e-50", "1", GeneralPageFault::kDensity},  // a float reads it as 0
      {"inf", "1", GeneralPageFault::kDensity},
      {"nan", "1", GeneralPageFault::kDensity},
      {"7850", "0", GeneralPageFault::kFactor},
      {"7850", "x1", GeneralPageFault::kFactor},
      {"0", "0", GeneralPageFault::kDensity},  // the density is named first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.density) + " / " + c.factor);
    GeneralPageFields fields;
    fields.density = c.density;
    fields.factor = c.factor;
    EXPECT_EQ(FindGeneralPageFault(fields), c.fault);
  }
}

TEST_F(SettingsSheetRulesTest, FaultsAreNamedByTheirMessages) {
  EXPECT_STREQ(UiText(GeneralPageFaultText(GeneralPageFault::kDensity)), "Density is invalid!");
  EXPECT_STREQ(UiText(GeneralPageFaultText(GeneralPageFault::kFactor)), "Factoris invalid!");
  SelectTextTable(936);
  EXPECT_EQ(UiText(GeneralPageFaultText(GeneralPageFault::kDensity)), Gbk("材料密度无效!"));
  EXPECT_EQ(UiText(GeneralPageFaultText(GeneralPageFault::kFactor)), Gbk("重量系数无效!"));
}

TEST_F(SettingsSheetRulesTest, GeneralPageStoresWhatTheCLibraryReads) {
  GeneralPageFields fields{"7850kg", "1.5", true, kLanguageEnglish};
  StoreGeneralSettings(fields, settings);
  EXPECT_FLOAT_EQ(settings.density, 7850.0f);
  EXPECT_FLOAT_EQ(settings.factor, 1.5f);
  EXPECT_EQ(settings.caseSensitive, 1);
  EXPECT_EQ(settings.language, 437);

  fields = {"7800.5", "2", false, kLanguageSimplified};
  StoreGeneralSettings(fields, settings);
  EXPECT_FLOAT_EQ(settings.density, 7800.5f);
  EXPECT_EQ(settings.caseSensitive, 0);
  EXPECT_EQ(settings.language, 936);

  // Shown and stored again, nothing changes.
  AssistantSettings before = settings;
  StoreGeneralSettings(ShowGeneralSettings(settings), settings);
  EXPECT_EQ(settings.density, before.density);
  EXPECT_EQ(settings.factor, before.factor);
  EXPECT_EQ(settings.language, before.language);
}

TEST_F(SettingsSheetRulesTest, StylePageShowsEachStyle) {
  BomStyleFields standard = ShowBomStyle(settings, 1);
  EXPECT_EQ(standard.headRows, "2");
  EXPECT_EQ(standard.material, "B");
  EXPECT_EQ(standard.length, "C");
  EXPECT_EQ(standard.count, "D;E");
  EXPECT_EQ(standard.weight, "F;G");
  EXPECT_EQ(standard.templateFile, "standard.xls");

  BomStyleFields simple = ShowBomStyle(settings, 0);
  EXPECT_EQ(simple.headRows, "1");
  EXPECT_EQ(simple.count, "D");  // no inverse count column
  EXPECT_EQ(simple.weight, "E;F");
  EXPECT_EQ(simple.templateFile, "simple.xls");

  settings.layouts[1].singleWeight = {0, "0"};
  settings.layouts[1].totalWeight = {28, "AB"};
  settings.layouts[1].headRows = 12;
  standard = ShowBomStyle(settings, 1);
  EXPECT_EQ(standard.weight, "AB");
  EXPECT_EQ(standard.headRows, "12");
}

BomStyleFields ValidFields() { return {"2", "B", "D;E", "C", "F;G", "standard.xls"}; }

TEST_F(SettingsSheetRulesTest, FirstInvalidColumnIsFoundAndQuoted) {
  struct Case {
    BomStyleField field;
    const char* text;
    BomStyleField expected;
    const char* quoted;
  };
  const Case cases[] = {
      {BomStyleField::kCount, "D,E", BomStyleField::kNone, ""},
      {BomStyleField::kCount, " d ; e ", BomStyleField::kNone, ""},
      {BomStyleField::kCount, "4", BomStyleField::kNone, ""},
      {BomStyleField::kWeight, "G", BomStyleField::kNone, ""},
      {BomStyleField::kMaterial, "iv", BomStyleField::kNone, ""},
      {BomStyleField::kCount, "D;E;F", BomStyleField::kCount, "D;E;F"},
      {BomStyleField::kCount, "D;ZZZ", BomStyleField::kCount, "ZZZ"},
      {BomStyleField::kCount, "Q1;D", BomStyleField::kCount, "Q1"},
      {BomStyleField::kCount, "D;", BomStyleField::kCount, ""},
      {BomStyleField::kCount, "", BomStyleField::kCount, ""},
      {BomStyleField::kWeight, "F;G;H", BomStyleField::kWeight, "F;G;H"},
      {BomStyleField::kWeight, "0", BomStyleField::kWeight, "0"},
      {BomStyleField::kWeight, "F,IW", BomStyleField::kWeight, "IW"},
      {BomStyleField::kMaterial, "", BomStyleField::kMaterial, ""},
      {BomStyleField::kMaterial, "AAAA", BomStyleField::kMaterial, "AAAA"},
      {BomStyleField::kMaterial, "B;C", BomStyleField::kMaterial, "B;C"},
      {BomStyleField::kLength, "257", BomStyleField::kLength, "257"},
      {BomStyleField::kLength, " C", BomStyleField::kLength, " C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    BomStyleFields fields = ValidFields();
    std::string* target = c.field == BomStyleField::kMaterial ? &fields.material
                          : c.field == BomStyleField::kLength ? &fields.length
                          : c.field == BomStyleField::kCount  ? &fields.count
                                                              : &fields.weight;
    *target = c.text;
    BomStyleFault fault = FindBomStyleFault(fields);
    EXPECT_EQ(fault.field, c.expected);
    EXPECT_EQ(fault.text, c.quoted);
  }
}

TEST_F(SettingsSheetRulesTest, FieldsAreCheckedInOrder) {
  BomStyleFields fields{"2", "0", "X;Y;Z", "0", "?", ""};
  EXPECT_EQ(FindBomStyleFault(fields).field, BomStyleField::kMaterial);
  fields.material = "B";
  EXPECT_EQ(FindBomStyleFault(fields).field, BomStyleField::kLength);
  fields.length = "C";
  EXPECT_EQ(FindBomStyleFault(fields).field, BomStyleField::kCount);
  fields.count = "D";
  EXPECT_EQ(FindBomStyleFault(fields).field, BomStyleField::kWeight);
}

TEST_F(SettingsSheetRulesTest, InvalidColumnMessageQuotesTheText) {
  BomStyleFault fault{BomStyleField::kCount, "D;E;F"};
  EXPECT_EQ(BomStyleFaultMessage(fault), "Invalid column: D;E;F !");
  SelectTextTable(936);
  EXPECT_EQ(BomStyleFaultMessage({BomStyleField::kCount, "ZZZ"}), Gbk("无效的列:ZZZ!"));
  // A "%" that the user typed is quoted, never read as a format.
  SelectTextTable(kCodePageEnglish);
  EXPECT_EQ(BomStyleFaultMessage({BomStyleField::kMaterial, "%s%d"}), "Invalid column: %s%d !");
}

TEST_F(SettingsSheetRulesTest, StoringRegeneratesTheColumns) {
  BomStyleLayout layout;
  StoreBomStyle({"3", "b", "D,E", "3", "6;g", "ignored"}, layout);
  EXPECT_EQ(layout.headRows, 3);
  EXPECT_EQ(layout.material.number, 2);
  EXPECT_EQ(layout.material.letters, "B");
  EXPECT_EQ(layout.length.number, 3);
  EXPECT_EQ(layout.length.letters, "C");
  EXPECT_EQ(layout.faceCount.letters, "D");
  EXPECT_EQ(layout.inverseCount.number, 5);
  EXPECT_EQ(layout.inverseCount.letters, "E");
  EXPECT_EQ(layout.singleWeight.number, 6);
  EXPECT_EQ(layout.singleWeight.letters, "F");
  EXPECT_EQ(layout.totalWeight.number, 7);
  EXPECT_EQ(layout.totalWeight.letters, "G");

  // One count and one weight: no inverse count, no single weight.
  StoreBomStyle({"1", "aa", "d", "C", "G", ""}, layout);
  EXPECT_EQ(layout.material.number, 27);
  EXPECT_EQ(layout.material.letters, "AA");
  EXPECT_EQ(layout.faceCount.number, 4);
  EXPECT_EQ(layout.inverseCount.number, 0);
  EXPECT_EQ(layout.inverseCount.letters, "0");
  EXPECT_EQ(layout.singleWeight.number, 0);
  EXPECT_EQ(layout.singleWeight.letters, "0");
  EXPECT_EQ(layout.totalWeight.number, 7);
  EXPECT_EQ(layout.totalWeight.letters, "G");
}

TEST_F(SettingsSheetRulesTest, HeadRowsFollowTheCLibrary) {
  struct Case {
    const char* text;
    int stored;
  };
  for (const Case& c :
       {Case{"4", 4}, Case{"", 0}, Case{"-3", 2}, Case{"07", 7}, Case{"99999999999", 2147483647}}) {
    SCOPED_TRACE(c.text);
    BomStyleLayout layout;
    StoreBomStyle({c.text, "B", "D", "C", "F", ""}, layout);
    EXPECT_EQ(layout.headRows, c.stored);
  }
}

TEST_F(SettingsSheetRulesTest, SwitchingStylesStoresTheShownOneFirst) {
  CBomStyleEditor editor(settings);
  EXPECT_EQ(editor.ShownStyle(), -1);
  BomStyleFields fields = editor.Show(1);
  EXPECT_EQ(editor.ShownStyle(), 1);

  // An invalid field keeps the shown style and stores nothing.
  fields.count = "D;E;F";
  BomStyleFields shown;
  BomStyleFault fault = editor.SwitchTo(0, fields, shown);
  EXPECT_EQ(fault.field, BomStyleField::kCount);
  EXPECT_EQ(fault.text, "D;E;F");
  EXPECT_EQ(editor.ShownStyle(), 1);
  EXPECT_EQ(settings.layouts[1].inverseCount.letters, "E");

  // Valid: the standard style keeps the edit, the simple one is shown, and
  // the style in use is left to OK.
  fields.count = "H";
  fields.weight = "J";
  EXPECT_EQ(editor.SwitchTo(0, fields, shown).field, BomStyleField::kNone);
  EXPECT_EQ(editor.ShownStyle(), 0);
  EXPECT_EQ(shown.templateFile, "simple.xls");
  EXPECT_EQ(shown.weight, "E;F");
  EXPECT_EQ(settings.layouts[1].faceCount.letters, "H");
  EXPECT_EQ(settings.layouts[1].inverseCount.number, 0);
  EXPECT_EQ(settings.layouts[1].singleWeight.number, 0);
  EXPECT_EQ(settings.layouts[1].totalWeight.letters, "J");
  EXPECT_EQ(settings.style, 1);
}

TEST_F(SettingsSheetRulesTest, OkStoresIntoTheSelectedStyleAndChoosesIt) {
  CBomStyleEditor editor(settings);
  BomStyleFields fields = editor.Show(1);
  fields.headRows = "5";
  editor.Confirm(0, fields);
  EXPECT_EQ(settings.style, 0);
  EXPECT_EQ(settings.layouts[0].headRows, 5);
  EXPECT_EQ(settings.layouts[0].inverseCount.letters, "E");

  // Any index but 0 is the standard style.
  editor.Confirm(-1, ShowBomStyle(settings, 1));
  EXPECT_EQ(settings.style, 1);
  EXPECT_EQ(editor.Show(7).templateFile, "standard.xls");
}

TEST_F(SettingsSheetRulesTest, OkAndCancelSitAtTheRight) {
  struct Case {
    int sheetWidth;
    ButtonBox ok;
    ButtonBox cancel;
    ButtonBox placedOk;
    ButtonBox placedCancel;
  };
  const Case cases[] = {
      // 400 / 20 = 20 pixels inside the right edge.
      {400, {150, 300, 225, 323}, {230, 300, 305, 323}, {305, 300, 380, 323}, {224, 300, 299, 323}},
      // The width is cut to whole pixels; Cancel takes OK's width.
      {439, {10, 5, 60, 25}, {70, 7, 90, 27}, {368, 5, 418, 25}, {312, 7, 362, 27}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sheetWidth);
    OkCancelPlaces places = PlaceOkCancel(c.sheetWidth, c.ok, c.cancel);
    EXPECT_EQ(places.ok, c.placedOk);
    EXPECT_EQ(places.cancel, c.placedCancel);
  }
}

}  // namespace
