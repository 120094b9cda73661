#pragma once

// The setup wizard's frame: Back, Next, Cancel and Finish below a page area
// in which one page at a time is shown.

#include <vector>

#include "setup/wizard/wizard_navigation.h"
#include "setup/wizard/wizard_page.h"

class CSetupWizard : public winfx::CDialog {
 public:
  CSetupWizard();

  void AddPage(CWizardPage& page, int templateId);
  // What the progress page does when its run ends.
  void MoveNext() { OnNext(); }
  void Finish() { OnFinish(); }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnDestroy() override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  bool ShowPage(std::size_t index);
  void OnNext();
  void OnBack();
  void OnFinish();
  void ApplyButtons() const;
  std::vector<int> PageIds() const;

  std::vector<CWizardPage*> m_pages;
  std::size_t m_active = 0;
  bool m_anyActive = false;
  WizardButtons m_buttons;
  int m_pageAreaId = 0;
  HICON m_icon = nullptr;
};
