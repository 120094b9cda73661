#include "winfx/property_sheet.h"

#include <commctrl.h>

#include <exception>

#include "winfx/message_box.h"

namespace winfx {

namespace {

// The sheet whose PropertySheet call is starting on this thread: the
// system's callback carries no data of its own.
thread_local CPropertySheet* t_startingSheet = nullptr;

// Posted by the callback: it arrives once the system has finished building
// the sheet and, as posted messages come before paints, before its first
// paint.
UINT InitSheetMessage() {
  static const UINT message = RegisterWindowMessageW(L"winfx.property_sheet.init");
  return message;
}

}  // namespace

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
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
  header.pfnCallback = SheetCallback;
  header.hwndParent = parent;
  header.hInstance = ResourceInstance();
  header.pszCaption = m_caption.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  CPropertySheet* outer = t_startingSheet;
  t_startingSheet = this;
  INT_PTR result = PropertySheetW(&header);
  t_startingSheet = outer;
  Attach(nullptr);
  // PropertySheet answers a positive value for OK, 0 for Cancel.
  if (result < 0) return -1;
  return result > 0 ? IDOK : IDCANCEL;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM lParam) {
  (void)lParam;
  if (message != PSCB_INITIALIZED || !t_startingSheet) return 0;
  CPropertySheet* sheet = t_startingSheet;
  sheet->Attach(hwnd);
  SetWindowSubclass(hwnd, SheetSubclassProc, 0, reinterpret_cast<DWORD_PTR>(sheet));
  PostMessageW(hwnd, InitSheetMessage(), 0, 0);
  return 0;
}

LRESULT CALLBACK CPropertySheet::SheetSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR id, DWORD_PTR data) {
  auto* sheet = reinterpret_cast<CPropertySheet*>(data);
  if (message == InitSheetMessage()) {
    // No exception may unwind through the system's code.
    try {
      sheet->OnInitSheet();
    } catch (...) {
      ShowUnhandledException(hwnd);
    }
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, SheetSubclassProc, id);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace winfx
