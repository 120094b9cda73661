#include "tests/standins/standin_options.h"

#include <cwctype>
#include <sstream>

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

}  // namespace

StandinOptions ParseStandinOptions(const std::wstring& commandLine) {
  StandinOptions options;
  std::wistringstream words(commandLine);
  std::wstring word;
  while (words >> word) {
    std::wstring key = Lower(word);
    if (!key.empty() && (key[0] == L'-' || key[0] == L'/')) key = key.substr(1);
    if (key == L"regserver") options.registerServer = true;
    if (key == L"unregserver") options.unregisterServer = true;
    if (key == L"embedding") options.embedding = true;
    if (key == L"unlisted") options.listUnsaved = false;
    if (key == L"lateregister") options.lateRegistration = true;
    if (key == L"latertitle") options.laterTitle = true;
    if (key == L"otherids") options.otherIds = true;
  }
  return options;
}

std::wstring ServerArguments(const StandinOptions& options) {
  std::wstring arguments;
  if (!options.listUnsaved) arguments += L" /unlisted";
  if (options.lateRegistration) arguments += L" /lateregister";
  if (options.laterTitle) arguments += L" /latertitle";
  if (options.otherIds) arguments += L" /otherids";
  return arguments.empty() ? arguments : arguments.substr(1);
}
