#include "assistant/app/tracking_desktop_win32.h"

#include <windows.h>

#include "assistant/ui/prefix_tips.h"
#include "base/code_page.h"

bool CWin32TrackingDesktop::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(reinterpret_cast<HWND>(window)) != FALSE;
}

std::optional<std::string> CWin32TrackingDesktop::TitleUnderPointer() {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return std::nullopt;
  HWND window = WindowFromPoint(pointer);
  if (!window) return std::nullopt;
  wchar_t title[kPickedTitleBytes + 1]{};
  int length = GetWindowTextW(window, title, static_cast<int>(std::size(title)));
  std::u16string wide(reinterpret_cast<const char16_t*>(title), static_cast<std::size_t>(length));
  // Workbook captions are kept as GBK bytes, the field as bytes.
  std::string bytes = EncodeToCodePage(wide, kCodePageGbk);
  return std::string(CutCodePageText(bytes, kPickedTitleBytes, kCodePageGbk));
}
