#pragma once

// A control of a dialog template that a class of ours takes over: the
// control's messages reach HandleMessage first and the control's own
// procedure through Default. The object lets go of the control when either
// of the two ends.

#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "winfx/message_box.h"

namespace winfx {

template <typename Control>
class CSubclassedControl : public Control {
 public:
  CSubclassedControl() = default;
  virtual ~CSubclassedControl() {
    if (HWND hwnd = this->GetHwnd()) RemoveWindowSubclass(hwnd, Proc, kSubclassId);
  }
  CSubclassedControl(const CSubclassedControl&) = delete;
  CSubclassedControl& operator=(const CSubclassedControl&) = delete;

 protected:
  // Takes over `control`; false when it does not exist or the object
  // already serves a window.
  bool TakeOver(HWND control) {
    if (!control || this->GetHwnd()) return false;
    if (!SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    this->Attach(control);
    return true;
  }

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
  }
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(this->GetHwnd(), message, wParam, lParam);
  }
  // The control is being destroyed; the object is detached right after.
  virtual void OnControlDestroyed() {}

 private:
  static constexpr UINT_PTR kSubclassId = 1;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    auto* self = reinterpret_cast<CSubclassedControl*>(data);
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(hwnd, Proc, kSubclassId);
      self->OnControlDestroyed();
      self->Attach(nullptr);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    // No exception may unwind through the system's code.
    try {
      return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      ShowUnhandledException(GetParent(hwnd));
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
  }
};

}  // namespace winfx
