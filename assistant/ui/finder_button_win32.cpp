#include "assistant/ui/finder_button.h"

#include "assistant/bom_sheet/excel_link.h"
#include "winfx/dialog.h"

bool CFinderButton::Subclass(HWND control, ExcelLink& link) {
  if (!TakeOver(control)) return false;
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

LRESULT CFinderButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) OnLButtonDown();
  if (message == WM_LBUTTONUP) OnLButtonUp();
  // The button itself then captures the mouse, or lets it go, and shows
  // itself pressed or released.
  return Default(message, wParam, lParam);
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
