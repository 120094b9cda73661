// The prefix list's rules: which text each tooltip shows, how a tip is cut
// to the tooltip's buffer without breaking a Chinese character, and what is
// painted beneath an item.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "assistant/ui/prefix_tips.h"
#include "base/code_page.h"

namespace {

void SetSlot(TipTable& table, int slot, const std::string& text) {
  auto& bytes = table[static_cast<size_t>(slot)];
  bytes.fill('\0');
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
}

// "圆管" (tube) in GBK and "鋼板" (steel plate) in Big5.
const std::string kGbkTube = "\xD4\xB2\xB9\xDC";
const std::string kBig5Plate = "\xBF\xFB\xAA\x4F";

}  // namespace

TEST(PrefixTips, LeadingItemsShowTheirOwnTextAndTheRestTheirSlot) {
  TipTable table{};
  SetSlot(table, 0, "Tube D60*3");
  SetSlot(table, 1, "Round bar");
  SetSlot(table, 99, "Last slot");
  const int prefixCount = 3;

  EXPECT_TRUE(ChooseTip(0, prefixCount, table).ownText);
  EXPECT_TRUE(ChooseTip(2, prefixCount, table).ownText);
  struct Case {
    int toolId;
    const char* text;
  };
  for (const Case& c : {Case{3, "Tube D60*3"}, Case{4, "Round bar"}, Case{5, ""}, Case{102, "Last slot"},
                        Case{103, ""}, Case{65535, ""}, Case{-1, ""}}) {
    TipChoice choice = ChooseTip(c.toolId, prefixCount, table);
    EXPECT_FALSE(choice.ownText) << c.toolId;
    EXPECT_EQ(choice.slotText, c.text) << c.toolId;
  }
  // Without leading items, item 0 shows slot 0.
  EXPECT_EQ(ChooseTip(0, 0, table).slotText, "Tube D60*3");
}

TEST(PrefixTips, AFullSlotIsReadToItsEndAndNoFurther) {
  TipTable table{};
  table[0].fill('A');
  table[1].fill('B');
  std::string_view text = ChooseTip(0, 0, table).slotText;
  EXPECT_EQ(text.size(), static_cast<size_t>(kTipSlotBytes));
  EXPECT_EQ(text.find('B'), std::string_view::npos);
}

TEST(PrefixTips, TipsAreCutToTheBufferWithoutSplittingACharacter) {
  TipTable table{};
  std::string ascii(100, 'x');
  ascii[78] = '7';
  ascii[79] = '8';
  SetSlot(table, 0, ascii);
  std::string narrow = NarrowTipText(0, u"", 0, table, kCodePageGbk);
  EXPECT_EQ(narrow.size(), kTipTextLimit);
  EXPECT_EQ(narrow.back(), '7');
  EXPECT_EQ(WideTipText(0, u"", 0, table, kCodePageGbk), Utf16FromAscii(narrow));

  // 40 Chinese characters: byte 79 would be the first half of the 40th, so
  // the narrow tip stops before it; the wide one holds all 40.
  std::string chinese;
  for (int i = 0; i < 20; ++i) chinese += kGbkTube;
  SetSlot(table, 1, chinese);
  EXPECT_EQ(NarrowTipText(1, u"", 0, table, kCodePageGbk), chinese.substr(0, 78));
  std::u16string wide = WideTipText(1, u"", 0, table, kCodePageGbk);
  EXPECT_EQ(wide, DecodeFromCodePage(chinese, kCodePageGbk));
  EXPECT_EQ(wide.size(), 40u);

  // Big5 tips are cut by Big5's rules and shown through Big5.
  std::string big5(40, 'y');
  for (int i = 0; i < 30; ++i) big5 += kBig5Plate;
  SetSlot(table, 2, big5);
  EXPECT_EQ(NarrowTipText(2, u"", 0, table, kCodePageBig5), big5.substr(0, 78));
  std::u16string wideBig5 = WideTipText(2, u"", 0, table, kCodePageBig5);
  EXPECT_EQ(wideBig5.size(), kTipTextLimit);
  EXPECT_EQ(wideBig5.substr(40, 4), u"鋼板鋼板");
}

TEST(PrefixTips, LeadingItemTipsComeFromTheItemText) {
  TipTable table{};
  SetSlot(table, 0, "slot zero");
  std::u16string longName(90, u'L');
  longName[0] = u'鋼';
  EXPECT_EQ(WideTipText(0, u"φ", 1, table, kCodePageGbk), u"φ");
  EXPECT_EQ(NarrowTipText(0, u"φ", 1, table, kCodePageGbk), "\xA6\xD5");
  EXPECT_EQ(WideTipText(1, u"φ", 1, table, kCodePageGbk), u"slot zero");

  std::u16string wide = WideTipText(0, longName, 1, table, kCodePageBig5);
  EXPECT_EQ(wide, longName.substr(0, kTipTextLimit));
  std::string narrow = NarrowTipText(0, longName, 1, table, kCodePageBig5);
  EXPECT_EQ(narrow.size(), kTipTextLimit);
  EXPECT_EQ(narrow.substr(0, 2), "\xBF\xFB");
}

TEST(PrefixTips, CutsNeverEndInsideACharacter) {
  struct Case {
    std::string text;
    size_t limit;
    unsigned codePage;
    size_t kept;
  };
  const Case kCases[] = {
      {"\xA6\xD5"
       "20",
       1, kCodePageGbk, 0},
      {"\xA6\xD5"
       "20",
       2, kCodePageGbk, 2},
      {"\xA6\xD5"
       "20",
       3, kCodePageGbk, 3},
      {"\xA6\xD5"
       "20",
       1, kCodePageUsAscii, 1},
      // A lead byte at the very end (a broken text) counts as one byte.
      {"ab\xA6", 3, kCodePageGbk, 3},
      // A Big5 trail byte may be ASCII-looking: it never starts a character.
      {"\xAA\x4F\xAA\x4F", 3, kCodePageBig5, 2},
      {"", 79, kCodePageGbk, 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(CutCodePageText(c.text, c.limit, c.codePage).size(), c.kept) << c.text << " " << c.limit;
  }
  std::u16string pair = u"ab\U0001F600";
  EXPECT_EQ(CutUtf16Text(pair, 3), u"ab");
  EXPECT_EQ(CutUtf16Text(pair, 4), pair);
}

TEST(PrefixListPaint, SelectionAndRequestDecideTheBackground) {
  struct Case {
    bool selected, drawEntire, selectionChanged;
    ItemBackground background;
  };
  const Case kCases[] = {
      {true, true, false, ItemBackground::kHighlightWithFocus},
      {true, false, true, ItemBackground::kHighlightWithFocus},
      {false, false, true, ItemBackground::kClearFocusThenWindow},
      {false, true, true, ItemBackground::kClearFocusThenWindow},
      {false, true, false, ItemBackground::kNone},
      {true, false, false, ItemBackground::kNone},
      {false, false, false, ItemBackground::kNone},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(PlanItemBackground(c.selected, c.drawEntire, c.selectionChanged), c.background)
        << c.selected << c.drawEntire << c.selectionChanged;
  }
}
