#pragma once

// A range's address as the spreadsheet writes it ("$B$5:$B$204", whole rows
// "$10:$13", whole columns "$B:$B", areas separated by commas) read back
// into blocks, so that one call tells the whole shape of an event's target.

#include <optional>
#include <string_view>
#include <vector>

// The most rows and columns any version of the spreadsheet has: a whole
// column or row reaches this far.
inline constexpr int kAddressMaxRow = 1048576;
inline constexpr int kAddressMaxColumn = 16384;

// A block of cells, 1-based and inclusive.
struct SheetArea {
  int top = 1;
  int left = 1;
  int bottom = 1;
  int right = 1;
  bool operator==(const SheetArea&) const = default;
};

// The areas of `address`, in its order; none when it is no address.
std::optional<std::vector<SheetArea>> ParseRangeAddress(std::u16string_view address);
