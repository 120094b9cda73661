#include "tests/standins/workbook/cell_entry.h"

#include <cstdlib>
#include <optional>

#include "assistant/excel/automation_error.h"
#include "tests/standins/workbook/sheet_formula.h"

namespace {

// A text that reads wholly as a number (blanks around it allowed).
std::optional<double> NumberFromInput(const std::u16string& text) {
  std::string narrow;
  for (char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    narrow += static_cast<char>(c);
  }
  std::size_t start = narrow.find_first_not_of(' ');
  std::size_t end = narrow.find_last_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  narrow = narrow.substr(start, end - start + 1);
  if (narrow.find_first_not_of("+-.0123456789eE") != std::string::npos) return std::nullopt;
  char* stop = nullptr;
  double value = std::strtod(narrow.c_str(), &stop);
  if (stop != narrow.c_str() + narrow.size()) return std::nullopt;
  return value;
}

[[noreturn]] void RefuseFormula() { throw CAutomationError(u"The formula you typed contains an error."); }

}  // namespace

CellEntry ParseCellEntry(const std::u16string& text) {
  CellEntry entry;
  if (text.empty()) return entry;
  if (text[0] == u'\'') {
    entry.value = text.substr(1);
    entry.quotePrefix = true;
    return entry;
  }
  if (text[0] == u'=') {
    if (!IsSheetFormula(text)) RefuseFormula();
    entry.formula = text;
    return entry;
  }
  if (std::optional<double> number = NumberFromInput(text)) {
    entry.value = *number;
    return entry;
  }
  // A lone sign is kept as text, as the spreadsheet keeps a "-" placeholder.
  if ((text[0] == u'+' || text[0] == u'-') && text.size() > 1) {
    std::u16string formula = u"=" + text;
    if (!IsSheetFormula(formula)) RefuseFormula();
    entry.formula = formula;
    return entry;
  }
  entry.value = text;
  return entry;
}
