#include "tools/uninstall/uninstall_log_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "base/code_page.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "tests/unit/fakes/setup_fakes.h"

namespace {

std::string Describe(const UninstallRecord& record) {
  const char* kind = record.kind == RecordKind::kRegistry ? "J"
                     : record.kind == RecordKind::kFile   ? "P"
                                                          : "U";
  return std::string(kind) + " " + std::to_string(record.root) + " " + record.path;
}

}  // namespace

TEST(UninstallLogParser, ReadsEveryRecordFormWhateverTheLineEnds) {
  ParsedUninstallLog log = ParseUninstallLog(
      "J0,2,SOFTWARE\\Zelmorant10.1,\r\n"
      "\r\n"
      "J0,2,SOFTWARE\\A,B\\Zelmorant10.1,\n"
      "   \r\n"
      "P0,C:\\Program Files\\Zelmorant10.1\\a,b.txt,0\r\n"
      "U0,C:\\Tools, Mine\\Zelmorant10.1,0\r\n"
      "A53,The files created befor(or after) install, and future other application\r\n"
      "A43,Are you sure you want uninstall %s?");
  ASSERT_EQ(log.records.size(), 4u);
  EXPECT_EQ(Describe(log.records[0]), "J 2 SOFTWARE\\Zelmorant10.1");
  EXPECT_EQ(Describe(log.records[1]), "J 2 SOFTWARE\\A,B\\Zelmorant10.1");
  EXPECT_EQ(Describe(log.records[2]), "P 0 C:\\Program Files\\Zelmorant10.1\\a,b.txt");
  EXPECT_EQ(Describe(log.records[3]), "U 0 C:\\Tools, Mine\\Zelmorant10.1");
  EXPECT_EQ(log.messages.Text(53), "The files created befor(or after) install, and future other application");
  EXPECT_EQ(log.messages.Format(43, "Zelmorant10.1"), "Are you sure you want uninstall Zelmorant10.1?");
  EXPECT_EQ(log.malformedLines, 0);
}

// A damaged line must never become a removal, least of all of a parent of
// the item it named.
TEST(UninstallLogParser, DamagedLinesAreCountedAndGiveNoRecord) {
  for (const char* line : {"J0,2,SOFTWARE\\Zelmorant10.1",  // cut short: would name SOFTWARE
                           "J0,2,SOFTWARE\\Zelmorant10.1,x", "J0,,SOFTWARE\\Zelmorant10.1,", "J0,2,,",
                           "J0,two,SOFTWARE\\Zelmorant10.1,", "P0,C:\\Tools\\a.txt", "P0,C:\\Tools\\a.txt,1",
                           "P0,,0", "U0,C:\\Tools,", "U0,0", "P1,C:\\Tools\\a.txt,0", "X0,C:\\Tools,0",
                           "garbage", "A,text", "Ax,text", "A1x,text"}) {
    ParsedUninstallLog log = ParseUninstallLog(std::string(line) + "\r\n");
    EXPECT_TRUE(log.records.empty()) << line;
    EXPECT_EQ(log.malformedLines, 1) << line;
  }
}

TEST(UninstallLogParser, MessagesFallBackToTheInstallersEnglishTable) {
  ParsedUninstallLog log = ParseUninstallLog("A48,Deinstallation\r\nA48,Second\r\nA10,Product\r\n");
  EXPECT_EQ(log.messages.Text(48), "Deinstallation");  // the first row of a number counts
  EXPECT_EQ(log.messages.Format(43, log.messages.Text(10)), "Are you sure you want uninstall Product?");
  EXPECT_EQ(log.messages.Text(50), "Uninstall succeed!");
  EXPECT_EQ(log.messages.Format(47, "C:\\x"), "C:\\x will be removed after restart");
  EXPECT_EQ(log.messages.Text(99), "");

  // Every row the installer writes has the same fallback, product name and
  // the full-width question mark included.
  EXPECT_STREQ(kUninstallProductName, kProductVersion);
  CUninstallMessages none;
  for (const char* row : kUninstallMessages) {
    std::string text(row);
    size_t comma = text.find(',');
    int number = std::stoi(text.substr(1, comma - 1));
    std::string expected =
        number == 10 ? kProductVersion : ConvertCodePage(text.substr(comma + 1), 936, 65001);
    EXPECT_EQ(none.Text(number), expected) << row;
  }
}

// The settings file as the installer writes it tells the log's code page.
TEST(UninstallLogParser, TheLogsCodePageComesFromTheInstallersSettings) {
  struct Case {
    const char* settings;
    unsigned expected;
  };
  for (const Case& c : {Case{"Command=zm\r\nVersion=Zelmorant10.1\r\nLanguage=936\r\nExportGrid=1\r\n", 936},
                        Case{"Language=950", 950}, Case{"Language= 437 \r\n", 437},
                        Case{"MyLanguage=936\r\nLanguage=950\r\n", 950}, Case{"Language=\r\n", 7},
                        Case{"Language=93x\r\n", 7}, Case{"Language=0\r\n", 7}, Case{"Language=70000\r\n", 7},
                        Case{"Command=zm\r\n", 7}, Case{"", 7}}) {
    EXPECT_EQ(InstallerCodePage(c.settings, 7), c.expected) << c.settings;
  }
}

// What the installer stores, the uninstaller reads back: paths in the ANSI
// code page when it holds them, UTF-8 behind the mark when not ("Ł" has no
// place in Western 1252, and no look-alike stands in for it), message rows
// in the language's code page.
TEST(UninstallLogParser, ReadsEachRecordInTheCodePageItWasWrittenIn) {
  CSetupStateGuard guard;
  g_ansiCodePage = 1252;
  struct Case {
    std::string path;
    bool ansi;
  } cases[] = {
      {"C:\\Program Files\\Zelmorant10.1", true},
      {"C:\\Café\\Zelmorant10.1", true},
      {"C:\\Łódź\\Zelmorant10.1", false},
      {"C:\\users\\钢结构\\Start Menu\\Programs\\Zelmorant10.1\\卸载Zelmorant.lnk", false},
  };
  std::string bytes;
  std::string expected;
  for (const Case& c : cases) {
    EXPECT_EQ(IsAnsiPath(c.path), c.ansi) << c.path;
    std::string stored = StoredPath(c.path);
    EXPECT_EQ(stored.starts_with(kUtf8PathMark), !c.ansi) << c.path;
    bytes += "P0," + stored + ",0\r\n";
    expected += "P0," + c.path + ",0\r\n";
  }
  bytes += "A80,Are you sure you want terminate the uninstall\xA3\xBF\r\n";
  expected += "A80,Are you sure you want terminate the uninstall？\r\n";
  EXPECT_EQ(DecodeUninstallLog(bytes, 1252, 936), expected);
}
