#pragma once

#include <string>

#include "winfx/window.h"

namespace winfx {

class CComboBox : public CWindow {
 public:
  using CWindow::CWindow;
  // CB_ERR (-1) for a bad index, CB_ERRSPACE (-2) out of memory.
  int AddString(const std::wstring& text) const {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  void ResetContent() const { Send(CB_RESETCONTENT); }
  // CB_ERR when nothing is selected.
  int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
  LPARAM GetItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
  void SetItemData(int index, LPARAM data) const { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
};

}  // namespace winfx
