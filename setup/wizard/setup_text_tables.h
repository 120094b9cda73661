#pragma once

// The setup program's three language tables. A table has 100 slots of 256
// bytes; each slot holds one zero-terminated text in the code page of its
// language (GBK for simplified Chinese, Big5 for traditional Chinese, ASCII for
// English). Texts are addressed by slot number; unused slots are empty.

#include <array>
#include <cstddef>
#include <initializer_list>

inline constexpr int kSetupTextSlots = 100;
inline constexpr int kSetupTextSlotBytes = 256;

using SetupTextTable = std::array<std::array<char, kSetupTextSlotBytes>, kSetupTextSlots>;

extern const SetupTextTable kSetupTextChs;
extern const SetupTextTable kSetupTextEng;
extern const SetupTextTable kSetupTextCht;

struct SetupTextSlot {
  int slot;
  const char* text;
};

// Builds a table at compile time; a text that does not fit its slot, or a
// slot number out of range, stops the build.
consteval SetupTextTable MakeSetupTextTable(std::initializer_list<SetupTextSlot> slots) {
  SetupTextTable table{};
  for (const SetupTextSlot& entry : slots) {
    if (entry.slot < 0 || entry.slot >= kSetupTextSlots) throw "text slot out of range";
    std::size_t length = 0;
    while (entry.text[length] != '\0') ++length;
    if (length >= kSetupTextSlotBytes) throw "text longer than its slot";
    for (std::size_t i = 0; i < length; ++i) table[entry.slot][i] = entry.text[i];
  }
  return table;
}
