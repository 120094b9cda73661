#include "setup/wizard/progress_page.h"

#include "base/code_page.h"
#include "setup/engine/installation.h"
#include "setup/res/install_resource.h"
#include "setup/wizard/setup_services.h"
#include "setup/wizard/setup_wizard.h"
#include "setup/wizard/wizard_texts.h"
#include "winfx/controls/progress_bar.h"

namespace {

constexpr UINT_PTR kRunTimer = 0;
constexpr UINT kRunTimerMs = 10;
// Windows that could be waiting for a paint at once, with room to spare.
constexpr int kPaintLimit = 64;
constexpr int kTickLimit = 200;
constexpr int kSetupFailedText = 21;
constexpr int kProgressTitleText = 41;
constexpr int kProgressCaptionText = 42;
constexpr int kFileLabelText = 43;

// The run holds the thread: the wizard paints what waits (the new page, the
// bar, a window uncovered) between files, or it stays as it was, or black,
// until the end. Only paints: no click reaches the wizard meanwhile.
void PaintPending() {
  MSG message;
  for (int paints = 0; paints < kPaintLimit && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
       ++paints) {
    DispatchMessageW(&message);
  }
}

}  // namespace

CProgressPage::CProgressPage(CSetupServices& services)
    : CWizardPage(IDD_PROGRESS_PAGE), m_services(services) {}

bool CProgressPage::OnInitDialog() {
  CWizardPage::OnInitDialog();
  MakeTitleLabel(IDC_PAGE_TITLE, RGB(0, 0, 128));
  winfx::CWindow(GetItem(IDC_PAGE_TITLE)).SetText(SetupText(kProgressTitleText));
  winfx::CWindow(GetItem(IDC_PROGRESS_CAPTION)).SetText(SetupText(kProgressCaptionText));
  winfx::CWindow(GetItem(IDC_FILE_LABEL)).SetText(SetupText(kFileLabelText));
  StartTimer(kRunTimer, kRunTimerMs);
  m_ticks = 0;
  return true;
}

bool CProgressPage::OnTimer(UINT_PTR id) {
  if (id != kRunTimer) return false;
  if (m_ticks == 1) {
    Run();
  } else if (m_ticks < kTickLimit) {
    ++m_ticks;
  }
  return true;
}

void CProgressPage::Run() {
  PaintPending();
  InstallEnvironment environment{m_services.registry,  m_services.files, m_services.folders,
                                 m_services.resources, m_services.links, *this,
                                 m_services.pacer};
  if (RunInstallation(environment)) {
    owner->MoveNext();
    return;
  }
  ShowSetupMessage(GetHwnd(), kSetupFailedText, MB_OK | MB_ICONSTOP);
  owner->Finish();
}

void CProgressPage::StopTimer() { CWindow::StopTimer(kRunTimer); }

void CProgressPage::SetProgressRange(int low, int high) {
  winfx::CProgressBar(GetItem(IDC_PROGRESS)).SetRange(low, high);
}

void CProgressPage::SetProgressPosition(int position) {
  winfx::CProgressBar bar(GetItem(IDC_PROGRESS));
  bar.SetPos(position);
  PaintPending();
}

void CProgressPage::SetFileLabel(const std::string& text) {
  winfx::CWindow label(GetItem(IDC_FILE_LABEL));
  label.SetText(DecodeToWide(text, kCodePageUtf8));
  PaintPending();
}

void CProgressPage::ShowPlainMessage(const std::string& text) {
  MessageBoxW(GetHwnd(), DecodeToWide(text, kCodePageUtf8).c_str(), L"Install", MB_OK);
}
