#pragma once

// The current language's texts as the wide-character API shows them.

#include <windows.h>

#include <string>
#include <string_view>

// Text `index` of the current table, converted from its code page.
std::wstring SetupText(int index);
// A code-page text of the setup program, converted the same way.
std::wstring SetupWide(std::string_view text);

// A message box with text `index` and the caption of the wizard.
int ShowSetupMessage(HWND owner, int index, UINT flags);
// A message box with a text of its own and the caption of the wizard.
int ShowSetupMessage(HWND owner, const std::wstring& text, UINT flags);
