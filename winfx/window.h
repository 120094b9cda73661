#pragma once

// A non-owning view of a window: it holds the handle and nothing else, so
// copying it is free and destroying it leaves the window alone.

#include <windows.h>

#include <string>

namespace winfx {

class CWindow {
 public:
  CWindow() = default;
  explicit CWindow(HWND hwnd) : m_hwnd(hwnd) {}

  HWND GetHwnd() const { return m_hwnd; }
  explicit operator bool() const { return m_hwnd != nullptr; }
  void Attach(HWND hwnd) { m_hwnd = hwnd; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(m_hwnd, message, wParam, lParam);
  }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return PostMessageW(m_hwnd, message, wParam, lParam) != FALSE;
  }

  std::wstring GetText() const;
  void SetText(const std::wstring& text) const { SetWindowTextW(m_hwnd, text.c_str()); }

  HWND GetItem(int id) const { return GetDlgItem(m_hwnd, id); }
  int GetId() const { return GetDlgCtrlID(m_hwnd); }
  HWND GetParentHwnd() const { return GetParent(m_hwnd); }

  void Show(bool show = true) const { ShowWindow(m_hwnd, show ? SW_SHOW : SW_HIDE); }
  bool IsVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
  void Enable(bool enable = true) const { EnableWindow(m_hwnd, enable ? TRUE : FALSE); }
  bool IsEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
  void Focus() const { SetFocus(m_hwnd); }
  void Invalidate(bool erase = true) const { InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE); }

  void SetFont(HFONT font, bool redraw = true) const {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
  }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }

  RECT GetClientRect() const;
  // The window's rectangle in its parent's client coordinates.
  RECT GetRectInParent() const;
  void Move(const RECT& rect, bool repaint = true) const {
    MoveWindow(m_hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               repaint ? TRUE : FALSE);
  }

  UINT_PTR StartTimer(UINT_PTR id, UINT milliseconds) const {
    return SetTimer(m_hwnd, id, milliseconds, nullptr);
  }
  void StopTimer(UINT_PTR id) const { KillTimer(m_hwnd, id); }

  LONG_PTR GetStyle() const { return GetWindowLongPtrW(m_hwnd, GWL_STYLE); }

 private:
  HWND m_hwnd = nullptr;
};

}  // namespace winfx
