#pragma once

// What the spreadsheet link needs from the assistant's main window: its
// message box, the sheet text (control 1009), the link light (control
// 1010), its place on top, and the material list.

#include <string>
#include <string_view>

class ExcelDispatch;

inline constexpr int kLinkLightAttached = 134;  // green ball
inline constexpr int kLinkLightDetached = 136;  // red ball

class LinkWindow {
 public:
  virtual ~LinkWindow() = default;

  // A message box owned by the main window, caption "Ostrevia3.5", stop icon.
  virtual void ShowStopMessage(std::string_view text) = 0;
  // Control 1009: the attached workbook and sheet (GBK bytes), "" when none.
  virtual void ShowSheetText(std::string_view text) = 0;
  // Control 1010 shows bitmap resource `bitmapId`.
  virtual void ShowLinkLight(int bitmapId) = 0;
  // Topmost, position and size unchanged, and restored.
  virtual void MakeTopmostAndRestore() = 0;
  // The selection moved to `row` of the specification column of `sheet`.
  virtual void SyncMaterialList(const ExcelDispatch& sheet, int row) = 0;
  // An error of the spreadsheet ended a sheet event. The window shows it once
  // the event has returned: a message box inside the event would hold the
  // spreadsheet, which waits for the call.
  virtual void ReportEventError(std::u16string_view description) = 0;
  // A sheet event calculates a long block: the wait pointer while it lasts.
  virtual void ShowWaitPointer(bool shown) { (void)shown; }
};
