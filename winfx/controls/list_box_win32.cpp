#include "winfx/controls/list_box.h"

namespace winfx {

std::wstring CListBox::GetItemText(int index) const {
  LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

int CListBox::ItemFromPoint(POINT point) const {
  LRESULT result = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  // The high word is 1 when the point lies outside the client area.
  if (HIWORD(result) != 0) return -1;
  int index = LOWORD(result);
  return index < GetCount() ? index : -1;
}

}  // namespace winfx
