#pragma once

#include "winfx/dialog.h"

// Asks for the language of the setup before anything else is shown; the
// machine's user-interface language is preselected.
class CLanguageDialog : public winfx::CDialog {
 public:
  CLanguageDialog();

  // The chosen language's code page (936, 950, or 1252 for English, the
  // code page the English texts and the uninstall log are written in); set
  // when DoModal returned IDOK.
  unsigned codePage = 1252;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  void OnOK() override;
};

// 936 or 950 for a Chinese user-interface language, 1252 otherwise.
unsigned DefaultSetupCodePage();
