#include "setup/engine/setup_paths.h"

#include "base/code_page.h"
#include "setup/engine/setup_state.h"

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::u16string Decoded(std::string_view path) { return DecodeFromCodePage(path, kSetupPathCodePage); }

// Windows drops trailing dots and blanks of a name, so "..." and ".. "
// climb like "..".
bool ClimbsUp(std::u16string_view component) {
  std::size_t dots = 0;
  for (char16_t c : component) {
    if (c == u'.') {
      ++dots;
    } else if (c != u' ') {
      return false;
    }
  }
  return dots >= 2;
}

}  // namespace

bool EndsWithSeparator(std::string_view path) {
  std::u16string text = Decoded(path);
  return !text.empty() && IsSeparator(text.back());
}

std::string WithSeparator(const std::string& path) { return EndsWithSeparator(path) ? path : path + "\\"; }

std::string WithoutFinalSeparator(const std::string& path) {
  return EndsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
}

bool IsSafeEntryName(std::string_view name) {
  std::u16string text = Decoded(name);
  if (text.empty() || IsSeparator(text.front()) || text.find(u':') != std::u16string::npos) return false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (ClimbsUp(std::u16string_view(text).substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

std::filesystem::path NativePath(const std::string& path) { return std::filesystem::path(Decoded(path)); }
