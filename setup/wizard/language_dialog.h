#pragma once

#include "winfx/dialog.h"

// Asks for the language of the setup before anything else is shown; the
// machine's user-interface language is preselected.
class CLanguageDialog : public winfx::CDialog {
 public:
  CLanguageDialog();

  // The chosen language's code page (936, 950 or 437 for English); set when
  // DoModal returned IDOK.
  unsigned codePage = 437;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  void OnOK() override;
};

// 936 or 950 for a Chinese user-interface language, 437 otherwise.
unsigned DefaultSetupCodePage();
