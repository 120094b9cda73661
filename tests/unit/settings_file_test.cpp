#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/config/config_platform.h"
#include "assistant/config/settings.h"
#include "base/status.h"
#include "tests/unit/test_support.h"

namespace {

AssistantSettings LoadFrom(const CTempFolder& folder, std::string_view content) {
  folder.WriteFile(kSettingsFileName, content);
  AssistantSettings settings;
  EXPECT_EQ(LoadSettings(folder.Path(), settings), ST_OK);
  return settings;
}

// The file that SaveSettings writes on the defaults, with `language`.
std::string DefaultFile(int language) {
  return "Density=7850.000\r\nFactor=1.000\r\nCaseSensitive=0\r\nLanguage=" + std::to_string(language) +
         "\r\nHeadRows_0=1\r\nMaterialCol_0=B\r\nLenghtCol_0=C\r\nZNumerCol_0=D\r\nFNumerCol_0=0\r\n"
         "SWeightCol_0=E\r\nWeightCol_0=F\r\nStyle=1\r\nHeadRows_1=2\r\nMaterialCol_1=B\r\nLenghtCol_1=C\r\n"
         "ZNumerCol_1=D\r\nFNumerCol_1=E\r\nSWeightCol_1=F\r\nWeightCol_1=G\r\n";
}

}  // namespace

TEST(ColumnReference, ReadsLettersAndNumbers) {
  const struct {
    const char* text;
    int number;
  } cases[] = {
      {"A", 1},    {"b", 2},    {"Z", 26},   {"AA", 27},   {"aa", 27}, {"AZ", 52},
      {"IV", 256}, {"IW", 0},   {"2", 2},    {"256", 256}, {"257", 0}, {"0", 0},
      {"", 0},     {"AAAA", 0}, {"1234", 0}, {"A1", 0},    {"B ", 0},  {"-1", 0},
  };
  for (const auto& entry : cases) EXPECT_EQ(ColumnNumberFromText(entry.text), entry.number) << entry.text;
}

TEST(ColumnReference, WritesLettersAndKeepsThemOutsideTheRange) {
  const struct {
    int number;
    const char* letters;
  } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {256, "IV"}};
  for (const auto& entry : cases) EXPECT_EQ(ColumnLetters(entry.number), entry.letters) << entry.number;
  std::string letters = "0";
  ColumnLetters(0, letters);
  EXPECT_EQ(letters, "0");
  ColumnLetters(257, letters);
  EXPECT_EQ(letters, "0");
  for (int number = 1; number <= kMaxColumnNumber; ++number) {
    ASSERT_EQ(ColumnNumberFromText(ColumnLetters(number)), number);
  }
}

TEST(SettingsFile, MissingOrEmptyFileGivesDefaultsAndSavesTheWholeFile) {
  CTempFolder folder;
  AssistantSettings settings;
  LoadSettings(folder.Path(), settings);
  EXPECT_EQ(settings.density, 7850.0f);
  EXPECT_EQ(settings.factor, 1.0f);
  EXPECT_EQ(settings.caseSensitive, 0);
  EXPECT_EQ(settings.language, static_cast<int>(SystemOemCodePage()));
  EXPECT_EQ(settings.style, 1);
  EXPECT_EQ(settings.layouts[0].headRows, 1);
  EXPECT_EQ(settings.layouts[0].inverseCount.number, 0);
  EXPECT_EQ(settings.layouts[0].singleWeight.letters, "E");
  EXPECT_EQ(settings.layouts[1].headRows, 2);
  EXPECT_EQ(settings.layouts[1].inverseCount.letters, "E");
  EXPECT_EQ(settings.layouts[1].totalWeight.number, 7);

  SaveSettings(folder.Path(), settings);
  EXPECT_EQ(ReadBytes(folder.Path() / kSettingsFileName), DefaultFile(settings.language));

  AssistantSettings fromEmpty = LoadFrom(folder, "");
  SaveSettings(folder.Path(), fromEmpty);
  EXPECT_EQ(ReadBytes(folder.Path() / kSettingsFileName), DefaultFile(settings.language));
}

