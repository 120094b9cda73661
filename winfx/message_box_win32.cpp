#include "winfx/message_box.h"

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

}  // namespace winfx
