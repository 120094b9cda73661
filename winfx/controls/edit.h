#pragma once

#include "winfx/window.h"

namespace winfx {

class CEdit : public CWindow {
 public:
  using CWindow::CWindow;
  void LimitText(int bytes) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(bytes)); }
  // -1 as the end selects to the end of the text.
  void SetSel(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void SelectAll() const { SetSel(0, -1); }
  void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
};

}  // namespace winfx
