#pragma once

// Conversions between the code-page byte texts that both programs keep
// (GBK, Big5, ASCII) and UTF-16 / UTF-8. Every call names its code page: the
// machine's current one is never assumed.

#include <string>
#include <string_view>

inline constexpr unsigned kCodePageUsAscii = 437;
inline constexpr unsigned kCodePageGbk = 936;
inline constexpr unsigned kCodePageBig5 = 950;
inline constexpr unsigned kCodePageUtf8 = 65001;

// Bytes that are not valid in the code page become U+FFFD.
std::u16string DecodeFromCodePage(std::string_view bytes, unsigned codePage);

// Characters the code page cannot hold become '?'; `lossless` (when given)
// tells whether every character was kept.
std::string EncodeToCodePage(std::u16string_view text, unsigned codePage, bool* lossless = nullptr);

inline std::string ConvertCodePage(std::string_view bytes, unsigned from, unsigned to,
                                   bool* lossless = nullptr) {
  return EncodeToCodePage(DecodeFromCodePage(bytes, from), to, lossless);
}

// The same for the wide-character Win32 API, whose wchar_t holds UTF-16.
inline std::wstring DecodeToWide(std::string_view bytes, unsigned codePage) {
  std::u16string wide = DecodeFromCodePage(bytes, codePage);
  return std::wstring(wide.begin(), wide.end());
}
inline std::string EncodeFromWide(std::wstring_view text, unsigned codePage) {
  return EncodeToCodePage(std::u16string(text.begin(), text.end()), codePage);
}

// ASCII text (names, numbers, formulas built from them) as UTF-16.
inline std::u16string Utf16FromAscii(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}
