#pragma once

// What the main window puts into its prefix list (control 1004): the
// prefixes of the library's materials, the five built-in prefixes and the
// prefixes of the user formulas, with the tips of the latter two in
// g_tipTable.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/engine/material_library.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/prefix_tips.h"

struct BuiltinPrefix {
  const char* text;  // GBK bytes
  int tipRow;        // row of g_uiText with the item's tip
};

inline constexpr int kBuiltinPrefixCount = 5;
inline constexpr std::array<BuiltinPrefix, kBuiltinPrefixCount> kBuiltinPrefixes{{
    {"D", 47},
    {"C", 48},
    {"'-", 49},
    {"\xA6\xD5", 50},  // the bar sign
    {"H", 51},
}};

// The letters before the first digit that follows the first byte of `spec`
// ("HW" of "HW100X100X6X10", "2L" of "2L63X5"); empty when no digit follows.
std::string_view LibraryPrefix(std::string_view spec);

// The distinct prefixes of the material texts in order of first appearance;
// prefixes that differ only in letter case count once, as first written.
std::vector<std::string> CollectLibraryPrefixes(std::span<const std::string> specs);

// The index of the first material text that begins with `start` (letter
// case aside), or -1.
int FindMaterialStartingWith(std::span<const std::string> specs, std::string_view start);

// Slots 0 to 4: the tips of the built-in prefixes, rows 47 to 51 of `texts`.
void FillBuiltinTips(TipTable& tips, const TextTable& texts);

// Slot 5 + i: the notation of user formula i (its prefix followed by its
// variables), for the formulas whose slot lies inside the table.
void FillUserFormulaTips(TipTable& tips, std::span<const UserFormula> formulas);
