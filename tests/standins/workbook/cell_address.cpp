#include "tests/standins/workbook/cell_address.h"

#include <algorithm>

#include "assistant/excel/automation_error.h"

namespace {

char16_t LowerLetter(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

std::optional<std::pair<int, int>> ParseCellAddress(std::u16string_view text) {
  std::size_t pos = 0;
  auto skipDollar = [&] {
    if (pos < text.size() && text[pos] == u'$') ++pos;
  };
  skipDollar();
  long long column = 0;
  std::size_t letters = 0;
  for (; pos < text.size() && letters < 4; ++pos, ++letters) {
    char16_t c = LowerLetter(text[pos]);
    if (c < u'a' || c > u'z') break;
    column = column * 26 + (c - u'a' + 1);
  }
  skipDollar();
  long long row = 0;
  std::size_t digits = 0;
  for (; pos < text.size() && digits < 8 && text[pos] >= u'0' && text[pos] <= u'9'; ++pos, ++digits)
    row = row * 10 + (text[pos] - u'0');
  if (letters == 0 || digits == 0 || pos != text.size() || column > kSheetColumns || row < 1 ||
      row > kSheetRows) {
    return std::nullopt;
  }
  return std::pair{static_cast<int>(row), static_cast<int>(column)};
}

CellRect ParseBlockAddress(std::u16string_view text, const CellRect& base) {
  std::size_t colon = text.find(u':');
  auto first = ParseCellAddress(text.substr(0, colon));
  auto last = colon == std::u16string_view::npos ? first : ParseCellAddress(text.substr(colon + 1));
  if (!first || !last) throw CAutomationError(u"The address of the range is not valid.");
  CellRect block{std::min(first->first, last->first), std::min(first->second, last->second),
                 std::max(first->first, last->first), std::max(first->second, last->second)};
  block.top += base.top - 1;
  block.bottom += base.top - 1;
  block.left += base.left - 1;
  block.right += base.left - 1;
  if (block.bottom > kSheetRows || block.right > kSheetColumns)
    throw CAutomationError(u"The row or column lies outside the sheet.");
  return block;
}

std::vector<CellRect> ParseAreasAddress(std::u16string_view text, const CellRect& base) {
  constexpr std::size_t kMaxAddress = 255;
  if (text.size() > kMaxAddress) throw CAutomationError(u"The address of the range is not valid.");
  std::vector<CellRect> areas;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = text.find(u',', start);
    areas.push_back(ParseBlockAddress(text.substr(start, comma - start), base));
    if (comma == std::u16string_view::npos) return areas;
    start = comma + 1;
  }
}
