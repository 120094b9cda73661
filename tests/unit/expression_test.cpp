#include "assistant/engine/expression.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/text_helpers.h"

namespace {

// The value as the caller reads it back from the result text.
double Evaluate(const std::string& expression) {
  std::string result, error;
  EXPECT_TRUE(EvaluateExpression(expression, result, error)) << expression << ": " << error;
  EXPECT_EQ(result.find_first_of("eE"), std::string::npos) << result;
  return ParseNumber(result);
}

}  // namespace

TEST(EvaluateExpression, ComputesTheFormulaLanguage) {
  struct Case {
    const char* expression;
    double value;
  } cases[] = {
      {"50*40*7850*1E-6", 15.7},
      {"(50*40-(50-2*2)*(40-2*2))*7850*1E-6", 2.7004},
      {"1+2*3", 7},
      {"(1+2)*3", 9},
      {"10-4-3", 3},
      {"24/4/3", 2},
      {"2^3^2", 512},
      {"-2^2", -4},
      {"2^-1", 0.5},
      {"--3", 3},
      {"+3-+2", 1},
      {"1e-6*1E6", 1},
      {"1.5E+2", 150},
      {".5*4", 2},
      {"SIN(30)", 0.5},
      {"COS(60)", 0.5},
      {"TAN(45)", 1},
      {"ASIN(1)", 90},
      {"ACOS(0)", 90},
      {"ATAN(1)", 45},
      {"sin(90)+Cos(0)", 2},
      {" 2 * ( 3 + 4 ) ", 14},
      {"0", 0},
      {"-0.000123", -0.000123},
      {"1E250", 1e250},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(Evaluate(c.expression), c.value, 1e-9 * std::max(1.0, std::fabs(c.value))) << c.expression;
}

TEST(EvaluateExpression, ResultTextReadsBackToTheSameValue) {
  EXPECT_EQ(Evaluate("15.7"), 15.7);
  EXPECT_EQ(Evaluate("1/3"), 1.0 / 3.0);
  EXPECT_EQ(Evaluate("2000*7850/1E-6"), 2000 * 7850 / 1e-6);
}

TEST(EvaluateExpression, RefusesWhatHasNoFiniteValue) {
  const char* bad[] = {
      "",           "1/0",  "1/(2-2)", "0^-1",    "ASIN(2)", "ACOS(-1.5)", "TAN(90)", "(1+2",        "1+2)",
      "1+",         "*2",   "abc",     "SQRT(4)", "SIN 30",  "2(3)",       "1E400",   "1E200*1E200", "1E300",
      "(-8)^(1/3)", "1..2", ".",       "50*abc",  "1,5",     "10^400",
  };
  for (const char* expression : bad) {
    std::string result = "untouched", error;
    EXPECT_FALSE(EvaluateExpression(expression, result, error)) << expression << " gave " << result;
    EXPECT_EQ(result, "untouched");
    EXPECT_FALSE(error.empty()) << expression;
    EXPECT_LE(error.size(), kMaxExpressionTextBytes);
  }
}

TEST(EvaluateExpression, DeepNestingFailsInsteadOfCrashing) {
  std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  std::string result, error;
  EXPECT_FALSE(EvaluateExpression(deep, result, error));
  EXPECT_FALSE(EvaluateExpression(std::string(100000, '-') + "1", result, error));
  EXPECT_FALSE(EvaluateExpression("2" + std::string(50000, '^') + "2", result, error));
  EXPECT_TRUE(EvaluateExpression(std::string(50, '(') + "1" + std::string(50, ')'), result, error));
}
