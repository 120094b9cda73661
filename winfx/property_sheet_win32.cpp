#include "winfx/property_sheet.h"

namespace winfx {

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // A page's WM_INITDIALOG carries its PROPSHEETPAGE, whose lParam is the page.
  CDialog* created = nullptr;
  if (message == WM_INITDIALOG) {
    created = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
  }
  return Route(hwnd, message, wParam, lParam, created);
}

bool CPropertyPage::OnNotify(UINT_PTR id, NMHDR& header) {
  (void)id;
  switch (header.code) {
    case PSN_SETACTIVE:
      OnSetActive();
      SetMessageResult(0);
      return true;
    case PSN_KILLACTIVE:
      SetMessageResult(OnKillActive() ? FALSE : TRUE);
      return true;
    case PSN_APPLY:
      OnApply();
      SetMessageResult(PSNRET_NOERROR);
      return true;
    default:
      return false;
  }
}

void CPropertyPage::SetModified() const { PropSheet_Changed(GetParentHwnd(), GetHwnd()); }

INT_PTR CPropertySheet::DoModal(HWND parent) {
  std::vector<PROPSHEETPAGEW> pages(m_pages.size());
  for (size_t i = 0; i < m_pages.size(); ++i) {
    PROPSHEETPAGEW& page = pages[i];
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = ResourceInstance();
    page.pszTemplate = MAKEINTRESOURCEW(m_pages[i]->GetTemplateId());
    page.pfnDlgProc = CPropertyPage::PageProc;
    page.pszTitle = m_pages[i]->GetTitle().c_str();
    page.lParam = reinterpret_cast<LPARAM>(m_pages[i]);
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
  header.hwndParent = parent;
  header.hInstance = ResourceInstance();
  header.pszCaption = m_caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  INT_PTR result = PropertySheetW(&header);
  // PropertySheet answers a positive value for OK, 0 for Cancel.
  if (result < 0) return -1;
  return result > 0 ? IDOK : IDCANCEL;
}

}  // namespace winfx
