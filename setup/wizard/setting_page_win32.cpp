#include "setup/wizard/setting_page.h"

#include <shlobj.h>

#include "base/code_page.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "setup/res/install_resource.h"
#include "setup/wizard/install_folder.h"
#include "setup/wizard/install_start.h"
#include "setup/wizard/setup_services.h"
#include "setup/wizard/setup_wizard.h"
#include "setup/wizard/wizard_navigation.h"
#include "setup/wizard/wizard_texts.h"
#include "winfx/controls/edit.h"

namespace {

constexpr int kSettingTitleText = 31;
constexpr int kSettingDescriptionText = 32;
constexpr int kProductLabelText = 33;
constexpr int kFolderLabelText = 34;
constexpr int kInvalidPathText = 22;
constexpr int kCreateFolderText = 23;
constexpr int kNoAnsiFolderText = 29;
constexpr int kRegistryFailedText = 53;

// The setting page's check list as the product discovery fills it.
class CProductList : public ProductCheckList {
 public:
  explicit CProductList(const winfx::CCheckListBox& list) : m_list(list) {}
  int AddItem(const std::string& text) override {
    return m_list.AddString(DecodeToWide(text, kCodePageUtf8));
  }
  void SetCheck(int index, bool checked) override { m_list.SetCheck(index, checked); }

 private:
  const winfx::CCheckListBox& m_list;
};

}  // namespace

CSettingPage::CSettingPage(CSetupServices& services) : CWizardPage(IDD_SETTING_PAGE), m_services(services) {}

bool CSettingPage::OnInitDialog() {
  CWizardPage::OnInitDialog();
  MakeTitleLabel(IDC_PAGE_TITLE, RGB(0, 0, 128));
  MakeTransparentLabel(IDC_PAGE_DESCRIPTION);
  winfx::CWindow(GetItem(IDC_PAGE_TITLE)).SetText(SetupText(kSettingTitleText));
  winfx::CWindow(GetItem(IDC_PAGE_DESCRIPTION)).SetText(SetupText(kSettingDescriptionText));
  winfx::CWindow(GetItem(IDC_PRODUCT_LABEL)).SetText(SetupText(kProductLabelText));
  winfx::CWindow(GetItem(IDC_FOLDER_LABEL)).SetText(SetupText(kFolderLabelText));
  winfx::CWindow(GetItem(IDC_FOLDER)).SetText(L"C:\\Program Files\\" + SetupWide(kProductVersion));

  m_products.Attach(GetItem(IDC_PRODUCT_LIST));
  m_products.EnableChecks();
  // An owner-drawn list is measured before this point: set the height now.
  m_products.SetItemHeight(18);
  CProductList list(m_products);
  if (!FindAcadProducts(m_services.registry, m_acadProducts, list)) {
    ShowSetupMessage(GetHwnd(), kRegistryFailedText, MB_OK | MB_ICONSTOP);
    ExitProcess(0);
  }
  return true;
}

bool CSettingPage::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDC_BROWSE && notifyCode == BN_CLICKED) {
    Browse();
    return true;
  }
  return CWizardPage::OnCommand(notifyCode, id, control);
}

bool CSettingPage::OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) {
  if (id != IDC_PRODUCT_LIST) return false;
  m_products.DrawItem(item);
  return true;
}

void CSettingPage::Browse() {
  BROWSEINFOW browse{};
  browse.hwndOwner = owner ? owner->GetHwnd() : GetHwnd();
  browse.lpszTitle = L"Select foder";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen, path)) {
    std::u16string folder = ComposeBrowsedFolder(reinterpret_cast<const char16_t*>(path));
    winfx::CWindow(GetItem(IDC_FOLDER)).SetText(std::wstring(folder.begin(), folder.end()));
  }
  CoTaskMemFree(chosen);
}

void CSettingPage::RefocusFolder() const {
  winfx::CEdit folder(GetItem(IDC_FOLDER));
  folder.Focus();
  folder.SelectAll();
  folder.Send(EM_SCROLLCARET);
}

bool CSettingPage::EnsureFolderExists(const std::wstring& folder, std::vector<std::wstring>* made) const {
  if (InstallFolderExists(folder)) return true;
  std::wstring question = folder + L"\n\n" + SetupText(kCreateFolderText);
  if (ShowSetupMessage(GetHwnd(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  *made = CreateFolderTree(folder);
  if (InstallFolderExists(folder)) return true;
  std::wstring failure = L"Could not create folder:\n" + folder;
  MessageBoxW(GetHwnd(), failure.c_str(), L"Install", MB_OK);
  return false;
}

int CSettingPage::OnWizardNext() {
  std::wstring typed = winfx::CWindow(GetItem(IDC_FOLDER)).GetText();
  std::optional<std::u16string> checked = NormalizeInstallFolder(std::u16string(typed.begin(), typed.end()));
  if (!checked) {
    ShowSetupMessage(GetHwnd(), kInvalidPathText, MB_OK | MB_ICONSTOP);
    RefocusFolder();
    return kStayOnPage;
  }
  std::wstring folder(checked->begin(), checked->end());
  std::string narrow = EncodeFromWide(folder, kSetupPathCodePage);
  // The CAD programs read the add-in's path, and the uninstall log stores
  // it, in the ANSI code page: a folder it cannot hold is refused before
  // anything is written.
  if (!IsAnsiPath(narrow)) {
    ShowSetupMessage(GetHwnd(), folder + L"\n\n" + SetupText(kNoAnsiFolderText), MB_OK | MB_ICONSTOP);
    RefocusFolder();
    return kStayOnPage;
  }
  if (InstallFolderOpenToOthers(folder)) {
    ShowSetupMessage(GetHwnd(), folder + L"\n\n" + SetupText(kFolderOpenToOthersText), MB_OK | MB_ICONSTOP);
    RefocusFolder();
    return kStayOnPage;
  }
  std::vector<std::wstring> made;
  if (!EnsureFolderExists(folder, &made)) {
    RefocusFolder();
    return kStayOnPage;
  }
  std::vector<AcadProduct> chosen;
  for (int i = 0; i < m_products.GetCount() && i < static_cast<int>(m_acadProducts.size()); ++i) {
    if (m_products.GetCheck(i)) chosen.push_back(m_acadProducts[static_cast<size_t>(i)]);
  }
  BeginInstallation(m_services, narrow, made, chosen);
  return kNeighbourPage;
}
