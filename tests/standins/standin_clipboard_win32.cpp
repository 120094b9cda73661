#include "tests/standins/standin_clipboard_win32.h"

#include <cstring>

namespace {

// Open while it lives; another program may hold the clipboard for a moment.
class CClipboardOpen {
 public:
  explicit CClipboardOpen(HWND owner) {
    for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
      m_open = OpenClipboard(owner) != FALSE;
      if (!m_open) Sleep(20);
    }
  }
  ~CClipboardOpen() {
    if (m_open) CloseClipboard();
  }
  CClipboardOpen(const CClipboardOpen&) = delete;
  CClipboardOpen& operator=(const CClipboardOpen&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  bool m_open = false;
};

}  // namespace

bool PutClipboardText(HWND owner, const std::u16string& text) {
  CClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (SetClipboardData(CF_UNICODETEXT, memory)) return true;
  GlobalFree(memory);
  return false;
}

std::optional<std::u16string> ClipboardText(HWND owner) {
  CClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return std::nullopt;
  HANDLE memory = GetClipboardData(CF_UNICODETEXT);
  if (!memory) return std::nullopt;
  const auto* text = static_cast<const char16_t*>(GlobalLock(memory));
  if (!text) return std::nullopt;
  std::u16string copy(text);
  GlobalUnlock(memory);
  return copy;
}
