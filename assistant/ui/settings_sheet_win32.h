#pragma once

// The settings property sheet (caption row 16) in its two forms: the
// general page and the BOM style page, or the BOM style page alone. It edits
// g_settings in place; what follows an OK (selecting the style, saving the
// file, reloading the texts) is the caller's.

#include <windows.h>

struct ExcelLink;

enum class SettingsSheetForm {
  kSettings,      // general page (row 27) and BOM style page (row 70)
  kBomStyleOnly,  // the BOM style page alone
};

// Runs the sheet modally over `owner`. The BOM style page starts on
// `startStyle` (0 simple, 1 standard); its Edit button opens the style's
// template in the spreadsheet found or started through `link`. True when
// the sheet ended with OK; `chosenStyle` is then the style the page shows.
bool RunSettingsSheet(HWND owner, SettingsSheetForm form, int startStyle, ExcelLink& link, int& chosenStyle);
