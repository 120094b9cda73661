#include "setup/wizard/wizard_texts.h"

#include "base/code_page.h"
#include "setup/engine/setup_state.h"

std::wstring SetupWide(std::string_view text) { return DecodeToWide(text, SetupCodePage()); }

std::wstring SetupText(int index) { return SetupWide(g_text[index]); }

int ShowSetupMessage(HWND owner, const std::wstring& text, UINT flags) {
  return MessageBoxW(owner, text.c_str(), SetupWide(g_caption).c_str(), flags);
}

int ShowSetupMessage(HWND owner, int index, UINT flags) {
  return ShowSetupMessage(owner, SetupText(index), flags);
}
