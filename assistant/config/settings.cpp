#include "assistant/config/settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/config/config_platform.h"
#include "base/format_text.h"
#include "base/status.h"
#include "base/text_helpers.h"

AssistantSettings g_settings;

namespace {

enum SettingsKeyIndex {
  kDensity,
  kFactor,
  kCaseSensitive,
  kLanguage,
  kStyle0First,  // HeadRows_0, then the six columns
  kStyle = kStyle0First + 7,
  kStyle1First,
};

struct KeyDefault {
  const char* key;
  const char* text;
};

constexpr std::array<KeyDefault, kSettingsKeyCount> kKeys = {{
    {"Density=", "7850"},  {"Factor=", "1"},        {"CaseSensitive=", "0"}, {"Language=", ""},
    {"HeadRows_0=", "1"},  {"MaterialCol_0=", "B"}, {"LenghtCol_0=", "C"},   {"ZNumerCol_0=", "D"},
    {"FNumerCol_0=", "0"}, {"SWeightCol_0=", "E"},  {"WeightCol_0=", "F"},   {"Style=", "1"},
    {"HeadRows_1=", "2"},  {"MaterialCol_1=", "B"}, {"LenghtCol_1=", "C"},   {"ZNumerCol_1=", "D"},
    {"FNumerCol_1=", "E"}, {"SWeightCol_1=", "F"},  {"WeightCol_1=", "G"},
}};

// The fallback numbers of the six columns of each style, in key order.
constexpr std::array<int, 6> kFallbackColumns = {2, 3, 4, 0, 0, 6};
constexpr std::array<int, 6> kFallbackColumns1 = {2, 3, 4, 0, 0, 7};
// Only this many bytes of a column value are used.
constexpr std::size_t kColumnTextBytes = 9;

std::array<BomColumn*, 6> Columns(BomStyleLayout& layout) {
  return {&layout.material,     &layout.length,       &layout.faceCount,
          &layout.inverseCount, &layout.singleWeight, &layout.totalWeight};
}

// The C library's reading: a leading number, the rest ignored, none is 0.
int ReadInt(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

float ReadFloat(const std::string& text) { return static_cast<float>(std::strtod(text.c_str(), nullptr)); }

// Density and factor: not negative, and a number a float holds ("1e39"
// would be infinite, "nan" none at all).
bool IsUsableNumber(float value) { return std::isfinite(value) && value >= 0; }

BomColumn ParseColumn(const std::string& text, int fallback) {
  BomColumn column;
  column.letters = text.substr(0, kColumnTextBytes);
  column.number = ColumnNumberFromText(column.letters);
  if (column.number == 0) column.number = fallback;
  ColumnLetters(column.number, column.letters);
  return column;
}

void ParseLayout(const AssistantSettings& settings, int first, const std::array<int, 6>& fallbacks,
                 BomStyleLayout& layout) {
  int headRows = ReadInt(settings.keyTexts[first]);
  layout.headRows = headRows < 0 ? 2 : headRows;
  std::array<BomColumn*, 6> columns = Columns(layout);
  for (int i = 0; i < 6; ++i) *columns[i] = ParseColumn(settings.keyTexts[first + 1 + i], fallbacks[i]);
}

void ParseKeyTexts(AssistantSettings& settings) {
  const auto& texts = settings.keyTexts;
  float density = ReadFloat(texts[kDensity]);
  settings.density = IsUsableNumber(density) ? density : 7850.0f;
  float factor = ReadFloat(texts[kFactor]);
  settings.factor = IsUsableNumber(factor) ? factor : 1.0f;
  int caseSensitive = ReadInt(texts[kCaseSensitive]);
  settings.caseSensitive = caseSensitive < 0 ? 0 : caseSensitive;
  int language = ReadInt(texts[kLanguage]);
  settings.language = language < 1 ? static_cast<int>(SystemOemCodePage()) : language;
  ParseLayout(settings, kStyle0First, kFallbackColumns, settings.layouts[0]);
  int style = ReadInt(texts[kStyle]);
  settings.style = style < 0 || style > 1 ? 1 : style;
  ParseLayout(settings, kStyle1First, kFallbackColumns1, settings.layouts[1]);
}

// Text-mode reading: CR LF becomes LF; then pieces of at most
// kSettingsLinePieceBytes bytes, each ending after a line feed or where the
// byte limit cuts the line.
std::vector<std::string> ReadLinePieces(std::string_view bytes, std::size_t maxPieces) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < text.size() && pieces.size() < maxPieces) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    end = std::min(end, start + kSettingsLinePieceBytes);
    pieces.push_back(text.substr(start, end - start));
    start = end;
  }
  return pieces;
}

