#include "setup/wizard/language_dialog.h"

#include <array>

#include "setup/res/install_resource.h"
#include "winfx/controls/list_box.h"

namespace {

struct LanguageChoice {
  const wchar_t* name;
  unsigned codePage;
};

// Each language is named in itself.
constexpr std::array<LanguageChoice, 3> kLanguages = {{
    {L"简体中文", 936},
    {L"繁體中文", 950},
    {L"English", 1252},
}};

}  // namespace

unsigned DefaultSetupCodePage() {
  LANGID language = GetUserDefaultUILanguage();
  if (PRIMARYLANGID(language) != LANG_CHINESE) return 1252;
  switch (SUBLANGID(language)) {
    case SUBLANG_CHINESE_TRADITIONAL:
    case SUBLANG_CHINESE_HONGKONG:
    case SUBLANG_CHINESE_MACAU:
      return 950;
    default:
      return 936;
  }
}

CLanguageDialog::CLanguageDialog() : CDialog(IDD_LANGUAGE) {}

bool CLanguageDialog::OnInitDialog() {
  winfx::CListBox list(GetItem(IDC_LANGUAGE_LIST));
  unsigned preferred = DefaultSetupCodePage();
  for (const LanguageChoice& language : kLanguages) {
    int index = list.AddString(language.name);
    list.SetItemData(index, static_cast<LPARAM>(language.codePage));
    if (language.codePage == preferred) list.SetCurSel(index);
  }
  return true;
}

bool CLanguageDialog::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDC_LANGUAGE_LIST && notifyCode == LBN_DBLCLK) {
    OnOK();
    return true;
  }
  return CDialog::OnCommand(notifyCode, id, control);
}

void CLanguageDialog::OnOK() {
  winfx::CListBox list(GetItem(IDC_LANGUAGE_LIST));
  int selected = list.GetCurSel();
  if (selected < 0) return;  // LB_ERR: nothing chosen yet
  codePage = static_cast<unsigned>(list.GetItemData(selected));
  EndDialog(IDOK);
}
