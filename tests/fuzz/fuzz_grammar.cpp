#include "tests/fuzz/fuzz_grammar.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMaxDepth = 6;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// Results at least this large do not fit the evaluator's text slot.
constexpr double kTooLongToWrite = 1e200;

// Precedence levels of the grammar, loosest first.
enum Level { kSum, kProduct, kSigned, kPower, kPrimary };

struct Node {
  std::string text;
  Level level = kPrimary;
  double value = 0;
  bool mustFail = false;
  bool uncertain = false;
};

class CExpressionBuilder {
 public:
  CExpressionBuilder(CChoices& choices, const ExpressionStyle& style) : m_choices(choices), m_style(style) {}

  Node Build(int depth) {
    if (depth >= kMaxDepth || m_choices.Exhausted()) return Leaf();
    switch (m_choices.Pick(10)) {
      case 0:
      case 1:
        return Binary(depth, m_choices.Chance(2) ? '+' : '-');
      case 2:
      case 3:
        return Binary(depth, m_choices.Chance(2) ? '*' : '/');
      case 4:
        return Unary(depth);
      case 5:
        return Power(depth);
      case 6:
        return Function(depth);
      case 7:
        return Parenthesised(Build(depth + 1));
      default:
        return Leaf();
    }
  }

 private:
  std::string Blank() {
    if (!m_style.blanks || !m_choices.Chance(4)) return {};
    return m_choices.Chance(2) ? " " : "\t";
  }

  static bool Fails(const Node& node) { return node.mustFail; }

  // The flags of the operands pass on to the result.
  static Node Combine(const Node& a, const Node& b, Level level, std::string text, double value) {
    Node node{std::move(text), level, value, a.mustFail || b.mustFail, a.uncertain || b.uncertain};
    Finish(node);
    return node;
  }

  // A value that is not finite fails the evaluation where it arises.
  static void Finish(Node& node) {
    if (!node.mustFail && !std::isfinite(node.value)) node.mustFail = true;
  }

  Node Parenthesised(Node inner) {
    inner.text = "(" + Blank() + inner.text + Blank() + ")";
    inner.level = kPrimary;
    return inner;
  }

  // `node` as an operand that needs at least `level`.
  Node AtLeast(Node node, Level level) { return node.level >= level ? node : Parenthesised(std::move(node)); }

  Node Binary(int depth, char op) {
    const Level level = (op == '+' || op == '-') ? kSum : kProduct;
    const Level rightLevel = level == kSum ? kProduct : kSigned;
    Node left = AtLeast(Build(depth + 1), level);
    Node right = AtLeast(Build(depth + 1), rightLevel);
    double value = 0;
    switch (op) {
      case '+':
        value = left.value + right.value;
        break;
      case '-':
        value = left.value - right.value;
        break;
      case '*':
        value = left.value * right.value;
        break;
      default:
        value = left.value / right.value;
        break;
    }
    Node node = Combine(left, right, level, left.text + Blank() + op + Blank() + right.text, value);
    if (op == '/' && right.value == 0.0 && !Fails(left) && !Fails(right)) node.mustFail = true;
    return node;
  }

  Node Unary(int depth) {
    const char sign = m_choices.Chance(3) ? '+' : '-';
    Node operand = AtLeast(Build(depth + 1), kSigned);
    Node node = operand;
    node.text = sign + Blank() + operand.text;
    node.level = kSigned;
    node.value = sign == '-' ? -operand.value : operand.value;
    return node;
  }

  // Right-associative; the base is a primary, the exponent may carry a sign.
  Node Power(int depth) {
    Node base = AtLeast(Build(depth + 1), kPrimary);
    Node exponent = AtLeast(Build(depth + 1), kSigned);
    Node node = Combine(base, exponent, kPower, base.text + Blank() + "^" + Blank() + exponent.text,
                        std::pow(base.value, exponent.value));
    if (base.value == 0.0 && exponent.value < 0 && !Fails(base) && !Fails(exponent)) node.mustFail = true;
    return node;
  }

