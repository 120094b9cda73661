#pragma once

// The BOM style page of the settings sheet (template 144): the style box,
// the head rows and column fields of the shown style, and its template
// file. A thin view over CBomStyleEditor.

#include "assistant/ui/bom_style_editor.h"
#include "winfx/controls/combo_box.h"
#include "winfx/property_sheet.h"

struct ExcelLink;

class CPropPageBomStyle : public winfx::CPropertyPage {
 public:
  // The page starts on `startStyle` (1 for any index but 0); its template
  // Edit button reaches the spreadsheet through the ports of `link`.
  CPropPageBomStyle(int startStyle, ExcelLink& link);

  // The style the fields show; -1 while the page was never shown.
  int ShownStyle() const { return m_editor.ShownStyle(); }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnKillActive() override;
  void OnApply() override;

 private:
  void SetLabelTexts() const;
  void ShowFields(const BomStyleFields& fields) const;
  BomStyleFields ReadFields() const;
  // Message 69 quoting the fault, then the faulty field selected.
  void ReportFault(const BomStyleFault& fault) const;
  void SwitchStyle();
  void EditTemplate() const;

  CBomStyleEditor m_editor;
  int m_startStyle;
  ExcelLink& m_link;
  winfx::CComboBox m_styles;
};
