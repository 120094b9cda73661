#include "assistant/ui/kv_property_sheet.h"

#include "assistant/ui/sheet_button_layout.h"

namespace {

ButtonBox BoxOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

RECT RectOf(const ButtonBox& box) { return {box.left, box.top, box.right, box.bottom}; }

}  // namespace

void CKVPropertySheet::OnInitSheet() {
  winfx::CWindow(GetItem(kSheetApplyButton)).Show(false);
  winfx::CWindow(GetItem(IDHELP)).Show(false);
  winfx::CWindow ok(GetItem(IDOK));
  winfx::CWindow cancel(GetItem(IDCANCEL));
  RECT client = GetClientRect();
  OkCancelPlaces places =
      PlaceOkCancel(client.right - client.left, BoxOf(ok.GetRectInParent()), BoxOf(cancel.GetRectInParent()));
  ok.Move(RectOf(places.ok));
  cancel.Move(RectOf(places.cancel));
}
