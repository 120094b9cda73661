#pragma once

// The tips of the prefix list (control 1004 of the main window). The main
// window fills g_prefixCount and g_tipTable; the list's tooltip reads them:
// the first g_prefixCount items (the prefixes of the library's materials)
// show their own text, item g_prefixCount + k shows slot k of the table.
//
// Tips are code-page bytes (GBK or Big5). The tooltip's text buffer holds 80
// characters, so a tip is cut to 79 (bytes in the narrow buffer, UTF-16
// units in the wide one), never inside a double-byte character or a
// surrogate pair.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/fixed_text_table.h"

inline constexpr int kTipSlots = 100;
inline constexpr int kTipSlotBytes = 512;
// The tooltip's own text buffer: 79 characters and a terminator.
inline constexpr std::size_t kTipBufferChars = 80;
inline constexpr std::size_t kTipTextLimit = kTipBufferChars - 1;

using TipTable = FixedTextTable<kTipSlots, kTipSlotBytes>;

// The count of leading items, whose tip is their own text.
extern int g_prefixCount;
// Slot k: the tip of the item at index g_prefixCount + k.
extern TipTable g_tipTable;

// Where the tip of one tool (the list item with that index) comes from.
struct TipChoice {
  bool ownText = false;       // the item's own text
  std::string_view slotText;  // otherwise the slot's bytes; empty beyond the table
};

TipChoice ChooseTip(int toolId, int prefixCount, const TipTable& table);

// The longest start of `text` of at most `limit` bytes that does not end
// inside a double-byte character of `codePage` (GBK 936 or Big5 950; every
// other code page is taken as single-byte).
std::string_view CutCodePageText(std::string_view text, std::size_t limit, unsigned codePage);

// The longest start of `text` of at most `limit` UTF-16 units that does not
// end between the two halves of a surrogate pair.
std::u16string_view CutUtf16Text(std::u16string_view text, std::size_t limit);

// The tip of tool `toolId`, cut to fit the tooltip's buffer: as bytes of
// `codePage` for the narrow notification, as UTF-16 for the wide one.
// `itemText` is the item's own text, used for leading items.
std::string NarrowTipText(int toolId, std::u16string_view itemText, int prefixCount, const TipTable& table,
                          unsigned codePage);
std::u16string WideTipText(int toolId, std::u16string_view itemText, int prefixCount, const TipTable& table,
                           unsigned codePage);

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
