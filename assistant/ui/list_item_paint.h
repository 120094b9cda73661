#pragma once

// What the prefix list paints beneath an item before its text, from the
// item's state and the reason for the drawing request.

enum class ItemBackground {
  kNone,
  // The highlight colour over the whole item, with a focus rectangle round it.
  kHighlightWithFocus,
  // The focus rectangle drawn again (which takes away the earlier one), then
  // the window colour over the item.
  kClearFocusThenWindow,
};

// `drawEntire` and `selectionChanged` are the request's reasons (the whole
// item, a change of selection); a request for the focus alone is neither.
ItemBackground PlanItemBackground(bool selected, bool drawEntire, bool selectionChanged);
