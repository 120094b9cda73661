#include "tests/standins/workbook/sheet_formula.h"

#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxRow = 65536;
constexpr int kMaxColumn = 256;

class CFormulaParser {
 public:
  CFormulaParser(std::u16string_view text, const CellReader& readCell) : m_text(text), m_readCell(readCell) {}

  FormulaResult Run() {
    FormulaResult result = Sum();
    SkipBlanks();
    if (m_pos != m_text.size()) SyntaxError(result);
    return result;
  }

  // A part that does not read as the formula language, wherever it stands.
  bool HadSyntaxError() const { return m_syntaxError; }

 private:
  void SyntaxError(FormulaResult& result) {
    m_syntaxError = true;
    if (result.error.empty()) result.error = u"#NAME?";
  }

  void SkipBlanks() {
    while (m_pos < m_text.size() && m_text[m_pos] == u' ') ++m_pos;
  }

  bool Take(char16_t c) {
    SkipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
      ++m_pos;
      return true;
    }
    return false;
  }

  FormulaResult Sum() {
    FormulaResult left = Product();
    for (;;) {
      bool plus = Take(u'+');
      if (!plus && !Take(u'-')) return left;
      FormulaResult right = Product();
      if (!left.error.empty()) continue;
      if (!right.error.empty()) left.error = right.error;
      left.value = plus ? left.value + right.value : left.value - right.value;
    }
  }

  FormulaResult Product() {
    FormulaResult left = Unary();
    for (;;) {
      bool times = Take(u'*');
      if (!times && !Take(u'/')) return left;
      FormulaResult right = Unary();
      if (!left.error.empty()) continue;
      if (!right.error.empty()) {
        left.error = right.error;
      } else if (times) {
        left.value *= right.value;
      } else if (right.value == 0) {
        left.error = u"#DIV/0!";
      } else {
        left.value /= right.value;
      }
    }
  }

  FormulaResult Unary() {
    if (Take(u'-')) {
      FormulaResult inner = Unary();
      inner.value = -inner.value;
      return inner;
    }
    if (Take(u'+')) return Unary();
    return Primary();
  }

  FormulaResult Primary() {
    SkipBlanks();
    if (Take(u'(')) {
      FormulaResult inner = Sum();
      if (!Take(u')')) SyntaxError(inner);
      return inner;
    }
    if (m_pos < m_text.size() && (IsDigit(m_text[m_pos]) || m_text[m_pos] == u'.')) return Number();
    return Reference();
  }

  static bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
  static bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

  FormulaResult Number() {
    std::string digits;
    while (m_pos < m_text.size() && (IsDigit(m_text[m_pos]) || m_text[m_pos] == u'.')) {
      digits += static_cast<char>(m_text[m_pos++]);
    }
    char* end = nullptr;
    FormulaResult result;
    result.value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) SyntaxError(result);
    return result;
  }

  FormulaResult Reference() {
    Take(u'$');
    int column = 0;
    int letters = 0;
    while (m_pos < m_text.size() && IsLetter(m_text[m_pos]) && letters < 4) {
      column = column * 26 + ((m_text[m_pos++] | 0x20) - u'a' + 1);
      ++letters;
    }
    if (m_pos < m_text.size() && m_text[m_pos] == u'$') ++m_pos;
    long row = 0;
    int digits = 0;
    while (m_pos < m_text.size() && IsDigit(m_text[m_pos]) && digits < 8) {
      row = row * 10 + (m_text[m_pos++] - u'0');
      ++digits;
    }
    FormulaResult result;
    if (letters == 0 || digits == 0 ||
        (m_pos < m_text.size() && (IsLetter(m_text[m_pos]) || IsDigit(m_text[m_pos])))) {
      SyntaxError(result);
    } else if (column > kMaxColumn || row < 1 || row > kMaxRow) {
      result.error = u"#REF!";
    } else {
      result = m_readCell(static_cast<int>(row), column);
    }
    return result;
  }

  std::u16string_view m_text;
  const CellReader& m_readCell;
  std::size_t m_pos = 0;
  bool m_syntaxError = false;
};

}  // namespace

FormulaResult EvaluateSheetFormula(std::u16string_view formula, const CellReader& readCell) {
  if (formula.empty() || formula[0] != u'=') return {0, u"#NAME?"};
  return CFormulaParser(formula.substr(1), readCell).Run();
}

bool IsSheetFormula(std::u16string_view formula) {
  if (formula.empty() || formula[0] != u'=') return false;
  CellReader zero = [](int, int) { return FormulaResult{}; };
  CFormulaParser parser(formula.substr(1), zero);
  parser.Run();
  return !parser.HadSyntaxError();
}
