#include "tools/uninstall/progress_window.h"

#include "base/code_page.h"
#include "tools/uninstall/uninstall_resource.h"
#include "winfx/controls/progress_bar.h"

namespace {

std::wstring Wide(const std::string& utf8) { return DecodeToWide(utf8, kCodePageUtf8); }

}  // namespace

CProgressWindow::CProgressWindow(const CUninstallMessages& messages)
    : CDialog(IDD_UNINSTALL_PROGRESS), m_messages(messages) {}

CProgressWindow::~CProgressWindow() {
  if (GetHwnd()) DestroyWindow(GetHwnd());
}

bool CProgressWindow::Show() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (!CreateChild(nullptr)) return false;
  ShowWindow(GetHwnd(), SW_SHOW);
  Pump();
  return true;
}

bool CProgressWindow::OnInitDialog() {
  SetText(Wide(m_messages.Text(kMsgCaption)));
  return true;
}

void CProgressWindow::BeginStage(int messageRow, int total) {
  if (!GetHwnd()) return;
  m_done = 0;
  winfx::CWindow(GetItem(IDC_PROGRESS_STAGE)).SetText(Wide(m_messages.Text(messageRow)));
  winfx::CWindow(GetItem(IDC_PROGRESS_ITEM)).SetText(L"");
  winfx::CProgressBar bar(GetItem(IDC_PROGRESS_BAR));
  bar.SetRange(0, total > 0 ? total : 1);
  bar.SetPos(0);
  Pump();
}

void CProgressWindow::ItemDone(const std::string& item) {
  if (!GetHwnd()) return;
  winfx::CWindow(GetItem(IDC_PROGRESS_ITEM)).SetText(Wide(item));
  winfx::CProgressBar(GetItem(IDC_PROGRESS_BAR)).SetPos(++m_done);
  Pump();
}

void CProgressWindow::Pump() const {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageW(GetHwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
