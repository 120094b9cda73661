#include "assistant/app/prefix_list_fill.h"

#include <algorithm>

#include "base/code_page.h"
#include "base/text_helpers.h"

namespace {

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

// A slot keeps its last byte for the terminator; a text that is longer is
// cut before a whole character.
void SetSlot(TipTable& tips, std::size_t slot, std::string_view text, unsigned codePage) {
  std::string_view fitting = CutCodePageText(text, kTipSlotBytes - 1, codePage);
  tips[slot].fill('\0');
  std::copy(fitting.begin(), fitting.end(), tips[slot].begin());
}

std::string_view RowText(const TextTable& texts, int row) {
  const auto& slot = texts[static_cast<std::size_t>(row)];
  std::string_view bytes(slot.data(), slot.size());
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::string_view LibraryPrefix(std::string_view spec) {
  for (std::size_t j = 1; j < spec.size(); ++j) {
    if (IsDigit(spec[j])) return spec.substr(0, j);
  }
  return {};
}

std::vector<std::string> CollectLibraryPrefixes(std::span<const std::string> specs) {
  std::vector<std::string> prefixes;
  for (const std::string& spec : specs) {
    std::string_view prefix = LibraryPrefix(spec);
    if (prefix.empty()) continue;
    bool known = std::any_of(prefixes.begin(), prefixes.end(),
                             [&](const std::string& kept) { return CompareLibraryText(kept, prefix); });
    if (!known) prefixes.emplace_back(prefix);
  }
  return prefixes;
}

int FindMaterialStartingWith(std::span<const std::string> specs, std::string_view start) {
  for (std::size_t i = 0; i < specs.size(); ++i) {
    if (StartsWithLibraryText(specs[i], start)) return static_cast<int>(i);
  }
  return -1;
}

void FillBuiltinTips(TipTable& tips, const TextTable& texts) {
  for (std::size_t i = 0; i < kBuiltinPrefixes.size(); ++i) {
    // A row (100 bytes) always fits a slot: the code page is never needed.
    SetSlot(tips, i, RowText(texts, kBuiltinPrefixes[i].tipRow), kCodePageGbk);
  }
}

void FillUserFormulaTips(TipTable& tips, std::span<const UserFormula> formulas) {
  for (std::size_t i = 0; i < formulas.size(); ++i) {
    std::size_t slot = kBuiltinPrefixes.size() + i;
    if (slot >= tips.size()) break;
    SetSlot(tips, slot, formulas[i].prefix + formulas[i].variables, kCodePageGbk);
  }
}
