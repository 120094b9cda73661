#pragma once

// The port under ExcelDispatch: an automation object invoked by dispatch id
// with variant arguments. Adapters: COM IDispatch (Windows) and the in-memory
// workbook model.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

class AutomationObject;
using AutomationObjectPtr = std::shared_ptr<AutomationObject>;

// The omitted optional argument (an error variant holding
// DISP_E_PARAMNOTFOUND in COM).
struct AutomationMissing {
  bool operator==(const AutomationMissing&) const = default;
};

// Empty, 32-bit integer, double, boolean, UTF-16 text, object (possibly
// null: "Nothing") or the omitted argument.
using AutomationValue = std::variant<std::monostate, std::int32_t, double, bool, std::u16string,
                                     AutomationObjectPtr, AutomationMissing>;

enum class InvokeKind { kGet, kPut, kMethod };

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;

  // Arguments in the order the member declares them (for a put, the value
  // last). Throws CAutomationError when the object refuses the call.
  virtual AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) = 0;

  // The dispatch id of a member named at run time; none when unknown.
  virtual std::optional<int> DispatchIdOfName(std::u16string_view name) = 0;
};

// Readers of a result; a value of another type raises a type-mismatch
// CAutomationError, as a variant coercion would.
std::int32_t AutomationInt(const AutomationValue& value);
double AutomationDouble(const AutomationValue& value);
bool AutomationBool(const AutomationValue& value);
// Numbers print as a spreadsheet's general format would; empty reads as "".
std::u16string AutomationText(const AutomationValue& value);
// A number as the general format shows it: up to ten significant digits,
// no trailing zeros.
std::u16string FormatGeneralNumber(double value);
AutomationObjectPtr AutomationObjectOf(const AutomationValue& value);
bool IsEmptyValue(const AutomationValue& value);
