#pragma once

#include "winfx/window.h"

namespace winfx {

class CStatic : public CWindow {
 public:
  using CWindow::CWindow;
  HICON SetIcon(HICON icon) const {
    return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
  }
  HBITMAP SetBitmap(HBITMAP bitmap) const {
    return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};

}  // namespace winfx
