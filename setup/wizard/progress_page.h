#pragma once

#include "setup/engine/setup_ports.h"
#include "setup/wizard/wizard_page.h"

struct CSetupServices;

// Runs the installation on the second tick of its timer, then moves the
// wizard to the finish page, or reports the failure and closes it.
class CProgressPage : public CWizardPage, private ProgressView {
 public:
  explicit CProgressPage(CSetupServices& services);

 protected:
  bool OnInitDialog() override;
  bool OnTimer(UINT_PTR id) override;

 private:
  void Run();

  // What the run shows on this page.
  void StopTimer() override;
  void SetProgressRange(int low, int high) override;
  void SetProgressPosition(int position) override;
  void SetFileLabel(const std::string& text) override;
  void ShowPlainMessage(const std::string& text) override;

  CSetupServices& m_services;
  int m_ticks = 0;
};
