#pragma once

#include "winfx/window.h"

#include <commctrl.h>

namespace winfx {

class CProgressBar : public CWindow {
 public:
  using CWindow::CWindow;
  void SetRange(int low, int high) const { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
  void SetPos(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
  int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
  void SetStep(int step) const { Send(PBM_SETSTEP, static_cast<WPARAM>(step)); }
  void StepIt() const { Send(PBM_STEPIT); }
};

}  // namespace winfx
