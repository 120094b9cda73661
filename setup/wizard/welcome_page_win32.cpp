#include "setup/wizard/welcome_page.h"

#include <string_view>

#include "setup/engine/setup_state.h"
#include "setup/res/install_resource.h"
#include "setup/wizard/wizard_navigation.h"
#include "setup/wizard/wizard_texts.h"
#include "winfx/controls/button.h"

namespace {

constexpr int kCancelQuestionText = 2;
constexpr int kMustAgreeText = 24;
constexpr int kInstructionText = 25;
constexpr int kAcceptText = 26;
constexpr int kDeclineText = 27;
constexpr int kWelcomeTitleText = 28;

// The agreement of the language, exactly the resource's bytes; empty when
// the resource is missing.
std::string_view AgreementBytes() {
  HINSTANCE module = winfx::ResourceInstance();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(g_agreementId), L"FILE");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

}  // namespace

CWelcomePage::CWelcomePage() : CWizardPage(IDD_WELCOME_PAGE) {}

bool CWelcomePage::OnInitDialog() {
  CWizardPage::OnInitDialog();
  MakeTitleLabel(IDC_WELCOME_TITLE, RGB(127, 0, 255));
  winfx::CButton(GetItem(IDC_ACCEPT)).SetCheck(true);
  winfx::CWindow(GetItem(IDC_AGREEMENT)).SetText(SetupWide(AgreementBytes()));
  winfx::CWindow(GetItem(IDC_WELCOME_TITLE)).SetText(SetupText(kWelcomeTitleText));
  winfx::CWindow(GetItem(IDC_INSTRUCTION)).SetText(SetupText(kInstructionText));
  winfx::CWindow(GetItem(IDC_ACCEPT)).SetText(SetupText(kAcceptText));
  winfx::CWindow(GetItem(IDC_DECLINE)).SetText(SetupText(kDeclineText));
  return true;
}

int CWelcomePage::OnWizardNext() {
  if (!winfx::CButton(GetItem(IDC_DECLINE)).IsChecked()) return kNeighbourPage;
  ShowSetupMessage(GetHwnd(), kMustAgreeText, MB_OK | MB_ICONINFORMATION);
  return kStayOnPage;
}

bool CWelcomePage::OnQueryCancel() {
  return ShowSetupMessage(GetHwnd(), kCancelQuestionText, MB_YESNO | MB_ICONQUESTION) != IDNO;
}
