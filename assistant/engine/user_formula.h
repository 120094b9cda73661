#pragma once

// Binds the dimension values of a specification to the dimension names of a
// user formula and evaluates it.

#include <string>
#include <string_view>

struct MaterialLibrary;

// The dimension separators of every shape: "*", "X" and "x".
inline constexpr std::string_view kDimensionSeparators = "*Xx";

// 0 for an empty text; otherwise the number of separators plus one, or plus
// nothing when the text ends with a separator ("H*B" and "H*B*" count 2).
int CountDimensions(std::string_view text);

// Evaluates formula `formulaIndex` of `library` for `spec` (which begins with
// the formula's prefix). A count mismatch writes message 23 of the active
// language into `errorText`. Returns true when `value` was produced.
bool EvaluateUserFormula(const MaterialLibrary& library, int formulaIndex, std::string_view spec,
                         double& value, std::string& errorText);
