#include "setup/engine/setup_state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "setup/engine/setup_text_tables.h"
#include "tests/unit/test_support.h"

namespace {

std::set<int> UsedSlots(const SetupTextTable& table) {
  std::set<int> slots;
  for (int slot = 0; slot < kSetupTextSlots; ++slot) {
    if (table[slot][0] != '\0') slots.insert(slot);
  }
  return slots;
}

}  // namespace

TEST(SetLanguage, ChoosesTableAgreementAndLinkNamesByCodePage) {
  struct Case {
    int codePage;
    std::string back;
    std::string helpLink;
    std::string uninstallLink;
    int agreement;
  };
  const Case cases[] = {
      {950, Big5("< 上一步"), Big5("Zelmorant幫助.lnk"), Big5("卸載Zelmorant.lnk"), 144},
      {936, Gbk("< 上一步"), Gbk("Zelmorant帮助.lnk"), Gbk("卸载Zelmorant.lnk"), 142},
      {1252, "< Back", "Zelmorant Help.lnk", "Uninstall Zelmorant.lnk", 143},
      {437, "< Back", "Zelmorant Help.lnk", "Uninstall Zelmorant.lnk", 143},
      {0, "< Back", "Zelmorant Help.lnk", "Uninstall Zelmorant.lnk", 143},
  };
  for (const Case& c : cases) {
    SetLanguage(c.codePage);
    EXPECT_EQ(g_codePage, c.codePage);
    EXPECT_EQ(g_text[5], c.back) << c.codePage;
    EXPECT_EQ(g_agreementId, c.agreement) << c.codePage;
    EXPECT_EQ(std::string(g_shortcuts[0].linkName.data()), "Ostrevia.lnk") << c.codePage;
    EXPECT_EQ(std::string(g_shortcuts[1].linkName.data()), c.helpLink) << c.codePage;
    EXPECT_EQ(std::string(g_shortcuts[3].linkName.data()), c.uninstallLink) << c.codePage;
  }
  SetLanguage(950);
}

TEST(SetupTextTables, EveryLanguageFillsTheSameSlots) {
  const std::set<int> listed = {1,  2,  3,  4,  5,  6,  7,  8,  11, 12, 13, 14, 21, 22, 23, 24,
                                25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 41, 42, 43, 51, 52, 53};
  EXPECT_EQ(UsedSlots(kSetupTextEng), listed);
  EXPECT_EQ(UsedSlots(kSetupTextChs), listed);
  EXPECT_EQ(UsedSlots(kSetupTextCht), listed);
}

TEST(SetupTextTables, TextsAreInTheCodePageOfTheirLanguage) {
  struct Case {
    const SetupTextTable& table;
    int slot;
    std::string text;
  };
  const Case cases[] = {
      {kSetupTextCht, 21, Big5("安裝錯誤，數據可能被破壞!")},
      {kSetupTextCht, 53, Big5("無法操作注冊表，請確保您有存取注冊表的權限!")},
      {kSetupTextCht, 32, Big5("選擇Zelmorant將安裝到哪個ACAD版本中\n指定安裝目錄")},
      {kSetupTextChs, 21, Gbk("安装错误，数据可能被破坏!")},
      {kSetupTextChs, 3, Gbk("正在创建快截方式...")},
      {kSetupTextChs, 34, Gbk("安装目录 :")},
      {kSetupTextEng, 8, "Finsish"},
      {kSetupTextEng, 21, "Setup failed!"},
      {kSetupTextEng, 32, "Select AutoCAD version to install Zelmorant\nSpecify install directory"},
  };
  for (const Case& c : cases) EXPECT_EQ(std::string(c.table[c.slot].data()), c.text) << c.slot;
}
