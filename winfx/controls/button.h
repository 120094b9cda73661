#pragma once

#include "winfx/window.h"

namespace winfx {

class CButton : public CWindow {
 public:
  using CWindow::CWindow;
  bool IsChecked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
  // Posted, not sent: a click that opens a modal box must not block the caller.
  void PostClick() const { Post(BM_CLICK); }
  void SetDefault(bool isDefault) const {
    Send(BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
};

}  // namespace winfx
