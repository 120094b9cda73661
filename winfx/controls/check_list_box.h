#pragma once

// A list box with a check box before every item: an owner-drawn, fixed-height
// list box with strings whose items carry their check state as item data.
// The owner routes WM_DRAWITEM of the list to DrawItem; clicks on a check
// box and the space bar toggle it, and the owner then receives WM_COMMAND
// with the notification kCheckChanged.

#include "winfx/controls/list_box.h"

namespace winfx {

class CCheckListBox : public CListBox {
 public:
  static constexpr WORD kCheckChanged = 0x0400;

  using CListBox::CListBox;

  // Takes over the list's mouse and keyboard handling; call once, from the
  // owner's WM_INITDIALOG.
  void EnableChecks() const;

  bool GetCheck(int index) const { return GetItemData(index) == 1; }
  void SetCheck(int index, bool checked) const;
  void Toggle(int index) const;

  void DrawItem(const DRAWITEMSTRUCT& item) const;
};

}  // namespace winfx
