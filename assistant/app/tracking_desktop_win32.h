#pragma once

// The tracking timer's view of the real desktop: window visibility and the
// title of the window under the mouse pointer.

#include "assistant/app/finder_tracking.h"

class CWin32TrackingDesktop : public TrackingDesktop {
 public:
  bool IsWindowVisible(WindowHandle window) override;
  std::optional<std::string> TitleUnderPointer() override;
};
