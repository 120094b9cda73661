#pragma once

// The About box of the system menu: the program icon, name and date, and
// an OK button; nothing else.

#include "assistant_resource.h"
#include "winfx/dialog.h"

class CAboutDlg : public winfx::CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
