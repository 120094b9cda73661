#include "tests/standins/workbook/number_format.h"

#include <cmath>
#include <cstdio>

#include "base/code_page.h"

namespace {

bool IsGeneral(std::u16string_view format) {
  if (format.empty() || format == u"@") return true;
  std::u16string lower;
  for (char16_t c : format) lower += (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
  return lower == u"general";
}

}  // namespace

std::u16string FormatNumber(double value, std::u16string_view format) {
  if (IsGeneral(format)) return FormatGeneralNumber(value);
  int decimals = 0;
  int blanks = 0;
  bool afterPoint = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    if (c == u';') break;  // the sections for negatives and zero are not kept
    if (c == u'_') {
      ++blanks;
      ++i;  // the character whose width the blank takes
    } else if (c == u'.') {
      afterPoint = true;
    } else if (afterPoint && (c == u'0' || c == u'#')) {
      ++decimals;
    }
  }
  if (!std::isfinite(value)) return u"#NUM!";
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::u16string text = Utf16FromAscii(buffer);
  if (text.find_first_not_of(u"-0.") == std::u16string::npos && text[0] == u'-') text.erase(0, 1);
  return text + std::u16string(static_cast<std::size_t>(blanks), u' ');
}
