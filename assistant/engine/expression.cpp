#include "assistant/engine/expression.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

#include "base/format_text.h"

namespace {

constexpr int kMaxNesting = 200;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Recursive descent over the expression text. The first error ends the
// evaluation; its text is kept.
class CExpressionParser {
 public:
  explicit CExpressionParser(std::string_view text) : m_text(text) {}

  std::optional<double> Evaluate() {
    std::optional<double> value = ParseSum();
    if (!value) return std::nullopt;
    SkipBlanks();
    if (m_pos < m_text.size())
      return Fail(FormatText("Unexpected '%c' at position %d", m_text[m_pos], static_cast<int>(m_pos + 1)));
    return value;
  }

  const std::string& Error() const { return m_error; }

 private:
  std::optional<double> ParseSum() {
    std::optional<double> left = ParseProduct();
    while (left) {
      char op = Peek();
      if (op != '+' && op != '-') break;
      ++m_pos;
      std::optional<double> right = ParseProduct();
      if (!right) return std::nullopt;
      left = Checked(op == '+' ? *left + *right : *left - *right);
    }
    return left;
  }

  std::optional<double> ParseProduct() {
    std::optional<double> left = ParseSigned();
    while (left) {
      char op = Peek();
      if (op != '*' && op != '/') break;
      ++m_pos;
      std::optional<double> right = ParseSigned();
      if (!right) return std::nullopt;
      if (op == '/' && *right == 0.0) return Fail("Division by zero");
      left = Checked(op == '*' ? *left * *right : *left / *right);
    }
    return left;
  }

  std::optional<double> ParseSigned() {
    char sign = Peek();
    if (sign != '-' && sign != '+') return ParsePower();
    ++m_pos;
    NestingGuard guard(*this);
    if (!guard) return std::nullopt;
    std::optional<double> operand = ParseSigned();
    if (!operand) return std::nullopt;
    return sign == '-' ? -*operand : *operand;
  }

  std::optional<double> ParsePower() {
    std::optional<double> base = ParsePrimary();
    if (!base || Peek() != '^') return base;
    ++m_pos;
    NestingGuard guard(*this);
    if (!guard) return std::nullopt;
    std::optional<double> exponent = ParseSigned();
    if (!exponent) return std::nullopt;
    if (*base == 0.0 && *exponent < 0) return Fail("Division by zero");
    return Checked(std::pow(*base, *exponent));
  }

  std::optional<double> ParsePrimary() {
    char c = Peek();
    if (IsDigit(c) || c == '.') return ParseNumberLiteral();
    if (c == '(') {
      ++m_pos;
      return ParseParenthesised();
    }
    if (IsLetter(c)) return ParseFunction();
    if (c == '\0') return Fail("Unexpected end of expression");
    return Fail(FormatText("Unexpected '%c' at position %d", c, static_cast<int>(m_pos + 1)));
  }

  // After the "(": the inner expression and its ")".
  std::optional<double> ParseParenthesised() {
    NestingGuard guard(*this);
    if (!guard) return std::nullopt;
    std::optional<double> value = ParseSum();
    if (!value) return std::nullopt;
    if (Peek() != ')') return Fail("Missing ')'");
    ++m_pos;
    return value;
  }

  std::optional<double> ParseNumberLiteral() {
    size_t start = m_pos;
    while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '.') ++m_pos;
    while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
    size_t mantissaEnd = m_pos;
    if (m_pos < m_text.size() && ToUpper(m_text[m_pos]) == 'E') {
      size_t exponent = m_pos + 1;
      if (exponent < m_text.size() && (m_text[exponent] == '+' || m_text[exponent] == '-')) ++exponent;
      if (exponent < m_text.size() && IsDigit(m_text[exponent])) {
        m_pos = exponent;
        while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
      }
    }
    std::string literal(m_text.substr(start, m_pos - start));
    if (mantissaEnd == start + 1 && m_text[start] == '.') return Fail("Number expected after '.'");
    double value = 0.0;
    std::from_chars_result read =
        std::from_chars(literal.data(), literal.data() + literal.size(), value, std::chars_format::general);
    if (read.ec != std::errc()) return Fail("Number out of range");
    return Checked(value);
  }

