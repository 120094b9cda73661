#include "setup/engine/settings_defaults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/fakes/setup_fakes.h"
#include "tests/unit/test_support.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  std::vector<std::string> WriteAndRead(int codePage) {
    SetLanguage(codePage);
    EXPECT_TRUE(WriteSettingsFile(m_files, m_path));
    return Lines(ReadTestFile(m_path));
  }

  CSetupStateGuard m_guard;
  CTempFolder m_temp;
  CSetupTestFiles m_files;
  std::string m_path = TestFolder(m_temp.Path(), "inst") + "Zelmorant.ini";
};

}  // namespace

TEST_F(SettingsFileTest, WritesTheFiftyOneDefaultsInOrder) {
  std::vector<std::string> lines = WriteAndRead(950);
  ASSERT_EQ(lines.size(), 51u);
  EXPECT_EQ(lines[0], "Command=zm");
  EXPECT_EQ(lines[1], "ExcelPath=");
  EXPECT_EQ(lines[16], "Density=7850");
  EXPECT_EQ(lines[20], "ServerPort=5888");
  EXPECT_EQ(lines[25], "LocalIP= ");
  EXPECT_EQ(lines[43], "ImportText_ColMarkStr= ");
  EXPECT_EQ(lines[47], "Version=Zelmorant10.1");
  EXPECT_EQ(lines[48], "Language=950");
  EXPECT_EQ(lines[50], "AutoDiv=0");
  EXPECT_EQ(lines[19].rfind("ServerIP=192.168.", 0), 0u) << lines[19];
  for (const std::string& line : lines) EXPECT_NE(line.find('='), std::string::npos) << line;
}

TEST_F(SettingsFileTest, LanguageLineFollowsTheCodePage) {
  const struct {
    int codePage;
    const char* line;
  } cases[] = {{936, "Language=936"}, {950, "Language=950"}, {1252, "Language=1252"}, {437, "Language=437"}};
  for (const auto& c : cases) EXPECT_EQ(WriteAndRead(c.codePage).at(48), c.line);
}

TEST_F(SettingsFileTest, ReplacesAReadOnlyFileFromAnEarlierInstallation) {
  m_temp.WriteFile("inst/Zelmorant.ini", std::string(5000, 'x'));
  m_files.readOnly.insert(m_path);
  EXPECT_EQ(WriteAndRead(936).size(), 51u);
  EXPECT_EQ(WriteAndRead(936).size(), 51u) << "a second installation overwrites it again";
}

TEST_F(SettingsFileTest, AFileThatCannotBeCreatedIsSkippedQuietly) {
  m_temp.WriteFile("inst/Zelmorant.ini", "kept");
  m_files.locked.insert(m_path);
  EXPECT_TRUE(WriteSettingsFile(m_files, m_path));
  EXPECT_EQ(ReadTestFile(m_path), "kept");
}
