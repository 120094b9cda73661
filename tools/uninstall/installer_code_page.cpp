#include "tools/uninstall/installer_code_page.h"

#include <charconv>

namespace {

constexpr std::string_view kLanguageKey = "Language=";

std::string_view Trimmed(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

unsigned InstallerCodePage(std::string_view settingsText, unsigned fallback) {
  while (!settingsText.empty()) {
    size_t end = settingsText.find('\n');
    std::string_view line = settingsText.substr(0, end);
    settingsText.remove_prefix(end == std::string_view::npos ? settingsText.size() : end + 1);
    if (!line.starts_with(kLanguageKey)) continue;
    std::string_view digits = Trimmed(line.substr(kLanguageKey.size()));
    unsigned codePage = 0;
    auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), codePage);
    bool whole = !digits.empty() && error == std::errc() && last == digits.data() + digits.size();
    return whole && codePage > 0 && codePage < 65536 ? codePage : fallback;
  }
  return fallback;
}
