#include "assistant/ui/list_item_paint.h"

ItemBackground PlanItemBackground(bool selected, bool drawEntire, bool selectionChanged) {
  if (selected && (drawEntire || selectionChanged)) return ItemBackground::kHighlightWithFocus;
  if (!selected && selectionChanged) return ItemBackground::kClearFocusThenWindow;
  return ItemBackground::kNone;
}
