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
#include <vector>

class AutomationObject;
using AutomationObjectPtr = std::shared_ptr<AutomationObject>;
struct AutomationArray;
using AutomationArrayPtr = std::shared_ptr<const AutomationArray>;

// The omitted optional argument (an error variant holding
// DISP_E_PARAMNOTFOUND in COM).
struct AutomationMissing {
  bool operator==(const AutomationMissing&) const = default;
};

// Null (VT_NULL): "no single answer", as the Text of cells that differ.
// Read as a number or text it counts as empty.
struct AutomationNull {
  bool operator==(const AutomationNull&) const = default;
};

// Empty, 32-bit integer, double, boolean, UTF-16 text, object (possibly
// null: "Nothing"), the omitted argument, a block of values (a range's
// Value or Formula of several cells, as a two-dimensional array), or null.
using AutomationValue =
    std::variant<std::monostate, std::int32_t, double, bool, std::u16string, AutomationObjectPtr,
                 AutomationMissing, AutomationArrayPtr, AutomationNull>;

// A block of values, row by row: rows x columns of them.
struct AutomationArray {
  int rows = 0;
  int columns = 0;
  std::vector<AutomationValue> values;

  AutomationArray() = default;
  AutomationArray(int rowCount, int columnCount)
      : rows(rowCount), columns(columnCount), values(static_cast<std::size_t>(rowCount) * columnCount) {}
  // 1-based, as the spreadsheet counts.
  AutomationValue& At(int row, int column) { return values[Index(row, column)]; }
  const AutomationValue& At(int row, int column) const { return values[Index(row, column)]; }

 private:
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row - 1) * columns + static_cast<std::size_t>(column - 1);
  }
};

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
// A block read as an array; a single value is a block of one.
AutomationArray AutomationArrayOf(const AutomationValue& value);
AutomationValue MakeAutomationArray(AutomationArray array);
bool IsEmptyValue(const AutomationValue& value);  // empty, not null
