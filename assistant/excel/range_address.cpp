#include "assistant/excel/range_address.h"

#include <algorithm>

namespace {

// One side of an area: a cell ("$B$5"), a column ("$B") or a row ("$10").
struct AddressPart {
  int row = 0;     // 0: a whole column
  int column = 0;  // 0: a whole row
};

std::optional<AddressPart> ParsePart(std::u16string_view text) {
  std::size_t pos = 0;
  auto skipDollar = [&] {
    if (pos < text.size() && text[pos] == u'$') ++pos;
  };
  AddressPart part;
  skipDollar();
  long long column = 0;
  for (; pos < text.size(); ++pos) {
    char16_t c = text[pos];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c < u'A' || c > u'Z') break;
    column = column * 26 + (c - u'A' + 1);
    if (column > kAddressMaxColumn) return std::nullopt;
  }
  skipDollar();
  long long row = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    row = row * 10 + (text[pos] - u'0');
    if (row > kAddressMaxRow) return std::nullopt;
  }
  if (pos != text.size() || (row == 0 && column == 0)) return std::nullopt;
  part.row = static_cast<int>(row);
  part.column = static_cast<int>(column);
  return part;
}

std::optional<SheetArea> ParseArea(std::u16string_view text) {
  std::size_t colon = text.find(u':');
  std::optional<AddressPart> first = ParsePart(text.substr(0, colon));
  std::optional<AddressPart> last =
      colon == std::u16string_view::npos ? first : ParsePart(text.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  // Both sides are of one kind: cells, whole columns or whole rows.
  if ((first->row == 0) != (last->row == 0) || (first->column == 0) != (last->column == 0))
    return std::nullopt;
  bool wholeColumns = first->row == 0;
  bool wholeRows = first->column == 0;
  if ((wholeColumns || wholeRows) && colon == std::u16string_view::npos) return std::nullopt;
  SheetArea area;
  area.top = wholeColumns ? 1 : std::min(first->row, last->row);
  area.bottom = wholeColumns ? kAddressMaxRow : std::max(first->row, last->row);
  area.left = wholeRows ? 1 : std::min(first->column, last->column);
  area.right = wholeRows ? kAddressMaxColumn : std::max(first->column, last->column);
  return area;
}

}  // namespace

std::optional<std::vector<SheetArea>> ParseRangeAddress(std::u16string_view address) {
  std::vector<SheetArea> areas;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = address.find(u',', start);
    std::optional<SheetArea> area = ParseArea(address.substr(start, comma - start));
    if (!area) return std::nullopt;
    areas.push_back(*area);
    if (comma == std::u16string_view::npos) return areas;
    start = comma + 1;
  }
}
