#include "tools/uninstall/uninstall_log_parser.h"

#include <charconv>

#include <optional>
#include <string>
#include "base/code_page.h"

namespace {

constexpr std::string_view kLanguageKey = "Language=";

std::string_view Trimmed(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::optional<int> ParseNumber(std::string_view digits) {
  int value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// "J0,{root},{path},": the last field must be empty, so a line cut short
// cannot shorten the path to one of its parents.
std::optional<UninstallRecord> ParseRegistryRecord(std::string_view rest) {
  size_t rootEnd = rest.find(',');
  size_t last = rest.rfind(',');
  if (rootEnd == std::string_view::npos || last == rootEnd || last + 1 != rest.size()) return std::nullopt;
  std::optional<int> root = ParseNumber(rest.substr(0, rootEnd));
  std::string_view path = rest.substr(rootEnd + 1, last - rootEnd - 1);
  if (!root || path.empty()) return std::nullopt;
  return UninstallRecord{RecordKind::kRegistry, std::string(path), *root};
}

// "P0,{path},0" and "U0,{path},0".
std::optional<UninstallRecord> ParsePathRecord(RecordKind kind, std::string_view rest) {
  size_t last = rest.rfind(',');
  if (last == std::string_view::npos || rest.substr(last + 1) != "0") return std::nullopt;
  std::string_view path = rest.substr(0, last);
  if (path.empty()) return std::nullopt;
  return UninstallRecord{kind, std::string(path)};
}

// One non-blank line; false when it follows no record form.
bool ParseLine(std::string_view line, ParsedUninstallLog& log) {
  size_t comma = line.find(',');
  if (comma == std::string_view::npos || comma < 2) return false;
  std::string_view head = line.substr(0, comma);
  std::string_view rest = line.substr(comma + 1);
  if (head[0] == 'A') {
    std::optional<int> number = ParseNumber(head.substr(1));
    if (number) log.messages.Set(*number, std::string(rest));
    return number.has_value();
  }
  std::optional<UninstallRecord> record;
  if (head == "J0") record = ParseRegistryRecord(rest);
  if (head == "P0") record = ParsePathRecord(RecordKind::kFile, rest);
  if (head == "U0") record = ParsePathRecord(RecordKind::kFolder, rest);
  if (record) log.records.push_back(std::move(*record));
  return record.has_value();
}

}  // namespace

ParsedUninstallLog ParseUninstallLog(std::string_view text) {
  ParsedUninstallLog log;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = WithoutLineEnd(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!IsBlank(line) && !ParseLine(line, log)) ++log.malformedLines;
  }
  return log;
}

std::string DecodeUninstallLog(std::string_view bytes, unsigned ansiCodePage, unsigned languageCodePage) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  std::string text;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 1);
    bytes.remove_prefix(line.size());
    if (size_t mark = line.find(kUtf8Mark); mark != std::string_view::npos) {
      text += std::string(line.substr(0, mark)) + std::string(line.substr(mark + kUtf8Mark.size()));
    } else {
      text += ConvertCodePage(line, line.starts_with('A') ? languageCodePage : ansiCodePage, kCodePageUtf8);
    }
  }
  return text;
}

unsigned InstallerCodePage(std::string_view settingsText, unsigned fallback) {
  while (!settingsText.empty()) {
    size_t end = settingsText.find('\n');
    std::string_view line = settingsText.substr(0, end);
    settingsText.remove_prefix(end == std::string_view::npos ? settingsText.size() : end + 1);
    if (!line.starts_with(kLanguageKey)) continue;
    std::string_view digits = Trimmed(line.substr(kLanguageKey.size()));
    unsigned codePage = 0;
    auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), codePage);
    bool whole = !digits.empty() && error == std::errc() && last == digits.data() + digits.size();
    return whole && codePage > 0 && codePage < 65536 ? codePage : fallback;
  }
  return fallback;
}
