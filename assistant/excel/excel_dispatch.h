#pragma once

// One spreadsheet object with one typed call per member the assistant uses.
// A call that the spreadsheet refuses throws CAutomationError; so does a call
// on an empty wrapper.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "assistant/excel/automation_object.h"
#include "assistant/excel/dispatch_ids.h"

inline constexpr std::size_t kMaxRangeAddress = 255;

class ExcelDispatch {
 public:
  ExcelDispatch() = default;
  explicit ExcelDispatch(AutomationObjectPtr object) : m_object(std::move(object)) {}

  // Takes over the object (its one reference), releasing the one held.
  void Attach(AutomationObjectPtr object) { m_object = std::move(object); }
  void Release() { m_object.reset(); }
  bool IsEmpty() const { return m_object == nullptr; }
  const AutomationObjectPtr& Object() const { return m_object; }

  // Application
  ExcelDispatch Workbooks() const { return GetChild(dispid::kWorkbooks); }
  ExcelDispatch Sheets() const { return GetChild(dispid::kSheets); }
  ExcelDispatch Windows() const { return GetChild(dispid::kWindows); }
  ExcelDispatch ActiveWindow() const { return GetChild(dispid::kActiveWindow); }
  ExcelDispatch ActiveSheet() const { return GetChild(dispid::kActiveSheet); }
  ExcelDispatch ActiveCell() const { return GetChild(dispid::kActiveCell); }
  // Application and Window; a window's caption is a variant read as text.
  std::u16string Caption() const { return AutomationText(Get(dispid::kCaption)); }
  void SetVisible(bool visible) const { Put(dispid::kVisible, visible); }
  void SetUserControl(bool userControl) const { Put(dispid::kUserControl, userControl); }

  // Workbooks: a new workbook, empty or from a template file.
  ExcelDispatch Add() const;
  ExcelDispatch Add(const std::u16string& templatePath) const;
  ExcelDispatch Open(const std::u16string& path) const;
  // Workbook: the file name and the access mode (the 7th argument); the
  // other nine are omitted.
  void SaveAs(const std::u16string& fileName, std::int32_t accessMode) const;

  // Windows, Sheets, Range
  std::int32_t Count() const { return AutomationInt(Get(dispid::kCount)); }
  ExcelDispatch Item(std::int32_t index) const;
  // Range: the cell at (row, column) relative to the range's first cell.
  ExcelDispatch Item(std::int32_t row, std::int32_t column) const;
  // Columns: column `column`, the second argument omitted.
  ExcelDispatch ColumnItem(std::int32_t column) const;

  // Worksheet
  std::u16string Name() const { return AutomationText(Get(dispid::kName)); }
  std::int32_t Index() const { return AutomationInt(Get(dispid::kIndex)); }
  ExcelDispatch Cells() const { return GetChild(dispid::kCells); }
  ExcelDispatch Columns() const { return GetChild(dispid::kColumns); }
  ExcelDispatch UsedRange() const { return GetChild(dispid::kUsedRange); }

  // Range
  std::int32_t Row() const { return AutomationInt(Get(dispid::kRow)); }
  // Every area of the range, absolute: "$B$5:$B$204,$D$3".
  std::u16string Address() const { return AutomationText(Get(dispid::kAddress)); }
  std::int32_t Column() const { return AutomationInt(Get(dispid::kColumn)); }
  ExcelDispatch Rows() const { return GetChild(dispid::kRows); }
  ExcelDispatch Resize(std::int32_t rows, std::int32_t columns) const;
  // Worksheet or Range: the block or blocks of `address` ("B5:B7,B9"),
  // relative to the range's first cell. The spreadsheet refuses an address
  // longer than kMaxRangeAddress characters.
  ExcelDispatch Range(const std::u16string& address) const;
  ExcelDispatch Worksheet() const { return GetChild(dispid::kWorksheet); }
  ExcelDispatch MergeArea() const { return GetChild(dispid::kMergeArea); }
  std::u16string Text() const { return AutomationText(Get(dispid::kText)); }
  AutomationValue Value() const { return Get(dispid::kValue); }
  void SetValue(const AutomationValue& value) const { Put(dispid::kValue, value); }
  std::u16string Formula() const { return AutomationText(Get(dispid::kFormula)); }
  void SetFormula(const std::u16string& formula) const { Put(dispid::kFormula, formula); }
  // A block's values or formulas in one call each, as an array of its rows
  // and columns (a single cell reads as a block of one).
  AutomationArray ValueArray() const { return AutomationArrayOf(Get(dispid::kValue)); }
  void SetFormulaArray(AutomationArray formulas) const {
    Put(dispid::kFormula, MakeAutomationArray(std::move(formulas)));
  }
  std::u16string NumberFormatLocal() const { return AutomationText(Get(dispid::kNumberFormatLocal)); }
  void SetNumberFormatLocal(const std::u16string& format) const { Put(dispid::kNumberFormatLocal, format); }
  double ColumnWidth() const { return AutomationDouble(Get(dispid::kColumnWidth)); }
  void SetColumnWidth(std::int32_t width) const { Put(dispid::kColumnWidth, width); }
  std::int32_t HorizontalAlignment() const { return AutomationInt(Get(dispid::kHorizontalAlignment)); }
  void SetHorizontalAlignment(std::int32_t alignment) const { Put(dispid::kHorizontalAlignment, alignment); }
  std::int32_t VerticalAlignment() const { return AutomationInt(Get(dispid::kVerticalAlignment)); }
  void SetVerticalAlignment(std::int32_t alignment) const { Put(dispid::kVerticalAlignment, alignment); }
  void Merge(bool across) const;
  void Select() const;
  ExcelDispatch Font() const { return GetChild(dispid::kFont); }

  // Font
  std::int32_t Color() const { return AutomationInt(Get(dispid::kColor)); }
  void SetColor(std::int32_t color) const { Put(dispid::kColor, color); }

  // A member named at run time ("Creator", "Application"), read as get.
  AutomationValue GetByName(std::u16string_view name) const;

  // The general calls under the typed ones.
  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) const;
  AutomationValue Get(int dispatchId) const { return Invoke(dispatchId, InvokeKind::kGet, {}); }
  void Put(int dispatchId, const AutomationValue& value) const;
  ExcelDispatch GetChild(int dispatchId) const;

 private:
  AutomationObjectPtr m_object;
};
