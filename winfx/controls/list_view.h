#pragma once

#include <string>

#include "winfx/window.h"

#include <commctrl.h>

namespace winfx {

class CListView : public CWindow {
 public:
  using CWindow::CWindow;
  // Both return -1 on failure.
  int InsertColumn(int index, const std::wstring& title, int width) const;
  int InsertItem(int index, const std::wstring& text) const;
  bool SetItemText(int item, int column, const std::wstring& text) const;
  std::wstring GetItemText(int item, int column) const;
  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  void DeleteAllItems() const { Send(LVM_DELETEALLITEMS); }
  // -1 when no item is selected.
  int GetSelectedItem() const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
};

}  // namespace winfx
