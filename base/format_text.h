#pragma once

// printf-style formatting into a std::string, for the format texts of the
// language tables (placeholders %s and %d).

#include <cstdio>
#include <string>

template <typename... Args>
std::string FormatText(const char* format, Args... args) {
  int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, args...);
  text.resize(static_cast<size_t>(length));
  return text;
}
