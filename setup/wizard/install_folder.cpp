#include "setup/wizard/install_folder.h"

#include "base/code_page.h"
#include "setup/engine/setup_state.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::u16string> NormalizeInstallFolder(std::u16string_view text) {
  std::u16string_view folder = TrimBlanks(text);
  if (folder.empty() || folder.find(u":\\") != 1) return std::nullopt;
  if (folder.find(u"\\\\") != std::u16string_view::npos) return std::nullopt;
  if (folder.back() == u'\\') folder.remove_suffix(1);
  // A drive root cannot be uninstalled: removing the folder would mean
  // removing everything on the drive, or nothing.
  if (folder.size() == 2) return std::nullopt;
  return std::u16string(folder);
}

std::u16string ComposeBrowsedFolder(std::u16string_view chosen) {
  std::u16string folder(chosen);
  if (folder.find(u"Zelmorant") != std::u16string::npos) return folder;
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder + Utf16FromAscii(kProductVersion);
}
