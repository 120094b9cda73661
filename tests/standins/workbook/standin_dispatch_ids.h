#pragma once

// Dispatch ids of the members that the assistant does not call and a
// user's macro does, late-bound by name; the stand-in answers them.

namespace standin_dispid {
inline constexpr int kDefault = 0;          // DISPID_VALUE: Item of a collection, a range's value
inline constexpr int kActivate = 0x130;     // a workbook's: it becomes the active one
inline constexpr int kWindowState = 0x18C;  // a window's: maximised (-4137) or normal (-4143)
inline constexpr int kWorksheets = 0x1EE;
inline constexpr int kPrefixCharacter = 0x1F8;
inline constexpr int kHwnd = 0x7EE;  // the frame window's handle
// Range: edits of many cells, and a range's areas.
inline constexpr int kClear = 0x6F;
inline constexpr int kClearContents = 0x71;
inline constexpr int kDelete = 0x75;
inline constexpr int kEntireColumn = 0xF6;
inline constexpr int kEntireRow = 0xF7;
inline constexpr int kInsert = 0xFC;
inline constexpr int kCopy = 0x227;
inline constexpr int kAreas = 0x238;
inline constexpr int kCountLarge = 0x9C3;
// The stand-in's own test switch: HoldBusy(milliseconds).
inline constexpr int kHoldBusy = 0x7F00;
}  // namespace standin_dispid
