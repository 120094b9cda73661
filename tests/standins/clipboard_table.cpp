#include "tests/standins/clipboard_table.h"

std::u16string TableText(const TextTable& table) {
  std::u16string text;
  for (const auto& row : table) {
    for (std::size_t i = 0; i < row.size(); ++i) text += (i ? u"\t" : u"") + row[i];
    text += u"\r\n";
  }
  return text;
}

TextTable ParseTableText(std::u16string_view text) {
  TextTable table;
  std::vector<std::u16string> row{u""};
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\t') {
      row.emplace_back();
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      table.push_back(std::move(row));
      row = {u""};
    } else {
      row.back() += c;
    }
  }
  if (row.size() > 1 || !row.front().empty()) table.push_back(std::move(row));
  return table;
}
