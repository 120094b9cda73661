#include "tests/standins/workbook/formula_references.h"

#include <string>

#include "assistant/config/column_reference.h"

namespace {

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

struct Reference {
  int row = 0;
  int column = 0;
  bool rowFixed = false;
  bool columnFixed = false;
  std::size_t length = 0;
};

// A reference starting at `pos` ("B5", "$B$5", "b$5"), or none.
std::optional<Reference> ReferenceAt(std::u16string_view text, std::size_t pos) {
  Reference reference;
  std::size_t at = pos;
  if (at < text.size() && text[at] == u'$') reference.columnFixed = true, ++at;
  std::string letters;
  while (at < text.size() && IsLetter(text[at]) && letters.size() < 3)
    letters += static_cast<char>(text[at++]);
  if (at < text.size() && text[at] == u'$') reference.rowFixed = true, ++at;
  std::size_t digits = at;
  long long row = 0;
  while (at < text.size() && IsDigit(text[at]) && at - digits < 8) row = row * 10 + (text[at++] - u'0');
  bool ends = at == text.size() || !(IsLetter(text[at]) || IsDigit(text[at]) || text[at] == u'(');
  reference.column = ColumnNumberFromText(letters);
  if (letters.empty() || at == digits || !ends || reference.column == 0 || row < 1 || row > kSheetRows) {
    return std::nullopt;
  }
  reference.row = static_cast<int>(row);
  reference.length = at - pos;
  return reference;
}

std::u16string ReferenceText(int row, int column, bool rowFixed, bool columnFixed) {
  std::string text =
      (columnFixed ? "$" : "") + ColumnLetters(column) + (rowFixed ? "$" : "") + std::to_string(row);
  return std::u16string(text.begin(), text.end());
}

}  // namespace

std::u16string MoveFormulaReferences(std::u16string_view formula, const ReferenceMove& move) {
  std::u16string moved;
  std::size_t pos = 0;
  while (pos < formula.size()) {
    bool startsName = pos == 0 || !(IsLetter(formula[pos - 1]) || IsDigit(formula[pos - 1]) ||
                                    formula[pos - 1] == u'.' || formula[pos - 1] == u'$');
    std::optional<Reference> reference = startsName ? ReferenceAt(formula, pos) : std::nullopt;
    if (!reference) {
      moved += formula[pos++];
      continue;
    }
    auto target = move(reference->row, reference->column, reference->rowFixed, reference->columnFixed);
    moved += target
                 ? ReferenceText(target->first, target->second, reference->rowFixed, reference->columnFixed)
                 : u"#REF!";
    pos += reference->length;
  }
  return moved;
}

std::u16string OffsetFormula(std::u16string_view formula, int rows, int columns) {
  return MoveFormulaReferences(
      formula,
      [rows, columns](int row, int column, bool rowFixed,
                      bool columnFixed) -> std::optional<std::pair<int, int>> {
        int newRow = rowFixed ? row : row + rows;
        int newColumn = columnFixed ? column : column + columns;
        if (newRow < 1 || newRow > kSheetRows || newColumn < 1 || newColumn > kMaxColumnNumber)
          return std::nullopt;
        return std::pair{newRow, newColumn};
      });
}
