#include "winfx/message_box.h"

#include <exception>
#include <string>

#include "base/code_page.h"

namespace winfx {

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned codePage,
                   UINT flags) {
  std::u16string wideText = DecodeFromCodePage(text, codePage);
  std::u16string wideCaption = DecodeFromCodePage(caption, codePage);
  return MessageBoxW(owner, reinterpret_cast<const wchar_t*>(wideText.c_str()),
                     reinterpret_cast<const wchar_t*>(wideCaption.c_str()), flags);
}

void ShowUnhandledException(HWND owner) noexcept {
  try {
    throw;
  } catch (const std::exception& error) {
    MessageBoxA(owner, error.what(), "Error", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(owner, L"Unexpected error", L"Error", MB_OK | MB_ICONERROR);
  }
}

}  // namespace winfx
