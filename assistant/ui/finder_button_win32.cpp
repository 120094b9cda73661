#include "assistant/ui/finder_button.h"

#include <commctrl.h>

#include "assistant/excel/excel_link.h"
#include "winfx/dialog.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4642;

}  // namespace

CFinderButton::~CFinderButton() {
  if (HWND hwnd = GetHwnd()) RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
}

bool CFinderButton::Subclass(HWND control, ExcelLink& link) {
  if (!control || GetHwnd()) return false;
  if (!SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  Attach(control);
  m_link = &link;
  return true;
}

HCURSOR CFinderButton::FinderCursor() {
  return LoadCursorW(winfx::ResourceInstance(), MAKEINTRESOURCEW(kFinderCursorId));
}

// A cursor handle is an icon handle; the button takes it as an icon-type
// image, the type every version of the button control accepts.
void CFinderButton::ShowFinderImage() const {
  Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(FinderCursor()));
}

LRESULT CALLBACK CFinderButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  auto* button = reinterpret_cast<CFinderButton*>(data);
  switch (message) {
    case WM_LBUTTONDOWN:
      button->OnLButtonDown();
      break;
    case WM_LBUTTONUP:
      button->OnLButtonUp();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
      button->Attach(nullptr);
      break;
    default:
      break;
  }
  // The button itself then captures the mouse, or lets it go, and shows
  // itself pressed or released.
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CFinderButton::OnLButtonDown() {
  m_link->picking = true;
  m_link->trackingSuspended = false;
  Send(BM_SETIMAGE, IMAGE_ICON, 0);
  SetCursor(FinderCursor());
}

void CFinderButton::OnLButtonUp() {
  m_link->picking = false;
  ShowFinderImage();
}
