#pragma once

// The setup program's three language tables. A table has 100 slots of 256
// bytes; each slot holds one zero-terminated text in the code page of its
// language (GBK for simplified Chinese, Big5 for traditional Chinese, ASCII for
// English). Texts are addressed by slot number; unused slots are empty.

#include <initializer_list>

#include "base/fixed_text_table.h"

inline constexpr int kSetupTextSlots = 100;
inline constexpr int kSetupTextSlotBytes = 256;

using SetupTextTable = FixedTextTable<kSetupTextSlots, kSetupTextSlotBytes>;

extern const SetupTextTable kSetupTextChs;
extern const SetupTextTable kSetupTextEng;
extern const SetupTextTable kSetupTextCht;

using SetupTextSlot = FixedTextEntry;

consteval SetupTextTable MakeSetupTextTable(std::initializer_list<SetupTextSlot> slots) {
  return MakeFixedTextTable<kSetupTextSlots, kSetupTextSlotBytes>(slots);
}
