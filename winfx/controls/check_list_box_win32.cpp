#include "winfx/controls/check_list_box.h"

#include <commctrl.h>

namespace winfx {

namespace {

constexpr UINT_PTR kSubclassId = 0x5A4D;

// The check box takes a square as high as the item at its left end.
int CheckBoxWidth(const RECT& item) { return item.bottom - item.top; }

void NotifyOwner(HWND list) {
  CWindow view(list);
  SendMessageW(view.GetParentHwnd(), WM_COMMAND, MAKEWPARAM(view.GetId(), CCheckListBox::kCheckChanged),
               reinterpret_cast<LPARAM>(list));
}

LRESULT CALLBACK CheckListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  CCheckListBox list(hwnd);
  if (message == WM_LBUTTONDOWN) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    int index = list.ItemFromPoint(point);
    if (index >= 0 && point.x < CheckBoxWidth(list.GetItemRect(index))) {
      list.Toggle(index);
      NotifyOwner(hwnd);
    }
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    int index = list.GetCurSel();
    if (index >= 0) {
      list.Toggle(index);
      NotifyOwner(hwnd);
    }
    return 0;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, CheckListProc, kSubclassId);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void CCheckListBox::EnableChecks() const { SetWindowSubclass(GetHwnd(), CheckListProc, kSubclassId, 0); }

void CCheckListBox::SetCheck(int index, bool checked) const {
  SetItemData(index, checked ? 1 : 0);
  RECT rect = GetItemRect(index);
  InvalidateRect(GetHwnd(), &rect, FALSE);
}

void CCheckListBox::Toggle(int index) const { SetCheck(index, !GetCheck(index)); }

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  int index = static_cast<int>(item.itemID);
  RECT box = item.rcItem;
  box.right = box.left + CheckBoxWidth(item.rcItem);
  RECT text = item.rcItem;
  text.left = box.right;

  bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
  FillRect(item.hDC, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  InflateRect(&box, -2, -2);
  DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (GetCheck(index) ? DFCS_CHECKED : 0));

  std::wstring label = GetItemText(index);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  text.left += 2;
  DrawTextW(item.hDC, label.c_str(), static_cast<int>(label.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace winfx
