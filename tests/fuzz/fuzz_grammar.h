#pragma once

// Inputs of the specification notation and the user formulas built from the
// grammar, with the fuzzer's bytes read as a stream of choices: numbers in
// their written forms, the operators with their precedence, the functions,
// the built-in shapes and library-like names. Each built expression carries
// the value its tree has, worked out here, so that the evaluator can be held
// to it; deep paths are reached that random bytes seldom find.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CChoices {
 public:
  CChoices(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  // A number in 0 … count-1; 0 once the bytes run out.
  unsigned Pick(unsigned count);
  bool Chance(unsigned outOf) { return Pick(outOf) == 0; }
  bool Exhausted() const { return m_size == 0; }

 private:
  const uint8_t* m_data;
  size_t m_size;
};

// A dimension name of a user formula and the value the specification gives it.
struct Dimension {
  std::string name;
  std::string valueText;
  double value = 0;
};

struct BuiltExpression {
  std::string text;
  double value = 0;
  // The evaluator must refuse it: a division by zero, a function argument
  // outside its range, a result that is not a finite number.
  bool mustFail = false;
  // The tree met an edge where either answer is fair (an intermediate value
  // that is not finite, a tangent of nearly 90°, a result too long to write):
  // only the absence of faults is checked.
  bool uncertain = false;
};

struct ExpressionStyle {
  bool blanks = true;  // blanks between tokens (not in a library line)
  const std::vector<Dimension>* dimensions = nullptr;
};

BuiltExpression BuildExpression(CChoices& choices, const ExpressionStyle& style);

// A positive dimension as a specification writes it, "120", "6.5", ".5".
Dimension BuildDimension(CChoices& choices, std::string name);

// One of the separators "*", "X", "x".
char PickSeparator(CChoices& choices);

// Random case for the ASCII letters of `text`.
std::string WithRandomCase(CChoices& choices, std::string_view text);