void ReadKeyTexts(std::string_view bytes, AssistantSettings& settings) {
  std::vector<std::string> lines = ReadLinePieces(bytes, kSettingsKeyCount);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t at = lines[i].find(kKeys[i].key);
    if (at == std::string::npos) continue;
    std::string_view value = TrimBlanks(std::string_view(lines[i]).substr(at + std::strlen(kKeys[i].key)));
    if (!value.empty()) settings.keyTexts[i] = std::string(value);
  }
}

void RegenerateLayoutTexts(AssistantSettings& settings, int first, BomStyleLayout& layout) {
  settings.keyTexts[first] = FormatText("%d", layout.headRows);
  std::array<BomColumn*, 6> columns = Columns(layout);
  for (int i = 0; i < 6; ++i) {
    ColumnLetters(columns[i]->number, columns[i]->letters);
    // A column that names none is written as the defaults write it: the
    // text it was read from may read back as a column once trimmed ("e"
    // and blanks cut at 9 bytes).
    settings.keyTexts[first + 1 + i] = columns[i]->number == 0 ? "0" : columns[i]->letters;
  }
}

void RegenerateKeyTexts(AssistantSettings& settings) {
  settings.keyTexts[kDensity] = FormatText("%0.3f", static_cast<double>(settings.density));
  settings.keyTexts[kFactor] = FormatText("%0.3f", static_cast<double>(settings.factor));
  settings.keyTexts[kCaseSensitive] = FormatText("%d", settings.caseSensitive);
  settings.keyTexts[kLanguage] = FormatText("%d", settings.language);
  RegenerateLayoutTexts(settings, kStyle0First, settings.layouts[0]);
  settings.keyTexts[kStyle] = FormatText("%d", settings.style);
  RegenerateLayoutTexts(settings, kStyle1First, settings.layouts[1]);
}

}  // namespace

std::array<BomStyleLayout, 2> AssistantSettings::DefaultLayouts() {
  auto column = [](int number) { return BomColumn{number, number ? ColumnLetters(number) : "0"}; };
  return {{{1, column(2), column(3), column(4), column(0), column(5), column(6)},
           {2, column(2), column(3), column(4), column(5), column(6), column(7)}}};
}

std::array<std::string, kSettingsKeyCount> AssistantSettings::DefaultKeyTexts() {
  std::array<std::string, kSettingsKeyCount> texts;
  for (int i = 0; i < kSettingsKeyCount; ++i) texts[i] = kKeys[i].text;
  return texts;
}

void ReadSettingsText(std::string_view bytes, AssistantSettings& settings) {
  ReadKeyTexts(bytes, settings);
  ParseKeyTexts(settings);
}

std::string SettingsFileText(AssistantSettings& settings) {
  RegenerateKeyTexts(settings);
  std::string text;
  for (int i = 0; i < kSettingsKeyCount; ++i) text += kKeys[i].key + settings.keyTexts[i] + "\r\n";
  return text;
}

int LoadSettingsFile(const std::filesystem::path& file, AssistantSettings& settings) {
  std::string bytes;
  if (std::ifstream in{file, std::ios::binary}) {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ReadSettingsText(bytes, settings);
  return ST_OK;
}

int LoadSettings(const std::filesystem::path& programFolder, AssistantSettings& settings) {
  return LoadSettingsFile(programFolder / kSettingsFileName, settings);
}

int SaveSettings(const std::filesystem::path& programFolder, AssistantSettings& settings) {
  WriteSettingsFile(programFolder / kSettingsFileName, settings);
  return ST_OK;
}

bool WriteSettingsFile(const std::filesystem::path& file, AssistantSettings& settings) {
  const std::string text = SettingsFileText(settings);
  MakeFileWritable(file);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << text;
  out.close();
  return !out.fail();
}

int LoadSettings(const std::filesystem::path& programFolder) {
  return LoadSettings(AssistantFolders{programFolder, {}});
}

int LoadSettings(const AssistantFolders& folders) {
  LoadSettingsFile(folders.InUse(kSettingsFileName), g_settings);
  SelectBomStyle(g_settings.style);
  return ST_OK;
}

bool SaveUserSettings(const AssistantFolders& folders) {
  return folders.MakeUserFolder() && WriteSettingsFile(folders.user / kSettingsFileName, g_settings);
}
