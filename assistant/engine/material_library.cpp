#include "assistant/engine/material_library.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>

#include "assistant/engine/message_port.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "base/format_text.h"
#include "base/status.h"
#include "base/text_helpers.h"

namespace {

constexpr int kMsgReadFailed = 41;
constexpr int kMsgBadFormulaLine = 42;
constexpr int kMsgBadNotation = 43;
constexpr int kMsgBadMaterialLine = 44;
constexpr int kMsgBadWeight = 45;
constexpr int kMsgNoFormulaEnd = 46;

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

// The file is read in text mode: a CR before a LF is not part of the line.
std::string ToTextMode(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

std::vector<std::string_view> CutIntoLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t length = std::min(text.size(), kLibraryLinePieceBytes);
    size_t lineFeed = text.substr(0, length).find('\n');
    if (lineFeed != std::string_view::npos) length = lineFeed + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

// Fields are separated by runs of spaces and tabs; empty fields do not count.
std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (start < line.size()) {
    size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    std::string_view field = TrimBlanks(line.substr(start, end - start));
    if (!field.empty()) fields.push_back(field);
    start = end + 1;
  }
  return fields;
}

// The leading decimal number of a text as the C library reads it (a sign,
// digits, a point, an exponent); a text without one reads as 0.
double ReadLeadingNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  return negative ? -value : value;
}

std::string Message(int row, const std::string& text, int line) {
  return FormatText(UiText(row), text.c_str(), line);
}

class CLibraryReader {
 public:
  CLibraryReader(MaterialLibrary& library, std::string_view pathText)
      : m_library(library), m_pathText(pathText) {}

  // Returns the error text, empty when the line was taken.
  std::string ReadLine(std::string_view rawLine, int lineNumber) {
    std::string_view line = TrimBlanks(rawLine);
    if (line.empty() || line.starts_with("//")) return {};
    if (CompareLibraryText(line, "[FORMULA START]")) {
      m_inFormulaSection = true;
      return {};
    }
    if (CompareLibraryText(line, "[FORMULA END]")) {
      m_inFormulaSection = false;
      return {};
    }
    std::vector<std::string_view> fields = SplitAtBlanks(line);
    return m_inFormulaSection ? ReadFormula(fields, lineNumber) : ReadMaterial(fields, lineNumber);
  }

  bool InFormulaSection() const { return m_inFormulaSection; }

 private:
  std::string ReadFormula(const std::vector<std::string_view>& fields, int lineNumber) {
    if (fields.size() != 3) return Message(kMsgBadFormulaLine, std::string(m_pathText), lineNumber);
    std::string_view notation = fields[0], prefix = fields[1], formula = fields[2];
    if (notation.size() <= prefix.size()) {
      return Message(kMsgBadNotation, std::string(notation), lineNumber);
    }
    std::string_view variables = notation.substr(prefix.size());
    // A field longer than its slot refuses the line rather than being cut.
    if (prefix.size() > kMaxPrefixBytes || formula.size() > kMaxFormulaBytes ||
        variables.size() > kMaxFormulaBytes) {
      return Message(kMsgBadFormulaLine, std::string(m_pathText), lineNumber);
    }
    if (m_library.formulas.size() >= kMaxUserFormulas) return {};
    m_library.formulas.push_back({std::string(prefix), std::string(formula), std::string(variables)});
    return {};
  }

  std::string ReadMaterial(const std::vector<std::string_view>& fields, int lineNumber) {
    if (fields.size() != 2 || fields[0].size() > kMaxSpecBytes) {
      return FormatText(UiText(kMsgBadMaterialLine), lineNumber);
    }
    auto weight = static_cast<float>(ReadLeadingNumber(fields[1]));
    // An infinite weight ("inf", or beyond the float range) is as invalid as
    // a weight of 0: no sheet can use it.
    if (!(weight > 0) || !std::isfinite(weight)) {
      return Message(kMsgBadWeight, std::string(fields[0]), lineNumber);
    }
    m_library.rows.push_back({std::string(fields[0]), weight});
    return {};
  }

  MaterialLibrary& m_library;
  std::string_view m_pathText;
  bool m_inFormulaSection = false;
};

}  // namespace

std::string ParseMaterialLibrary(MaterialLibrary& library, std::string_view content,
                                 std::string_view pathText) {
  std::string text = ToTextMode(content);
  std::vector<std::string_view> lines = CutIntoLines(text);

  library.rows.clear();
  library.rows.reserve(lines.size());
  library.formulas.clear();

  CLibraryReader reader(library, pathText);
  int lineNumber = 0;
  for (std::string_view line : lines) {
    std::string error = reader.ReadLine(line, ++lineNumber);
    if (!error.empty()) return error;
  }
  if (reader.InFormulaSection()) return UiText(kMsgNoFormulaEnd);
  return {};
}

int LoadMaterialLibrary(MaterialLibrary& library, const std::filesystem::path& path, MessagePort& messages) {
  std::string pathText = EncodeToCodePage(path.u16string(), UiTextCodePage());
  std::optional<std::string> content = ReadFileBytes(path);
  std::string error = content ? ParseMaterialLibrary(library, *content, pathText)
                              : FormatText(UiText(kMsgReadFailed), pathText.c_str());
  if (error.empty()) return ST_OK;
  messages.ShowError(error, UiTextCodePage());
  return ST_FAIL;
}
