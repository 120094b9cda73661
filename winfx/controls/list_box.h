#pragma once

#include <string>

#include "winfx/window.h"

namespace winfx {

class CListBox : public CWindow {
 public:
  using CWindow::CWindow;
  // Item calls return LB_ERR (-1) for a bad index and LB_ERRSPACE (-2) when
  // the list is out of memory.
  int AddString(const std::wstring& text) const {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
  void ResetContent() const { Send(LB_RESETCONTENT); }
  // LB_ERR when nothing is selected.
  int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  void SetCurSel(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
  std::wstring GetItemText(int index) const;
  LPARAM GetItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
  void SetItemData(int index, LPARAM data) const { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
  void SetItemHeight(int height) const { Send(LB_SETITEMHEIGHT, 0, height); }
  int GetItemHeight() const { return static_cast<int>(Send(LB_GETITEMHEIGHT)); }
  RECT GetItemRect(int index) const {
    RECT rect{};
    Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  // The item under a client point, or -1 outside every item.
  int ItemFromPoint(POINT point) const;
};

}  // namespace winfx
