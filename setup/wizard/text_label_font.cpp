#include "setup/wizard/text_label_font.h"

#include <cstdint>
#include <cstdlib>

int LabelFontHeight(int points, int pixelsPerInch) {
  // Tenths of a point to pixels: pixels = tenths * ppi / 720.
  std::int64_t product = static_cast<std::int64_t>(points) * 10 * pixelsPerInch;
  std::int64_t magnitude = (std::llabs(product) + 360) / 720;
  return -static_cast<int>(magnitude);
}

std::size_t LabelFaceNameLength(std::u16string_view name) {
  if (name.size() <= kLabelFaceNameLimit) return name.size();
  char16_t last = name[kLabelFaceNameLimit - 1];
  bool cutsPair = last >= 0xD800 && last <= 0xDBFF;
  return cutsPair ? kLabelFaceNameLimit - 1 : kLabelFaceNameLimit;
}
