#include "assistant/ui/prop_page_general.h"

#include <shellapi.h>

#include "assistant/res/settings_pages_resource.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/help_access_win32.h"
#include "assistant/ui/settings_sheet_texts_win32.h"
#include "winfx/controls/button.h"
#include "winfx/controls/edit.h"

namespace {

constexpr int kTitleText = 27;
constexpr int kDensityLabelText = 19;
constexpr int kFactorLabelText = 20;
constexpr int kLanguageLabelText = 21;
constexpr int kLibraryLabelText = 28;
constexpr int kEditText = 29;
constexpr int kCaseSensitiveText = 40;
// The language items, in the order of LanguageItem.
constexpr int kLanguageItemTexts[] = {24, 25, 26};

int FaultItem(GeneralPageFault fault) {
  return fault == GeneralPageFault::kFactor ? IDC_GENERAL_FACTOR : IDC_GENERAL_DENSITY;
}

}  // namespace

CPropPageGenreral::CPropPageGenreral() : CPropertyPage(IDD_GENERAL_PAGE, SheetText(kTitleText)) {}

INT_PTR CPropPageGenreral::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP) {
    ShowSettingsHelp(GetHwnd());
    return TRUE;
  }
  return CPropertyPage::HandleMessage(message, wParam, lParam);
}

bool CPropPageGenreral::OnInitDialog() {
  m_language.Attach(GetItem(IDC_GENERAL_LANGUAGE));
  SetLabelTexts();
  ShowFields(ShowGeneralSettings(g_settings));
  ShowLibraryPath();
  return true;
}

void CPropPageGenreral::SetLabelTexts() const {
  SetItemRow(GetHwnd(), IDC_GENERAL_DENSITY_LABEL, kDensityLabelText);
  SetItemRow(GetHwnd(), IDC_GENERAL_FACTOR_LABEL, kFactorLabelText);
  SetItemRow(GetHwnd(), IDC_GENERAL_CASE_SENSITIVE, kCaseSensitiveText);
  SetItemRow(GetHwnd(), IDC_GENERAL_LIBRARY_LABEL, kLibraryLabelText);
  SetItemRow(GetHwnd(), IDC_GENERAL_LIBRARY_EDIT, kEditText);
  SetItemRow(GetHwnd(), IDC_GENERAL_LANGUAGE_LABEL, kLanguageLabelText);
}

void CPropPageGenreral::ShowFields(const GeneralPageFields& fields) const {
  SetItemBytes(GetHwnd(), IDC_GENERAL_DENSITY, fields.density);
  SetItemBytes(GetHwnd(), IDC_GENERAL_FACTOR, fields.factor);
  winfx::CButton(GetItem(IDC_GENERAL_CASE_SENSITIVE)).SetCheck(fields.caseSensitive);
  m_language.ResetContent();
  for (int row : kLanguageItemTexts) m_language.AddString(SheetText(row));
  m_language.SetCurSel(fields.languageItem);
}

void CPropPageGenreral::ShowLibraryPath() const {
  winfx::CEdit path(GetItem(IDC_GENERAL_LIBRARY_PATH));
  path.SetText(ProcessFolders().InUse(kLibraryFileName).wstring());
  // The end of a long path is the part worth seeing.
  path.SelectAll();
  path.Send(EM_SCROLLCARET);
}

GeneralPageFields CPropPageGenreral::ReadFields() const {
  GeneralPageFields fields;
  fields.density = GetItemBytes(GetHwnd(), IDC_GENERAL_DENSITY);
  fields.factor = GetItemBytes(GetHwnd(), IDC_GENERAL_FACTOR);
  fields.caseSensitive = winfx::CButton(GetItem(IDC_GENERAL_CASE_SENSITIVE)).IsChecked();
  fields.languageItem = m_language.GetCurSel();
  return fields;
}

bool CPropPageGenreral::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDC_GENERAL_LIBRARY_EDIT && notifyCode == BN_CLICKED) {
    EditLibrary();
    return true;
  }
  return CPropertyPage::OnCommand(notifyCode, id, control);
}

bool CPropPageGenreral::OnKillActive() {
  GeneralPageFault fault = FindGeneralPageFault(ReadFields());
  if (fault == GeneralPageFault::kNone) return true;
  ShowSheetError(GetHwnd(), UiText(GeneralPageFaultText(fault)));
  SelectEditText(winfx::CWindow(GetItem(FaultItem(fault))));
  return false;
}

void CPropPageGenreral::OnApply() { StoreGeneralSettings(ReadFields(), g_settings); }

void CPropPageGenreral::EditLibrary() const {
  AssistantFolders folders = ProcessFolders();
  std::filesystem::path copy = folders.PrepareUserCopy(kLibraryFileName);
  if (copy.empty()) {
    ShowCannotWrite(GetHwnd(), folders.user / kLibraryFileName);
    return;
  }
  ShowLibraryPath();
  std::wstring library = copy.wstring();
  std::wstring folder = folders.user.wstring();
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  // A failure falls back to Notepad without the shell's own error box.
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.hwnd = GetHwnd();
  open.lpVerb = L"open";
  open.lpFile = library.c_str();
  open.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&open)) return;
  std::wstring argument = L"\"" + library + L"\"";
  ShellExecuteW(GetHwnd(), L"open", L"notepad.exe", argument.c_str(), folder.c_str(), SW_SHOWNORMAL);
}
