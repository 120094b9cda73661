#include "setup/wizard/setup_wizard.h"

#include "setup/engine/setup_state.h"
#include "setup/res/install_resource.h"
#include "setup/wizard/wizard_texts.h"

namespace {

constexpr int kTitlePrefixText = 1;
constexpr int kBackText = 5;
constexpr int kNextText = 6;
constexpr int kCancelText = 7;
constexpr int kFinishText = 8;

void ShowButton(HWND button, bool visible, bool enabled) {
  winfx::CWindow view(button);
  view.Show(visible);
  view.Enable(enabled);
}

}  // namespace

CSetupWizard::CSetupWizard() : CDialog(IDD_WIZARD) {}

void CSetupWizard::AddPage(CWizardPage& page, int templateId) {
  (void)templateId;  // the page knows its template already
  m_pages.push_back(&page);
}

namespace {

BOOL CALLBACK TellOfSysColorChange(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

std::vector<int> CSetupWizard::PageIds() const {
  std::vector<int> ids;
  for (const CWizardPage* page : m_pages) ids.push_back(page->GetTemplateId());
  return ids;
}

INT_PTR CSetupWizard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Only top-level windows hear of new system colours: the pages' labels
  // repaint with them when told.
  if (message == WM_SYSCOLORCHANGE) {
    EnumChildWindows(GetHwnd(), TellOfSysColorChange, 0);
  }
  return CDialog::HandleMessage(message, wParam, lParam);
}

bool CSetupWizard::OnInitDialog() {
  SetText(SetupText(kTitlePrefixText) + L" " + SetupWide(kProductVersion));
  winfx::CWindow(GetItem(IDC_WIZARD_BACK)).SetText(SetupText(kBackText));
  winfx::CWindow(GetItem(IDC_WIZARD_NEXT)).SetText(SetupText(kNextText));
  winfx::CWindow(GetItem(IDCANCEL)).SetText(SetupText(kCancelText));
  winfx::CWindow(GetItem(IDC_WIZARD_FINISH)).SetText(SetupText(kFinishText));
  m_pageAreaId = IDC_PAGE_AREA;

  m_icon = static_cast<HICON>(LoadImageW(winfx::ResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                         IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  SetWindowLongPtrW(GetHwnd(), GWL_EXSTYLE, GetWindowLongPtrW(GetHwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);

  m_buttons = InitialWizardButtons(m_pages.size());
  ApplyButtons();
  if (!m_pages.empty()) ShowPage(0);
  return true;
}

void CSetupWizard::ApplyButtons() const {
  ShowButton(GetItem(IDC_WIZARD_BACK), m_buttons.backVisible, m_buttons.backEnabled);
  ShowButton(GetItem(IDC_WIZARD_NEXT), m_buttons.nextVisible, m_buttons.nextEnabled);
  ShowButton(GetItem(IDCANCEL), m_buttons.cancelVisible, m_buttons.cancelEnabled);
  ShowButton(GetItem(IDC_WIZARD_FINISH), m_buttons.finishVisible, m_buttons.finishEnabled);
}

bool CSetupWizard::ShowPage(std::size_t index) {
  CWizardPage& page = *m_pages[index];
  if (!page.created) {
    if (!page.CreateChild(GetHwnd())) return false;
    page.created = true;
    page.owner = this;
    if (!page.OnCreatePage()) return false;
  }
  if (m_anyActive) {
    CWizardPage& current = *m_pages[m_active];
    if (!current.OnKillActive()) return false;
    current.Show(false);
    current.active = false;
  }
  RECT area = winfx::CWindow(GetItem(m_pageAreaId)).GetRectInParent();
  SetWindowPos(page.GetHwnd(), nullptr, area.left, area.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  page.Enable(true);
  page.Show(true);
  RedrawWindow(page.GetHwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  page.OnSetActive();
  page.active = true;
  m_active = index;
  m_anyActive = true;
  return true;
}

void CSetupWizard::OnNext() {
  if (!m_anyActive) return;
  std::vector<int> ids = PageIds();
  std::optional<std::size_t> target = WizardTarget(ids, m_active, m_pages[m_active]->OnWizardNext(), true);
  if (!target || !ShowPage(*target)) return;
  UpdateButtonsAfterNext(m_buttons, ids, *target);
  ApplyButtons();
}

void CSetupWizard::OnBack() {
  if (!m_anyActive) return;
  std::optional<std::size_t> target =
      WizardTarget(PageIds(), m_active, m_pages[m_active]->OnWizardBack(), false);
  if (!target || !ShowPage(*target)) return;
  UpdateButtonsAfterBack(m_buttons, *target);
  ApplyButtons();
}

void CSetupWizard::OnFinish() {
  if (m_anyActive && !m_pages[m_active]->OnKillActive()) return;
  for (CWizardPage* page : m_pages) {
    if (page->created && !page->OnWizardFinish()) return;
  }
  EndDialog(IDC_WIZARD_FINISH);
}

void CSetupWizard::OnCancel() {
  // Escape and the close box arrive here too; while the run holds Cancel
  // disabled they do nothing.
  if (m_buttons.cancelVisible && !m_buttons.cancelEnabled) return;
  for (CWizardPage* page : m_pages) {
    if (page->created && !page->OnQueryCancel()) return;
  }
  EndDialog(IDCANCEL);
}

bool CSetupWizard::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (notifyCode != BN_CLICKED) return CDialog::OnCommand(notifyCode, id, control);
  switch (id) {
    case IDC_WIZARD_NEXT:
      OnNext();
      return true;
    case IDC_WIZARD_BACK:
      OnBack();
      return true;
    case IDC_WIZARD_FINISH:
      OnFinish();
      return true;
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool CSetupWizard::OnDestroy() {
  for (CWizardPage* page : m_pages) {
    if (!page->created || !page->OnKillActive()) continue;
    page->OnDestroyPage();
    DestroyWindow(page->GetHwnd());
    page->created = false;
  }
  return false;
}
