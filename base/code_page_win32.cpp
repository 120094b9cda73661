// Windows conversions through the system's code-page tables.

#include <windows.h>

#include "base/code_page.h"

std::u16string DecodeFromCodePage(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  int size = static_cast<int>(bytes.size());
  int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::u16string text(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), length);
  return text;
}

std::string EncodeToCodePage(std::u16string_view text, unsigned codePage, bool* lossless) {
  if (lossless) *lossless = true;
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int size = static_cast<int>(text.size());
  // UTF-8 takes no default character and no flags; every UTF-16 text but a
  // lone surrogate converts to it. Elsewhere no best fit: "Ł" must not pass
  // as "L", or a path would name another file than the one meant.
  bool utf8 = codePage == CP_UTF8;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const char* defaultChar = utf8 ? nullptr : "?";
  DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int length = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, defaultChar, usedDefaultOut);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide, size, bytes.data(), length, defaultChar, usedDefaultOut);
  if (lossless) *lossless = !usedDefault && length > 0;
  return bytes;
}