TEST(SettingsFile, ReadsValuesAndFallsBackOnInvalidOnes) {
  CTempFolder folder;
  AssistantSettings settings = LoadFrom(folder,
                                        "Density=7800 kg\nFactor=-2\nCaseSensitive=1\nLanguage=950\n"
                                        "HeadRows_0=-1\nMaterialCol_0=aa\nLenghtCol_0=AAAA\nZNumerCol_0=IW\n"
                                        "FNumerCol_0=3\nSWeightCol_0=0\nWeightCol_0=#\nStyle=2\n"
                                        "HeadRows_1=abc\nMaterialCol_1=  c \t\nLenghtCol_1=\n");
  EXPECT_EQ(settings.density, 7800.0f);
  EXPECT_EQ(settings.factor, 1.0f);
  EXPECT_EQ(settings.caseSensitive, 1);
  EXPECT_EQ(settings.language, 950);
  const BomStyleLayout& simple = settings.layouts[0];
  EXPECT_EQ(simple.headRows, 2);
  EXPECT_EQ(simple.material.number, 27);
  EXPECT_EQ(simple.material.letters, "AA");
  EXPECT_EQ(simple.length.number, 3);     // AAAA is too long
  EXPECT_EQ(simple.faceCount.number, 4);  // IW is column 257
  EXPECT_EQ(simple.inverseCount.letters, "C");
  EXPECT_EQ(simple.singleWeight.number, 0);
  EXPECT_EQ(simple.singleWeight.letters, "0");
  EXPECT_EQ(simple.totalWeight.letters, "F");
  EXPECT_EQ(settings.style, 1);
  const BomStyleLayout& standard = settings.layouts[1];
  EXPECT_EQ(standard.headRows, 0);
  EXPECT_EQ(standard.material.letters, "C");
  EXPECT_EQ(standard.length.letters, "C");  // an empty value keeps the default text

  SaveSettings(folder.Path(), settings);
  std::string saved = ReadBytes(folder.Path() / kSettingsFileName);
  for (const char* line : {"Density=7800.000\r\n", "Factor=1.000\r\n", "MaterialCol_0=AA\r\n",
                           "FNumerCol_0=C\r\n", "SWeightCol_0=0\r\n", "Style=1\r\n", "HeadRows_1=0\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  }
}

// A value that a float cannot hold would make every weight infinite or
// undefined: it falls back like a negative one.
TEST(SettingsFile, NumbersNoFloatCanHoldFallBackLikeNegativeOnes) {
  CTempFolder folder;
  for (const char* text : {"1e39", "-1e39", "inf", "nan"}) {
    AssistantSettings settings =
        LoadFrom(folder, std::string("Density=") + text + "\r\nFactor=" + text + "\r\n");
    EXPECT_EQ(settings.density, 7850.0f) << text;
    EXPECT_EQ(settings.factor, 1.0f) << text;
  }
}

// Settings saved once read back unchanged: a column that names none is
// saved as 0, not as the text it was read from, which blanks cut at 9
// bytes can make a column once the line is trimmed.
TEST(SettingsFile, AColumnThatNamesNoneIsSavedAsZero) {
  CTempFolder folder;
  std::string file = DefaultFile(437);
  file.replace(file.find("FNumerCol_0=0"), 13, "FNumerCol_0=xyz");
  file.replace(file.find("SWeightCol_0=E"), 14, "SWeightCol_0=e        C");
  AssistantSettings settings = LoadFrom(folder, file);
  ASSERT_EQ(settings.layouts[0].inverseCount.number, 0);
  ASSERT_EQ(settings.layouts[0].singleWeight.number, 0);
  SaveSettings(folder.Path(), settings);
  std::string saved = ReadBytes(folder.Path() / kSettingsFileName);
  EXPECT_NE(saved.find("\r\nFNumerCol_0=0\r\nSWeightCol_0=0\r\n"), std::string::npos) << saved;
  AssistantSettings again;
  LoadSettings(folder.Path(), again);
  EXPECT_EQ(again.layouts[0].singleWeight.number, 0);
}

TEST(SettingsFile, EachLineIsTestedAgainstItsOwnKeyOnly) {
  CTempFolder folder;
  // A misplaced key is lost, and "Density = 7000" lacks "Density=".
  AssistantSettings settings = LoadFrom(folder, "Factor=2\r\nFactor=3\r\n");
  EXPECT_EQ(settings.density, 7850.0f);
  EXPECT_EQ(settings.factor, 3.0f);
  settings = LoadFrom(folder, "Density = 7000\r\nxx Factor=0.5 yy\r\n");
  EXPECT_EQ(settings.density, 7850.0f);
  EXPECT_EQ(settings.factor, 0.5f);  // the key may stand anywhere in its line

  // A 300-byte first line is read as two lines: every later key moves down one.
  std::string longLine = "Density=7000" + std::string(288, ' ') + "\r\n";
  settings = LoadFrom(folder, longLine + "Factor=2\r\nCaseSensitive=1\r\n");
  EXPECT_EQ(settings.density, 7000.0f);
  EXPECT_EQ(settings.factor, 1.0f);
  EXPECT_EQ(settings.caseSensitive, 0);

  // Lines after the 19th are ignored.
  std::string file = DefaultFile(936) + "Density=1\r\n";
  settings = LoadFrom(folder, file);
  EXPECT_EQ(settings.density, 7850.0f);
  EXPECT_EQ(settings.language, 936);
}

TEST(SettingsFile, SaveMakesAReadOnlyFileWritable) {
  CTempFolder folder;
  std::filesystem::path file = folder.WriteFile(kSettingsFileName, "Density=1\r\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  AssistantSettings settings;
  settings.density = 7900.5f;
  settings.language = 437;
  EXPECT_EQ(SaveSettings(folder.Path(), settings), ST_OK);
  EXPECT_EQ(ReadBytes(file).substr(0, 18), "Density=7900.500\r\n");

  // A folder that does not exist: nothing written, still ST_OK.
  EXPECT_EQ(SaveSettings(folder.Path() / "missing", settings), ST_OK);
}

TEST(SettingsFile, OemCodePageFollowsTheLocale) {
  const struct {
    const char* locale;
    unsigned codePage;
  } cases[] = {
      {"zh_CN.UTF-8", 936}, {"zh_SG", 936}, {"zh_TW.UTF-8", 950}, {"zh_HK.Big5", 950}, {"en_US.UTF-8", 437},
      {"C.UTF-8", 437},     {"", 437},      {"zh_CNX", 437}};
  for (const auto& entry : cases)
    EXPECT_EQ(OemCodePageFromLocale(entry.locale), entry.codePage) << entry.locale;
}

TEST(BomStyle, SelectingAStyleCopiesItsLayoutAndTemplate) {
  AssistantSettings settings;
  settings.layouts[1].material = {3, "C"};
  CurrentLayout layout;
  SelectBomStyle(settings, 1, layout);
  EXPECT_EQ(layout.headRows, 2);
  EXPECT_EQ(layout.material.letters, "C");
  EXPECT_EQ(layout.templateFile, "standard.xls");
  SelectBomStyle(settings, 0, layout);
  EXPECT_EQ(layout.headRows, 1);
  EXPECT_EQ(layout.material.letters, "B");
  EXPECT_EQ(layout.singleWeight.number, 5);
  EXPECT_EQ(layout.templateFile, "simple.xls");
  SelectBomStyle(settings, 7, layout);
  EXPECT_EQ(layout.templateFile, "standard.xls");
  EXPECT_EQ(settings.style, 1);  // selecting leaves the setting alone
}

TEST(BomStyle, LoadingSettingsSelectsTheStoredStyle) {
  CTempFolder folder;
  std::string file = DefaultFile(437);
  file.replace(file.find("Style=1"), 7, "Style=0");
  folder.WriteFile(kSettingsFileName, file);
  LoadSettings(folder.Path());
  EXPECT_EQ(g_settings.style, 0);
  EXPECT_EQ(g_currentLayout.templateFile, "simple.xls");
  EXPECT_EQ(g_currentLayout.totalWeight.letters, "F");
  g_settings = AssistantSettings();
  SelectBomStyle(1);
}
