#include "assistant/ui/help_access.h"

#include <gtest/gtest.h>

#include <string>

#include "assistant/texts/text_tables.h"
#include "tests/unit/fakes/fake_html_help.h"
#include "tests/unit/test_support.h"

namespace {

constexpr WindowHandle kOwner = 0x5150;
const std::string kFolder = "C:\\Program Files\\Zelmorant10.1\\";

// A system where the control binds and the viewer opens (or not).
struct HelpSystem {
  explicit HelpSystem(WindowHandle viewer = 0) {
    platform.InstallControl(u"hhctrl.ocx", 0x4000, 0x4010);
    platform.viewer = viewer;
    host.folder = kFolder;
  }
  CFakeHtmlHelpPlatform platform;
  HtmlHelpBinding binding{platform};
  CFakeHelpHost host;
};

}  // namespace

TEST(HelpAccess, OpensTheHelpFileOfEachPageAtTopicFive) {
  struct Case {
    unsigned codePage;
    std::string mainFile;
  };
  for (const Case& c : {Case{936, "ZMCHS.chm"}, Case{950, "ZMCHT.chm"}, Case{437, "ZMEng.chm"}}) {
    SelectTextTable(c.codePage);
    HelpSystem system(0x99);
    ShowHelp(kOwner, system.binding, system.host);
    ShowSettingsHelp(kOwner, system.binding, system.host);

    ASSERT_EQ(system.platform.calls.size(), 2u);
    EXPECT_EQ(system.platform.calls[0].path, kFolder + c.mainFile) << c.codePage;
    EXPECT_EQ(system.platform.calls[1].path, kFolder + "zelmorant.chm") << c.codePage;
    for (const auto& call : system.platform.calls) {
      EXPECT_EQ(call.caller, 0u);  // the viewer is not owned by the assistant
      EXPECT_EQ(call.command, 0x0Fu);
      EXPECT_EQ(call.data, 5u);
    }
    EXPECT_TRUE(system.host.messages.empty()) << c.codePage;
  }
}

TEST(HelpAccess, NoViewerShowsWhichFileCouldNotBeOpened) {
  struct Case {
    unsigned codePage;
    std::string mainMessage;
    std::string settingsMessage;
  };
  const Case cases[] = {
      {437, "Can't open help file:ZMEng.chm!", "Can't open help file:zelmorant.chm!"},
      {936, Gbk("没有找到帮助文件:ZMCHS.chm!"), Gbk("没有找到帮助文件:zelmorant.chm!")},
      {950, Big5("沒有找到幫助文件:ZMCHT.chm!"), Big5("沒有找到幫助文件:zelmorant.chm!")},
  };
  for (const Case& c : cases) {
    SelectTextTable(c.codePage);
    HelpSystem system;
    ShowHelp(kOwner, system.binding, system.host);
    ShowSettingsHelp(kOwner + 1, system.binding, system.host);

    ASSERT_EQ(system.host.messages.size(), 2u) << c.codePage;
    EXPECT_EQ(system.host.messages[0].text, c.mainMessage);
    EXPECT_EQ(system.host.messages[1].text, c.settingsMessage);
    EXPECT_EQ(system.host.messages[0].owner, kOwner);
    EXPECT_EQ(system.host.messages[1].owner, kOwner + 1);
    for (const auto& message : system.host.messages) EXPECT_EQ(message.codePage, UiTextCodePage());
  }
}

TEST(HelpAccess, WithoutTheControlEveryPressShowsTheMessageAtOnce) {
  SelectTextTable(437);
  CFakeHtmlHelpPlatform platform;  // nothing registered, nothing loadable
  HtmlHelpBinding binding(platform);
  CFakeHelpHost host;

  ShowHelp(kOwner, binding, host);
  size_t stepsOfFirstPress = platform.steps.size();
  ShowHelp(kOwner, binding, host);
  ShowSettingsHelp(kOwner, binding, host);

  EXPECT_EQ(platform.steps.size(), stepsOfFirstPress);
  ASSERT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(host.messages[1].text, "Can't open help file:ZMEng.chm!");
  EXPECT_EQ(host.messages[2].text, "Can't open help file:zelmorant.chm!");
}
