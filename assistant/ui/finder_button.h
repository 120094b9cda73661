#pragma once

// CFinderButton: the finder of the main window (control 1007), a flat icon
// button that shows the finder cursor (resource 132). Pressing it starts a
// pick: the link's pick flag is set, tracking resumes, the button gives up
// its image and the pointer becomes the finder cursor, so that the user
// seems to drag the finder off the button; the main window's timer then
// looks for a workbook window under the pointer. Releasing the mouse button
// ends the pick and puts the finder back on the button, wherever the pointer
// is, since the pressed button holds the mouse capture.
//
// The main window subclasses its button with it and gives it its first
// image:
//   m_finder.SubclassDlgItem(GetHwnd(), 1007, m_link);
//   m_finder.ShowFinderImage();

#include <windows.h>

#include "winfx/controls/button.h"
#include "winfx/subclassed_control.h"

struct ExcelLink;

inline constexpr int kFinderCursorId = 132;

class CFinderButton : public winfx::CSubclassedControl<winfx::CButton> {
 public:
  // Takes over the button's mouse handling for `link`; false when the
  // control does not exist or the object already serves a window.
  bool Subclass(HWND control, ExcelLink& link);
  bool SubclassDlgItem(HWND dialog, int id, ExcelLink& link) {
    return Subclass(GetDlgItem(dialog, id), link);
  }

  // The finder cursor as the button's image.
  void ShowFinderImage() const;

  // The finder cursor of the program's resources (shared: never destroyed).
  static HCURSOR FinderCursor();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnLButtonDown();
  void OnLButtonUp();

  ExcelLink* m_link = nullptr;
};
