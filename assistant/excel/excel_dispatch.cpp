#include "assistant/excel/excel_dispatch.h"

#include <array>
#include <vector>

#include "assistant/excel/automation_error.h"

namespace {

constexpr int kOpenOptionalArguments = 12;
constexpr int kSaveAsArguments = 11;
constexpr int kSaveAsAccessModeIndex = 6;

}  // namespace

AutomationValue ExcelDispatch::Invoke(int dispatchId, InvokeKind kind,
                                      std::span<const AutomationValue> args) const {
  // A null object would crash the call; refuse it the way the spreadsheet
  // refuses a call, so the command ends with a message.
  if (!m_object) throw CAutomationError(u"The spreadsheet object is not available.");
  return m_object->Invoke(dispatchId, kind, args);
}

void ExcelDispatch::Put(int dispatchId, const AutomationValue& value) const {
  Invoke(dispatchId, InvokeKind::kPut, std::span(&value, 1));
}

ExcelDispatch ExcelDispatch::GetChild(int dispatchId) const {
  return ExcelDispatch(AutomationObjectOf(Get(dispatchId)));
}

ExcelDispatch ExcelDispatch::Add() const {
  std::array<AutomationValue, 1> args = {AutomationMissing{}};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kAdd, InvokeKind::kMethod, args)));
}

ExcelDispatch ExcelDispatch::Add(const std::u16string& templatePath) const {
  std::array<AutomationValue, 1> args = {templatePath};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kAdd, InvokeKind::kMethod, args)));
}

ExcelDispatch ExcelDispatch::Open(const std::u16string& path) const {
  std::vector<AutomationValue> args(1 + kOpenOptionalArguments, AutomationMissing{});
  args[0] = path;
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kOpen, InvokeKind::kMethod, args)));
}

void ExcelDispatch::SaveAs(const std::u16string& fileName, std::int32_t accessMode) const {
  std::vector<AutomationValue> args(kSaveAsArguments, AutomationMissing{});
  args[0] = fileName;
  args[kSaveAsAccessModeIndex] = accessMode;
  Invoke(dispid::kSaveAs, InvokeKind::kMethod, args);
}

ExcelDispatch ExcelDispatch::Item(std::int32_t index) const {
  std::array<AutomationValue, 1> args = {index};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kItem, InvokeKind::kGet, args)));
}

ExcelDispatch ExcelDispatch::Item(std::int32_t row, std::int32_t column) const {
  std::array<AutomationValue, 2> args = {row, column};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kItem, InvokeKind::kGet, args)));
}

ExcelDispatch ExcelDispatch::ColumnItem(std::int32_t column) const {
  std::array<AutomationValue, 2> args = {column, AutomationMissing{}};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kItem, InvokeKind::kGet, args)));
}

ExcelDispatch ExcelDispatch::Resize(std::int32_t rows, std::int32_t columns) const {
  std::array<AutomationValue, 2> args = {rows, columns};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kResize, InvokeKind::kGet, args)));
}

ExcelDispatch ExcelDispatch::Range(const std::u16string& address) const {
  std::array<AutomationValue, 1> args = {address};
  return ExcelDispatch(AutomationObjectOf(Invoke(dispid::kRange, InvokeKind::kGet, args)));
}

void ExcelDispatch::Merge(bool across) const {
  std::array<AutomationValue, 1> args = {across};
  Invoke(dispid::kMerge, InvokeKind::kMethod, args);
}

void ExcelDispatch::Select() const { Invoke(dispid::kSelect, InvokeKind::kMethod, {}); }

AutomationValue ExcelDispatch::GetByName(std::u16string_view name) const {
  if (!m_object) throw CAutomationError(u"The spreadsheet object is not available.");
  std::optional<int> id = m_object->DispatchIdOfName(name);
  if (!id) throw CAutomationError(u"Unknown name.", AutomationFault::kUnknownMember);
  return m_object->Invoke(*id, InvokeKind::kGet, {});
}
