#include "assistant/app/finder_tracking.h"

#include "base/status.h"

namespace {

// Attaches the active sheet of the application whose workbook window is
// titled `title`. The attached caption changes only when such a workbook is
// found: a title of any other window under the pointer must not stand for
// the sheet that stays attached.
void PickWorkbook(ExcelLink& link, const std::string& title) {
  ExcelDispatch previous = link.app;
  if (FindExcelByCaption(link, title) != 1) return;
  ExcelDispatch found = link.app;
  link.app = previous;
  link.picking = false;
  DetachSheet(link);
  link.caption = title;
  link.sheetIndex = -1;
  link.app = found;
  // A failed attach, also one the spreadsheet ends with an error, leaves
  // the finder picking.
  int attached = ST_FAIL;
  try {
    attached = AttachSheet(link, link.caption, link.sheetIndex);
  } catch (...) {
    link.picking = true;
    throw;
  }
  if (attached != ST_OK) link.picking = true;
}

}  // namespace

bool RunTrackingTick(ExcelLink& link, TrackingDesktop& desktop) {
  if (link.trackingSuspended) return false;
  if (link.excelWindow == 0 || !desktop.IsWindowVisible(link.excelWindow)) DetachSheet(link);
  if (link.picking) {
    if (std::optional<std::string> title = desktop.TitleUnderPointer()) PickWorkbook(link, *title);
  }
  return true;
}
