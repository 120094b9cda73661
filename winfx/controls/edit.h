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

// Points the user at an edit field: the keyboard focus goes to it, its
// whole text is selected and the caret scrolled into view. Always 1.
inline int SelectEditText(const winfx::CWindow& edit) {
  edit.Focus();
  edit.Send(EM_SETSEL, 0, -1);
  edit.Send(EM_SCROLLCARET);
  return 1;
}
