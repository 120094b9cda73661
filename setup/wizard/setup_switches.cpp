#include "setup/wizard/setup_switches.h"

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Whether `argument` starts with `name` (upper case), letter case ignored.
bool StartsWithSwitch(const std::u16string& argument, std::u16string_view name) {
  if (argument.size() < name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (Upper(argument[i]) != name[i]) return false;
  }
  return true;
}

std::optional<unsigned> LanguageCodePage(std::u16string_view text) {
  for (unsigned codePage : {936u, 950u, 1252u}) {
    std::string digits = std::to_string(codePage);
    if (text == std::u16string(digits.begin(), digits.end())) return codePage;
  }
  return std::nullopt;
}

}  // namespace

SetupSwitches ParseSetupSwitches(const std::vector<std::u16string>& arguments) {
  SetupSwitches switches;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::u16string& argument = arguments[i];
    if (StartsWithSwitch(argument, u"/S") && argument.size() == 2) {
      switches.silent = true;
    } else if (StartsWithSwitch(argument, u"/D=")) {
      std::u16string folder = argument.substr(3);
      // Blanks split an unquoted folder into arguments: join what follows.
      while (i + 1 < arguments.size() && !arguments[i + 1].starts_with(u'/')) folder += u" " + arguments[++i];
      switches.folder = folder;
    } else if (StartsWithSwitch(argument, u"/LOG=")) {
      switches.logFile = argument.substr(5);
    } else if (StartsWithSwitch(argument, u"/L=")) {
      switches.codePage = LanguageCodePage(std::u16string_view(argument).substr(3));
      if (!switches.codePage && switches.unknown.empty()) switches.unknown = argument;
    } else if (switches.unknown.empty()) {
      switches.unknown = argument;
    }
  }
  return switches;
}
