#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "assistant/engine/expression.h"
#include "base/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string expression(reinterpret_cast<const char*>(data), size);
  std::string result, error;
  bool ok = EvaluateExpression(expression, result, error);
  if (result.size() > kMaxExpressionTextBytes || error.size() > kMaxExpressionTextBytes) std::abort();
  if (ok && !std::isfinite(ParseNumber(result))) std::abort();
  if (!ok && error.empty()) std::abort();
  return 0;
}
