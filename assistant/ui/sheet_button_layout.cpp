#include "assistant/ui/sheet_button_layout.h"

OkCancelPlaces PlaceOkCancel(int sheetWidth, const ButtonBox& ok, const ButtonBox& cancel) {
  int width = ok.Width();
  OkCancelPlaces places;
  places.ok = {0, ok.top, sheetWidth - sheetWidth / 20, ok.bottom};
  places.ok.left = places.ok.right - width;
  places.cancel = {0, cancel.top, places.ok.left - kOkCancelGap, cancel.bottom};
  places.cancel.left = places.cancel.right - width;
  return places;
}
