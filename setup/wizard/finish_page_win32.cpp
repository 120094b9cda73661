#include "setup/wizard/finish_page.h"

#include "setup/res/install_resource.h"
#include "setup/wizard/wizard_texts.h"

namespace {

constexpr int kFinishTitleText = 51;
constexpr int kFinishText = 52;

}  // namespace

CFinishPage::CFinishPage() : CWizardPage(IDD_FINISH_PAGE) {}

bool CFinishPage::OnInitDialog() {
  CWizardPage::OnInitDialog();
  MakeTitleLabel(IDC_PAGE_TITLE, RGB(0, 0, 128));
  winfx::CWindow(GetItem(IDC_PAGE_TITLE)).SetText(SetupText(kFinishTitleText));
  winfx::CWindow(GetItem(IDC_PAGE_DESCRIPTION)).SetText(SetupText(kFinishText));
  return true;
}