  Node Function(int depth) {
    static const char* const kNames[] = {"SIN", "COS", "TAN", "ASIN", "ACOS", "ATAN"};
    const unsigned which = m_choices.Pick(6);
    Node argument = Build(depth + 1);
    const double x = argument.value;
    double value = 0;
    bool outside = false;
    switch (which) {
      case 0:
        value = std::sin(x * kRadiansPerDegree);
        break;
      case 1:
        value = std::cos(x * kRadiansPerDegree);
        break;
      case 2:
        // Near an odd multiple of 90° the evaluator may refuse or answer.
        if (std::fabs(std::cos(x * kRadiansPerDegree)) < 1e-9) argument.uncertain = true;
        value = std::tan(x * kRadiansPerDegree);
        break;
      case 3:
      case 4:
        outside = x < -1.0 || x > 1.0;
        value = which == 3 ? std::asin(x) / kRadiansPerDegree : std::acos(x) / kRadiansPerDegree;
        break;
      default:
        value = std::atan(x) / kRadiansPerDegree;
        break;
    }
    const std::string name = WithRandomCase(m_choices, kNames[which]);
    Node node{name + Blank() + "(" + Blank() + argument.text + Blank() + ")", kPrimary, value,
              argument.mustFail, argument.uncertain};
    if (outside && !node.mustFail) node.mustFail = true;
    Finish(node);
    return node;
  }

  Node Leaf() {
    const std::vector<Dimension>* dimensions = m_style.dimensions;
    if (dimensions && !dimensions->empty() && m_choices.Chance(2)) {
      const Dimension& dimension = (*dimensions)[m_choices.Pick(static_cast<unsigned>(dimensions->size()))];
      return Node{dimension.name, kPrimary, dimension.value};
    }
    return Number();
  }

  // The written forms of a number; its value is what the text denotes.
  Node Number() {
    static const char* const kMantissas[] = {"0",   "1",   "2",  "3",  "7850", "0.5",   ".25", "12.",
                                             "1.5", "100", "45", "90", "180",  "0.001", "6",   "999999"};
    std::string text = kMantissas[m_choices.Pick(16)];
    if (m_choices.Chance(5)) {
      static const char* const kExponents[] = {"E-6", "e3", "E+2", "E0", "e-1", "E12", "E-30", "E30"};
      text += kExponents[m_choices.Pick(8)];
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return Node{text, kPrimary, value};
  }

  CChoices& m_choices;
  const ExpressionStyle& m_style;
};

}  // namespace

unsigned CChoices::Pick(unsigned count) {
  if (m_size == 0 || count <= 1) return 0;
  --m_size;
  return *m_data++ % count;
}

BuiltExpression BuildExpression(CChoices& choices, const ExpressionStyle& style) {
  CExpressionBuilder builder(choices, style);
  const Node node = builder.Build(0);
  BuiltExpression built{node.text, node.value, node.mustFail, node.uncertain};
  if (!built.mustFail && std::fabs(built.value) >= kTooLongToWrite) built.uncertain = true;
  return built;
}

Dimension BuildDimension(CChoices& choices, std::string name) {
  static const char* const kValues[] = {"120", "6.5",  ".5", "3",  "200", "8",   "1000", "0.75",
                                        "60",  "12.5", "2",  "40", "4.",  "300", "10",   "25"};
  Dimension dimension{std::move(name), kValues[choices.Pick(16)]};
  std::from_chars(dimension.valueText.data(), dimension.valueText.data() + dimension.valueText.size(),
                  dimension.value);
  return dimension;
}

char PickSeparator(CChoices& choices) { return "*Xx"[choices.Pick(3)]; }

std::string WithRandomCase(CChoices& choices, std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z' && choices.Chance(2)) c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}
