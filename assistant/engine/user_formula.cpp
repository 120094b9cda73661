#include "assistant/engine/user_formula.h"

#include <vector>

#include "assistant/engine/expression.h"
#include "assistant/engine/material_library.h"
#include "assistant/texts/text_tables.h"
#include "base/format_text.h"
#include "base/text_helpers.h"

namespace {

constexpr int kMsgExpressionMismatch = 23;

// Substitution inserts values that later names may match again; a formula
// whose text would grow past this is refused instead of eating memory.
constexpr size_t kMaxSubstitutedBytes = 64 * 1024;

bool IsSeparator(char c) { return kDimensionSeparators.find(c) != std::string_view::npos; }

// Replaces every occurrence of `name` in `text`, case-sensitively.
bool ReplaceAll(std::string& text, const std::string& name, const std::string& value) {
  if (name.empty()) return true;
  std::string result;
  size_t start = 0;
  for (size_t found; (found = text.find(name, start)) != std::string::npos; start = found + name.size()) {
    result.append(text, start, found - start).append(value);
    if (result.size() > kMaxSubstitutedBytes) return false;
  }
  result.append(text, start);
  text = std::move(result);
  return text.size() <= kMaxSubstitutedBytes;
}

}  // namespace

int CountDimensions(std::string_view text) {
  if (text.empty()) return 0;
  int separators = 0;
  for (char c : text) separators += IsSeparator(c) ? 1 : 0;
  return IsSeparator(text.back()) ? separators : separators + 1;
}

bool EvaluateUserFormula(const MaterialLibrary& library, int formulaIndex, std::string_view spec,
                         double& value, std::string& errorText) {
  const UserFormula& formula = library.formulas.at(static_cast<size_t>(formulaIndex));
  int nameCount = CountDimensions(formula.variables);
  std::string_view dimensions =
      spec.size() > formula.prefix.size() ? spec.substr(formula.prefix.size()) : std::string_view();
  if (CountDimensions(dimensions) != nameCount) {
    errorText = FormatText(UiText(kMsgExpressionMismatch), formula.prefix.c_str());
    return false;
  }

  std::vector<std::string> names(static_cast<size_t>(nameCount));
  std::vector<std::string> values(static_cast<size_t>(nameCount));
  if (SplitFields(formula.variables, kDimensionSeparators, names) != nameCount ||
      SplitFields(dimensions, kDimensionSeparators, values) != nameCount) {
    return false;
  }

  std::string expression = formula.formula;
  for (int j = 0; j < nameCount; ++j) {
    if (!ReplaceAll(expression, names[static_cast<size_t>(j)], values[static_cast<size_t>(j)])) {
      return false;
    }
  }

  std::string resultText;
  if (!EvaluateExpression(expression, resultText, errorText)) return false;
  value = ParseNumber(resultText);
  return true;
}
