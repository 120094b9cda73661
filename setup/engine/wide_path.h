#pragma once

// Texts of the setup program (code-page bytes) as the wide-character Win32
// API takes them.

#include <string>
#include <string_view>

#include "winfx/code_page.h"

inline std::wstring WidePath(std::string_view text, unsigned codePage) {
  std::u16string wide = DecodeFromCodePage(text, codePage);
  return std::wstring(wide.begin(), wide.end());
}
