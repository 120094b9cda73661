#include "assistant/ui/settings_sheet_win32.h"

#include "assistant/ui/kv_property_sheet.h"
#include "assistant/ui/prop_page_bom_style.h"
#include "assistant/ui/prop_page_general.h"
#include "assistant/ui/settings_sheet_texts_win32.h"

namespace {

constexpr int kSheetCaptionText = 16;

}  // namespace

bool RunSettingsSheet(HWND owner, SettingsSheetForm form, int startStyle, ExcelLink& link, int& chosenStyle) {
  CKVPropertySheet sheet(SheetText(kSheetCaptionText));
  CPropPageGenreral general;
  CPropPageBomStyle bomStyle(startStyle, link);
  if (form == SettingsSheetForm::kSettings) sheet.AddPage(general);
  sheet.AddPage(bomStyle);
  if (sheet.DoModal(owner) != IDOK) return false;
  // A page the user never opened shows nothing: its starting style stands.
  int shown = bomStyle.ShownStyle();
  chosenStyle = shown >= 0 ? shown : (startStyle != 0 ? 1 : 0);
  return true;
}
