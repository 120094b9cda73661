#pragma once

// The settings sheet's frame: the system's property sheet without its Apply
// and Help buttons, with OK and Cancel placed by PlaceOkCancel.

#include <string>

#include "winfx/property_sheet.h"

// The id the system gives the sheet's Apply button.
inline constexpr int kSheetApplyButton = 0x3021;

class CKVPropertySheet : public winfx::CPropertySheet {
 public:
  explicit CKVPropertySheet(std::wstring caption) : CPropertySheet(std::move(caption)) {}

 protected:
  void OnInitSheet() override;
};
