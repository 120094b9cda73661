// Host conversions through iconv.

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "base/code_page.h"

namespace {

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case kCodePageUtf8:
      return "UTF-8";
    case 1200:
      return "UTF-16LE";
    default:
      return "CP" + std::to_string(codePage);
  }
}

// Owns one conversion descriptor.
class CIconv {
 public:
  CIconv(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~CIconv() {
    if (IsOpen()) iconv_close(m_cd);
  }
  CIconv(const CIconv&) = delete;
  CIconv& operator=(const CIconv&) = delete;

  bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as possible; returns false at an input it cannot take,
  // leaving `in` and `inLeft` at that input.
  bool Convert(char*& in, size_t& inLeft, std::string& out) {
    std::vector<char> buffer(256 + inLeft * 4);
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    return result != static_cast<size_t>(-1) || errno == E2BIG;
  }

 private:
  iconv_t m_cd;
};

}  // namespace

std::u16string DecodeFromCodePage(std::string_view bytes, unsigned codePage) {
  CIconv converter("UTF-16LE", IconvName(codePage));
  std::string input(bytes);
  std::string utf16;
  if (!converter.IsOpen()) {
    // An unknown code page shows its ASCII part and marks the rest.
    std::u16string text;
    for (unsigned char c : input) text.push_back(c < 0x80 ? c : 0xFFFD);
    return text;
  }
  char* in = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    if (converter.Convert(in, inLeft, utf16)) continue;
    utf16.append("\xFD\xFF", 2);  // U+FFFD, little endian
    ++in;
    --inLeft;
  }
  std::u16string text;
  for (size_t i = 0; i + 1 < utf16.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16[i]) |
                                         static_cast<unsigned char>(utf16[i + 1]) << 8));
  }
  return text;
}

std::string EncodeToCodePage(std::u16string_view text, unsigned codePage, bool* lossless) {
  if (lossless) *lossless = true;
  std::string input;
  for (char16_t unit : text) {
    input.push_back(static_cast<char>(unit & 0xFF));
    input.push_back(static_cast<char>(unit >> 8));
  }
  CIconv converter(IconvName(codePage), "UTF-16LE");
  std::string out;
  if (!converter.IsOpen()) {
    for (char16_t unit : text) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    if (lossless && out.size() != text.size()) *lossless = false;
    return out;
  }
  char* in = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    if (converter.Convert(in, inLeft, out)) continue;
    if (lossless) *lossless = false;
    out.push_back('?');
    // Skip one character: a surrogate pair is two units.
    unsigned unit = static_cast<unsigned char>(in[0]) | static_cast<unsigned char>(in[1]) << 8;
    size_t skip = (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 4) ? 4 : 2;
    skip = std::min(skip, inLeft);
    in += skip;
    inLeft -= skip;
  }
  return out;
}
