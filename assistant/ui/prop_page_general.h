#pragma once

// The general page of the settings sheet (template 107): density, factor,
// case sensitivity, the material library file in use and the language. A thin view
// over the rules of general_page_rules.h; F1 opens the settings help.

#include "assistant/ui/general_page_rules.h"
#include "winfx/controls/combo_box.h"
#include "winfx/property_sheet.h"

class CPropPageGenreral : public winfx::CPropertyPage {
 public:
  CPropPageGenreral();

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnKillActive() override;
  void OnApply() override;

 private:
  void SetLabelTexts() const;
  void ShowFields(const GeneralPageFields& fields) const;
  void ShowLibraryPath() const;
  GeneralPageFields ReadFields() const;
  // Opens the user's copy of the material library (made from the installed
  // one the first time) in the program associated with it, or in Notepad.
  // The main window reads it again when it is next activated.
  void EditLibrary() const;

  winfx::CComboBox m_language;
};