  std::optional<double> ParseFunction() {
    size_t start = m_pos;
    while (m_pos < m_text.size() && IsLetter(m_text[m_pos])) ++m_pos;
    std::string name;
    for (char c : m_text.substr(start, m_pos - start)) name.push_back(ToUpper(c));
    if (Peek() != '(') return Fail(FormatText("Unknown name '%.40s'", name.c_str()));
    ++m_pos;
    std::optional<double> argument = ParseParenthesised();
    if (!argument) return std::nullopt;
    return ApplyFunction(name, *argument);
  }

  std::optional<double> ApplyFunction(const std::string& name, double x) {
    if (name == "SIN") return Checked(std::sin(x * kRadiansPerDegree));
    if (name == "COS") return Checked(std::cos(x * kRadiansPerDegree));
    if (name == "TAN") {
      if (std::fabs(std::cos(x * kRadiansPerDegree)) < 1e-12) return Fail("TAN of an odd multiple of 90");
      return Checked(std::tan(x * kRadiansPerDegree));
    }
    if (name == "ASIN" || name == "ACOS") {
      if (x < -1.0 || x > 1.0) return Fail(FormatText("%s argument outside -1 to 1", name.c_str()));
      return Checked((name == "ASIN" ? std::asin(x) : std::acos(x)) / kRadiansPerDegree);
    }
    if (name == "ATAN") return Checked(std::atan(x) / kRadiansPerDegree);
    return Fail(FormatText("Unknown function '%.40s'", name.c_str()));
  }

  // Counts the depth of parentheses and signs so that a hostile formula
  // cannot exhaust the stack.
  class NestingGuard {
   public:
    explicit NestingGuard(CExpressionParser& parser) : m_parser(parser) {
      m_ok = ++m_parser.m_depth <= kMaxNesting;
      if (!m_ok) m_parser.Fail("Expression nested too deeply");
    }
    ~NestingGuard() { --m_parser.m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
    explicit operator bool() const { return m_ok; }

   private:
    CExpressionParser& m_parser;
    bool m_ok;
  };

  std::optional<double> Checked(double value) {
    if (!std::isfinite(value)) return Fail("Result out of range");
    return value;
  }

  std::nullopt_t Fail(const std::string& error) {
    if (m_error.empty()) m_error = error;
    return std::nullopt;
  }

  void SkipBlanks() {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) ++m_pos;
  }

  char Peek() {
    SkipBlanks();
    return m_pos < m_text.size() ? m_text[m_pos] : '\0';
  }

  std::string_view m_text;
  size_t m_pos = 0;
  int m_depth = 0;
  std::string m_error;
};

// Plain decimal text with 17 significant digits, which reads back to the
// same double; empty when the text would not fit its slot.
std::string FormatPlainDecimal(double value) {
  int magnitude = value == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
  int decimals = std::clamp(16 - magnitude, 0, 60);
  char buffer[kMaxExpressionTextBytes + 1];
  int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  if (length < 0 || static_cast<size_t>(length) > kMaxExpressionTextBytes) return {};
  return std::string(buffer, static_cast<size_t>(length));
}

}  // namespace

bool EvaluateExpression(std::string_view expression, std::string& resultText, std::string& errorText) {
  CExpressionParser parser(expression);
  std::optional<double> value = parser.Evaluate();
  std::string text = value ? FormatPlainDecimal(*value) : std::string();
  if (text.empty()) {
    errorText = value ? std::string("Result out of range") : parser.Error();
    if (errorText.size() > kMaxExpressionTextBytes) errorText.resize(kMaxExpressionTextBytes);
    return false;
  }
  resultText = text;
  return true;
}
