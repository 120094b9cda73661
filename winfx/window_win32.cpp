#include "winfx/window.h"

namespace winfx {

std::wstring CWindow::GetText() const {
  int length = GetWindowTextLengthW(m_hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(m_hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied));
  return text;
}

RECT CWindow::GetClientRect() const {
  RECT rect{};
  ::GetClientRect(m_hwnd, &rect);
  return rect;
}

RECT CWindow::GetRectInParent() const {
  RECT rect{};
  GetWindowRect(m_hwnd, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace winfx
