#include "winfx/controls/list_view.h"

namespace winfx {

int CListView::InsertColumn(int index, const std::wstring& title, int width) const {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  column.cx = width;
  column.iSubItem = index;
  return static_cast<int>(
      Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int CListView::InsertItem(int index, const std::wstring& text) const {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListView::SetItemText(int item, int column, const std::wstring& text) const {
  LVITEMW entry{};
  entry.iSubItem = column;
  entry.pszText = const_cast<wchar_t*>(text.c_str());
  return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&entry)) != FALSE;
}

std::wstring CListView::GetItemText(int item, int column) const {
  std::wstring text(1024, L'\0');
  LVITEMW entry{};
  entry.iSubItem = column;
  entry.pszText = text.data();
  entry.cchTextMax = static_cast<int>(text.size());
  LRESULT length = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&entry));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace winfx
