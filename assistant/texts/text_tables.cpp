#include "assistant/texts/text_tables.h"

#include <cstring>

#include "base/code_page.h"

TextTable g_uiText{};

namespace {

unsigned g_uiTextCodePage = kCodePageGbk;

}  // namespace

void SelectTextTable(unsigned codePage) {
  const TextTable& source = codePage == kCodePageGbk    ? kTextChs
                            : codePage == kCodePageBig5 ? kTextCht
                                                        : kTextEng;
  g_uiTextCodePage = codePage == kCodePageBig5 ? kCodePageBig5 : kCodePageGbk;
  for (int row = 0; row < kTextRows; ++row) {
    // Each row up to and including its zero; bytes after it keep what they
    // held, as readers stop at the zero.
    std::size_t length = std::strlen(source[row].data());
    std::memcpy(g_uiText[row].data(), source[row].data(), length + 1);
  }
}

const char* UiText(int row) { return g_uiText[row].data(); }

unsigned UiTextCodePage() { return g_uiTextCodePage; }

std::u16string UiTextNaming(int row, std::u16string_view name) {
  std::u16string text = DecodeFromCodePage(UiText(row), g_uiTextCodePage);
  std::size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, name);
  return text;
}
