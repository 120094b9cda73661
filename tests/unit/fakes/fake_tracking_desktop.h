#pragma once

#include <optional>
#include <string>

#include "assistant/app/finder_tracking.h"

// The desktop as the finder sees it while tracking.
class CFakeDesktop : public TrackingDesktop {
 public:
  explicit CFakeDesktop(WindowHandle visible) : visibleWindow(visible) {}

  bool IsWindowVisible(WindowHandle window) override { return window == visibleWindow; }
  std::optional<std::string> TitleUnderPointer() override { return title; }

  WindowHandle visibleWindow;
  std::optional<std::string> title;
};
