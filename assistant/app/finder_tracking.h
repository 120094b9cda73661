#pragma once

// One tick of the main window's tracking timer: the link lets go of a
// spreadsheet whose main window has gone, and while the finder is dragged
// the workbook window under the pointer is looked up and attached.

#include <optional>
#include <string>

#include "assistant/bom_sheet/excel_link.h"

// What the tick asks of the desktop.
class TrackingDesktop {
 public:
  virtual ~TrackingDesktop() = default;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  // The title (GBK) of the window under the mouse pointer; none when the
  // pointer is over no window.
  virtual std::optional<std::string> TitleUnderPointer() = 0;
};

// The window title read under the pointer is cut to this many bytes.
inline constexpr std::size_t kPickedTitleBytes = 254;

// False when tracking is suspended (the tick did nothing).
bool RunTrackingTick(ExcelLink& link, TrackingDesktop& desktop);
