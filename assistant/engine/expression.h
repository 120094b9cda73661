#pragma once

// The arithmetic of user formulas: numbers (also "1E-6"), + - * / ^ (power),
// unary minus, parentheses and the functions SIN COS TAN ASIN ACOS ATAN with
// angles in degrees. Precedence, lowest first: + -, * /, unary sign, ^ (right
// associative), so -2^2 is -4 and 2^-1 is 0.5.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kMaxExpressionTextBytes = 255;

// Evaluates `expression` and writes its value into `resultText` as plain
// decimal text (no exponent) that ParseNumber reads back. A bad expression,
// a division by zero, an argument outside a function's range or a result that
// is not a finite number writes a description into `errorText` and returns
// false. Neither text ever exceeds kMaxExpressionTextBytes.
bool EvaluateExpression(std::string_view expression, std::string& resultText, std::string& errorText);
