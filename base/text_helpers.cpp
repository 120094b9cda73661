#include "base/text_helpers.h"

#include <charconv>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsGbkLeadByte(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

char FoldAsciiCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares the first `length` bytes of both texts, which both have.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (IsGbkLeadByte(a[i])) {
      if (a[i] != b[i]) return false;
      if (++i < length && a[i] != b[i]) return false;
      continue;
    }
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

double ParseNumber(std::string_view text) {
  std::string normal;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normal.push_back('-');
    ++i;
  }
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      seenDigit = true;
    } else if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    normal.push_back(text[i]);
  }
  if (!seenDigit) return 0.0;
  double value = 0.0;
  std::from_chars(normal.data(), normal.data() + normal.size(), value, std::chars_format::fixed);
  return value;
}

int SplitFields(std::string_view text, std::string_view separators, std::span<std::string> fields) {
  if (text.empty()) return 0;
  int count = 0;
  size_t start = 0;
  while (true) {
    size_t end = text.find_first_of(separators, start);
    std::string_view piece = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
    if (static_cast<size_t>(count) < fields.size()) fields[count] = std::string(TrimBlanks(piece));
    ++count;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return count;
}

bool CompareLibraryText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && EqualIgnoringAsciiCase(a, b, a.size());
}

bool StartsWithLibraryText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoringAsciiCase(prefix, text, prefix.size());
}
