#include "setup/wizard/install_folder.h"

#include <gtest/gtest.h>

#include "setup/wizard/header_band.h"
#include "setup/wizard/setup_switches.h"

TEST(InstallFolder, AcceptsADriveFolderAndDropsOneTrailingBackslash) {
  struct Case {
    std::u16string text;
    std::u16string folder;
  } cases[] = {
      {u"C:\\Program Files\\Zelmorant10.1", u"C:\\Program Files\\Zelmorant10.1"},
      {u"  D:\\Work\\  ", u"D:\\Work"},
      {u"\tD:\\钢结构\r\n", u"D:\\钢结构"},
  };
  for (const Case& c : cases) {
    std::optional<std::u16string> folder = NormalizeInstallFolder(c.text);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, c.folder);
  }
}

TEST(InstallFolder, RefusesWhatIsNoDriveFolder) {
  for (const char16_t* text : {u"", u"   ", u"C:", u"C:\\", u" D:\\ ", u"C:\\\\", u"D:\\Tools\\\\Sub",
                               u"\\\\server\\share", u"Program Files", u"CC:\\x", u":\\x", u"C:/x"}) {
    EXPECT_FALSE(NormalizeInstallFolder(text).has_value());
  }
}

TEST(InstallFolder, BrowsedFoldersGetTheProductFolderUnlessNamed) {
  EXPECT_EQ(ComposeBrowsedFolder(u"D:\\Work"), u"D:\\Work\\Zelmorant10.1");
  EXPECT_EQ(ComposeBrowsedFolder(u"D:\\Zelmorant"), u"D:\\Zelmorant");
  EXPECT_EQ(ComposeBrowsedFolder(u"D:\\"), u"D:\\Zelmorant10.1");
  EXPECT_EQ(ComposeBrowsedFolder(u"D:\\zelmorant"), u"D:\\zelmorant\\Zelmorant10.1");
}

TEST(HeaderBand, RunsFromGreenToWhiteAtHalfWidth) {
  BandColor left = HeaderBandColor(0, 600);
  EXPECT_EQ(left.red, 0);
  EXPECT_EQ(left.green, 128);
  EXPECT_EQ(left.blue, 64);
  BandColor quarter = HeaderBandColor(150, 600);
  EXPECT_EQ(quarter.red, 127);
  EXPECT_EQ(quarter.green, 191);
  EXPECT_EQ(quarter.blue, 159);
  for (int x : {300, 450, 599}) {
    BandColor white = HeaderBandColor(x, 600);
    EXPECT_EQ(white.red, 255);
    EXPECT_EQ(white.green, 255);
    EXPECT_EQ(white.blue, 255);
  }
}

TEST(SetupSwitches, ReadsTheUnattendedInstallsSwitches) {
  struct Case {
    std::vector<std::u16string> arguments;
    bool silent;
    std::u16string folder;  // empty: none given
    unsigned codePage;      // 0: none given
    std::u16string unknown;
  } cases[] = {
      {{}, false, u"", 0, u""},
      {{u"/S"}, true, u"", 0, u""},
      {{u"/s", u"/l=936", u"/LOG=C:\\setup.log", u"/D=C:\\Program", u"Files\\Zelmorant10.1"},
       true,
       u"C:\\Program Files\\Zelmorant10.1",
       936,
       u""},
      {{u"/S", u"/L=437"}, true, u"", 0, u"/L=437"},
      {{u"/S", u"/Q"}, true, u"", 0, u"/Q"},
      {{u"/SILENT"}, false, u"", 0, u"/SILENT"},
  };
  for (const Case& c : cases) {
    SetupSwitches switches = ParseSetupSwitches(c.arguments);
    EXPECT_EQ(switches.silent, c.silent);
    EXPECT_EQ(switches.folder.value_or(u""), c.folder);
    EXPECT_EQ(switches.codePage.value_or(0), c.codePage);
    EXPECT_EQ(switches.unknown, c.unknown);
  }
  EXPECT_EQ(ParseSetupSwitches({u"/S", u"/LOG=D:\\a b.log"}).logFile.value_or(u""), u"D:\\a b.log");
}
