#include <cmath>
#include <cstdio>
#include <limits>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/automation_object.h"
#include "base/code_page.h"

namespace {

[[noreturn]] void ThrowTypeMismatch() { throw CAutomationError(u"Type mismatch"); }

bool IsEmptyOrNull(const AutomationValue& value) {
  return std::holds_alternative<std::monostate>(value) || std::holds_alternative<AutomationNull>(value);
}

}  // namespace

std::int32_t AutomationInt(const AutomationValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? -1 : 0;
  if (IsEmptyOrNull(value)) return 0;
  if (const auto* real = std::get_if<double>(&value)) {
    double rounded = std::nearbyint(*real);
    if (rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max()) {
      return static_cast<std::int32_t>(rounded);
    }
  }
  ThrowTypeMismatch();
}

double AutomationDouble(const AutomationValue& value) {
  if (const auto* real = std::get_if<double>(&value)) return *real;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? -1 : 0;
  if (IsEmptyOrNull(value)) return 0;
  ThrowTypeMismatch();
}

bool AutomationBool(const AutomationValue& value) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  return AutomationDouble(value) != 0;
}

std::u16string FormatGeneralNumber(double value) {
  if (!std::isfinite(value)) return u"#NUM!";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", value == 0 ? 0.0 : value);
  return Utf16FromAscii(buffer);
}

std::u16string AutomationText(const AutomationValue& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return *text;
  if (IsEmptyOrNull(value)) return {};
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? u"TRUE" : u"FALSE";
  if (std::holds_alternative<std::int32_t>(value) || std::holds_alternative<double>(value)) {
    return FormatGeneralNumber(AutomationDouble(value));
  }
  ThrowTypeMismatch();
}

AutomationObjectPtr AutomationObjectOf(const AutomationValue& value) {
  if (const auto* object = std::get_if<AutomationObjectPtr>(&value)) return *object;
  if (std::holds_alternative<std::monostate>(value)) return nullptr;
  ThrowTypeMismatch();
}

AutomationArray AutomationArrayOf(const AutomationValue& value) {
  if (const auto* array = std::get_if<AutomationArrayPtr>(&value)) {
    if (*array) return **array;
    return {};
  }
  AutomationArray single(1, 1);
  single.At(1, 1) = value;
  return single;
}

AutomationValue MakeAutomationArray(AutomationArray array) {
  return std::make_shared<const AutomationArray>(std::move(array));
}

bool IsEmptyValue(const AutomationValue& value) { return std::holds_alternative<std::monostate>(value); }
