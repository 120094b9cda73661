#include <cmath>
#include <cstdint>
#include <string>

#include "assistant/engine/expression.h"
#include "base/text_helpers.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string expression(reinterpret_cast<const char*>(data), size);
  std::string result, error;
  bool ok = EvaluateExpression(expression, result, error);
  FailIf(result.size() > kMaxExpressionTextBytes || error.size() > kMaxExpressionTextBytes,
         "a result or error text longer than its slot");
  FailIf(ok && !std::isfinite(ParseNumber(result)), "a result that is not a finite number");
  FailIf(!ok && error.empty(), "a failure without an error text");
  return 0;
}
