#pragma once

// The uninstaller's progress: a small window with the stage's text, the
// item at hand and a bar. The removal runs on the window's thread: every
// step lets the window paint and move, so that it answers on a large
// installation too.

#include "tools/uninstall/uninstall_messages.h"
#include "tools/uninstall/uninstall_progress.h"
#include "winfx/dialog.h"

class CProgressWindow : public winfx::CDialog, public UninstallProgress {
 public:
  explicit CProgressWindow(const CUninstallMessages& messages);
  ~CProgressWindow() override;

  // Shows the window; false when it cannot be made (the run goes on
  // without it).
  bool Show();
  HWND Owner() const { return GetHwnd(); }

  void BeginStage(int messageRow, int total) override;
  void ItemDone(const std::string& item) override;

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}  // the removal cannot be stopped halfway

 private:
  // Paints and moves what waits, without taking input for the removal.
  void Pump() const;

  const CUninstallMessages& m_messages;
  int m_done = 0;
};
