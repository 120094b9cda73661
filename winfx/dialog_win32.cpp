#include "winfx/dialog.h"

#include <exception>

#include "winfx/message_box.h"

namespace winfx {

namespace {

constexpr wchar_t kObjectProperty[] = L"winfx.dialog";

CDialog* BoundDialog(HWND hwnd) { return static_cast<CDialog*>(GetPropW(hwnd, kObjectProperty)); }

}  // namespace

HINSTANCE ResourceInstance() { return GetModuleHandleW(nullptr); }

INT_PTR CDialog::DoModal(HWND parent) {
  return DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool CDialog::CreateChild(HWND parent) {
  HWND hwnd = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* created = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr;
  return Route(hwnd, message, wParam, lParam, created);
}

INT_PTR CDialog::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, CDialog* created) {
  CDialog* dialog = BoundDialog(hwnd);
  if (message == WM_INITDIALOG && created) {
    dialog = created;
    SetPropW(hwnd, kObjectProperty, dialog);
    dialog->Attach(hwnd);
  }
  if (!dialog) return FALSE;
  if (message == WM_NCDESTROY) RemovePropW(hwnd, kObjectProperty);
  // No exception may unwind through the system's code.
  try {
    return dialog->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ShowUnhandledException(hwnd);
  }
  return FALSE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      return OnNotify(header->idFrom, *header);
    }
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_PAINT:
      return OnPaint();
    case WM_DRAWITEM:
      return OnDrawItem(wParam, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    case WM_DESTROY:
      return OnDestroy();
    default:
      return FALSE;
  }
}

bool CDialog::OnCommand(WORD notifyCode, WORD id, HWND control) {
  (void)control;
  if (notifyCode != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

}  // namespace winfx
