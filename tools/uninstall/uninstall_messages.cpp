#include "tools/uninstall/uninstall_messages.h"

#include <array>
#include <utility>

#include "tools/uninstall/uninstall_log_parser.h"

namespace {

struct Fallback {
  int number;
  const char* text;
};

// The installer's English table, product name included.
constexpr std::array<Fallback, 20> kFallbacks = {{
    {10, kUninstallProductName},
    {13, "OK"},
    {36, "Can't copy file %s to %s"},
    {42, "Removing files ..."},
    {43, "Are you sure you want uninstall %s?"},
    {44, "Remove"},
    {45, "Remove all"},
    {46, "Close"},
    {47, "%s will be removed after restart"},
    {48, "Uninstall"},
    {49, "Can't process %s"},
    {50, "Uninstall succeed!"},
    {51, "Future other application procedure or you will possibly need %s.Do you still delete them?"},
    {52, "Can't remove %s,retry?"},
    {53,
     "The files created befor(or after) install, and future other application procedure or you will "
     "possibly need them"},
    {54, "Removing registry keys..."},
    {55, "Deleting records in INI files..."},
    {58, "Waiting..."},
    // The full-width question mark, in UTF-8 as the program keeps texts.
    {80, "Are you sure you want terminate the uninstall\xEF\xBC\x9F"},
    {81, "Checking the installed program..."},
}};

}  // namespace

std::string_view FallbackUninstallMessage(int number) {
  for (const Fallback& row : kFallbacks) {
    if (row.number == number) return row.text;
  }
  return {};
}

void CUninstallMessages::Set(int number, std::string text) { m_rows.try_emplace(number, std::move(text)); }

std::string CUninstallMessages::Text(int number) const {
  auto row = m_rows.find(number);
  if (row != m_rows.end()) return row->second;
  return std::string(FallbackUninstallMessage(number));
}

std::string CUninstallMessages::Format(int number, std::string_view argument) const {
  std::string text = Text(number);
  size_t slot = text.find("%s");
  if (slot != std::string::npos) text.replace(slot, 2, argument);
  return text;
}
