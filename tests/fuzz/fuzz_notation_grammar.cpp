// The specification notation and the user formulas, with inputs built from
// their grammar (fuzz_grammar.h): an expression evaluates to the value of
// its tree or fails where the tree says it must; a user formula of the
// library weighs what its expression gives for the specification's
// dimensions; a well-formed built-in shape computes, and the same shape
// written another way (separator, letter case, a taper for its mean)
// weighs the same.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "assistant/engine/expression.h"
#include "assistant/engine/material_library.h"
#include "assistant/engine/unit_weight.h"
#include "assistant/texts/text_tables.h"
#include "base/format_text.h"
#include "base/status.h"
#include "base/text_helpers.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_grammar.h"

namespace {

constexpr float kFactor = 1.0f;
constexpr float kDensity = 7850.0f;

// Below this size the evaluator's 17 significant digits no longer all fit
// its 60 decimals.
constexpr double kSmallestExact = 1e-40;

bool SameResult(double got, double expected) {
  if (std::fabs(expected) < kSmallestExact) return std::fabs(got - expected) <= 1e-60;
  return got == expected;
}

void CheckExpression(const BuiltExpression& built) {
  std::string result, error;
  const bool ok = EvaluateExpression(built.text, result, error);
  FailIf(!ok && error.empty(), "a failure without an error text");
  if (built.uncertain) return;
  FailIf(ok == built.mustFail, "the expression computes exactly when its tree has a value");
  FailIf(ok && !SameResult(ParseNumber(result), built.value),
         "the expression's value differs from its tree's");
}

struct Weighed {
  int status = ST_FAIL;
  double weight = 0;
};

Weighed Weigh(const MaterialLibrary& library, std::string spec, int lookupMode = kLookupIgnoreCase) {
  Weighed weighed;
  weighed.status = ComputeUnitWeight(library, spec, weighed.weight, lookupMode, kFactor, kDensity);
  FailIf(weighed.status == ST_OK && !(std::isfinite(weighed.weight) && weighed.weight > 0),
         "a computed weight that is not a positive finite number");
  return weighed;
}

bool SameWeighing(const Weighed& a, const Weighed& b) {
  return a.status == b.status && (a.status != ST_OK || a.weight == b.weight);
}

// A user formula over one to four dimensions, and a specification for it.
void CheckUserFormula(CChoices& choices) {
  static const char* const kNames[] = {"B", "H", "L", "R", "W", "K", "M", "P"};
  static const char* const kPrefixes[] = {"GX", "FG", "ZZ", "QJ", "GXB", "U", "Y", "[["};
  std::vector<Dimension> dimensions;
  const unsigned count = 1 + choices.Pick(4);
  const unsigned first = choices.Pick(8);
  for (unsigned i = 0; i < count; ++i) dimensions.push_back(BuildDimension(choices, kNames[(first + i) % 8]));
  const BuiltExpression formula = BuildExpression(choices, ExpressionStyle{false, &dimensions});
  const std::string prefix = kPrefixes[choices.Pick(8)];

  std::string variables, values;
  for (size_t i = 0; i < dimensions.size(); ++i) {
    const char separator = PickSeparator(choices);
    variables += (i ? std::string(1, separator) : std::string()) + dimensions[i].name;
    values += (i ? std::string(1, PickSeparator(choices)) : std::string()) + dimensions[i].valueText;
  }
  MaterialLibrary library;
  const std::string text = "[FORMULA START]\r\n" + prefix + variables + " " + prefix + " " + formula.text +
                           "\r\n[FORMULA END]\r\nL20X3 0.889\r\n";
  if (!ParseMaterialLibrary(library, text, "ZMLib.txt").empty()) {
    FailIf(formula.text.size() <= kMaxFormulaBytes,
           "a user formula that fits its slot is refused");  // a line the library must take
    return;
  }
  const Weighed weighed = Weigh(library, WithRandomCase(choices, prefix) + values);
  // A positive value too small for the evaluator's decimals reads back as 0.
  if (formula.uncertain || (formula.value > 0 && formula.value < kSmallestExact)) return;
  const bool computes = !formula.mustFail && formula.value > 0;
  FailIf((weighed.status == ST_OK) != computes, "a user formula computes exactly when its value is positive");
  FailIf(computes && !SameResult(weighed.weight, formula.value * kFactor),
         "a user formula weighs other than its expression's value");
}

std::string Dimensions(const std::vector<Dimension>& dimensions, CChoices& choices) {
  std::string text;
  for (size_t i = 0; i < dimensions.size(); ++i) {
    text += (i ? std::string(1, PickSeparator(choices)) : std::string()) + dimensions[i].valueText;
  }
  return text;
}

// A built-in shape with positive dimensions that make a section of some
// area: it must compute, and weigh the same written with "*" and in capitals.
void CheckBuiltInShape(CChoices& choices, const MaterialLibrary& library) {
  static const char* const kShapes[] = {"-", "D", "H", "C", "\xA6\xD5"};
  const unsigned shape = choices.Pick(5);
  const unsigned counts[] = {2, 2, 4, 4, 1};
  std::vector<Dimension> d;
  for (unsigned i = 0; i < counts[shape]; ++i) d.push_back(BuildDimension(choices, ""));
  bool hasArea = true;
  switch (shape) {
    case 1:
      hasArea = d[1].value < 0.45 * d[0].value;
      break;
    case 2:  // "H" must be followed by a digit
      hasArea = d[0].valueText.front() != '.' && d[0].value > 2 * d[3].value;
      break;
    case 3:
      hasArea = d[0].value > 2 * d[3].value && d[1].value > d[3].value && d[2].value > d[3].value;
      break;
    default:
      break;
  }
  const std::string letter = WithRandomCase(choices, kShapes[shape]);
  const std::string spec = letter + Dimensions(d, choices);
  const Weighed weighed = Weigh(library, spec);
  FailIf(hasArea && weighed.status != ST_OK, "a well-formed built-in shape does not compute");

  std::string plain = kShapes[shape];
  for (size_t i = 0; i < d.size(); ++i) plain += (i ? "*" : "") + d[i].valueText;
  FailIf(!SameWeighing(weighed, Weigh(library, plain)),
         "a shape weighs differently with other separators or letter case");

  // A taper "a~b" weighs as its mean written with four decimals.
  if (shape == 0) {
    const Dimension other = BuildDimension(choices, "");
    const std::string mean = FormatText("%0.4f", (d[0].value + other.value) * 0.5);
    const std::string tapered = "-" + d[0].valueText + "~" + other.valueText + "*" + d[1].valueText;
    // Both sides of "~" must be digits.
    FailIf(d[0].valueText.back() != '.' && other.valueText.front() != '.' &&
               !SameWeighing(Weigh(library, tapered), Weigh(library, "-" + mean + "*" + d[1].valueText)),
           "a taper weighs other than its mean");
  }
}

// A row of the library written in another letter case is found unless the
// lookup is exact.
void CheckLibraryName(CChoices& choices, const MaterialLibrary& library) {
  const MaterialRow& row = library.rows[choices.Pick(static_cast<unsigned>(library.rows.size()))];
  const std::string spec = WithRandomCase(choices, row.spec);
  const Weighed weighed = Weigh(library, spec);
  FailIf(weighed.status != ST_OK || weighed.weight != static_cast<double>(row.weight) * kFactor,
         "a library row in another letter case is not found");
  const Weighed exact = Weigh(library, spec, kLookupExact);
  FailIf(spec == row.spec && !SameWeighing(exact, weighed), "the exact lookup weighs a row differently");
}

const MaterialLibrary& Library() {
  static const MaterialLibrary library = [] {
    SelectTextTable(437);
    MaterialLibrary built;
    FailIf(!ParseMaterialLibrary(built, "L20X3 0.889\r\nL50X5 3.77\r\nI20A 27.9\r\n[100A 10.007\r\n",
                                 "ZMLib.txt")
                .empty(),
           "the fixed library reads");
    return built;
  }();
  return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MaterialLibrary& library = Library();
  CChoices choices(data, size);
  switch (choices.Pick(4)) {
    case 0:
      CheckExpression(BuildExpression(choices, ExpressionStyle{}));
      break;
    case 1:
      CheckUserFormula(choices);
      break;
    case 2:
      CheckBuiltInShape(choices, library);
      break;
    default:
      CheckLibraryName(choices, library);
      break;
  }
  return 0;
}
