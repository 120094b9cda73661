#include "assistant/ui/prefix_tips.h"

#include "base/code_page.h"

int g_prefixCount = 0;
TipTable g_tipTable{};

namespace {

bool IsDoubleByteCodePage(unsigned codePage) { return codePage == kCodePageGbk || codePage == kCodePageBig5; }

// GBK and Big5 both start their double-byte characters with 0x81 to 0xFE.
bool IsLeadByte(char byte) {
  auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// A slot's text up to its zero, or the whole slot when it has none.
std::string_view SlotText(const TipTable::value_type& slot) {
  std::string_view bytes(slot.data(), slot.size());
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

TipChoice ChooseTip(int toolId, int prefixCount, const TipTable& table) {
  TipChoice choice;
  if (toolId < 0) return choice;
  if (toolId < prefixCount) {
    choice.ownText = true;
    return choice;
  }
  // A tool past the table's last slot gets no tip rather than bytes from
  // outside it.
  long long slot = static_cast<long long>(toolId) - prefixCount;
  if (slot < static_cast<long long>(table.size()))
    choice.slotText = SlotText(table[static_cast<size_t>(slot)]);
  return choice;
}

std::string_view CutCodePageText(std::string_view text, std::size_t limit, unsigned codePage) {
  if (!IsDoubleByteCodePage(codePage)) return text.substr(0, limit);
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t width = IsLeadByte(text[end]) && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return text.substr(0, end);
}

std::u16string_view CutUtf16Text(std::u16string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  if (end > 0 && IsHighSurrogate(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string NarrowTipText(int toolId, std::u16string_view itemText, int prefixCount, const TipTable& table,
                          unsigned codePage) {
  TipChoice choice = ChooseTip(toolId, prefixCount, table);
  if (choice.ownText) {
    std::string bytes = EncodeToCodePage(itemText, codePage);
    return std::string(CutCodePageText(bytes, kTipTextLimit, codePage));
  }
  return std::string(CutCodePageText(choice.slotText, kTipTextLimit, codePage));
}

std::u16string WideTipText(int toolId, std::u16string_view itemText, int prefixCount, const TipTable& table,
                           unsigned codePage) {
  TipChoice choice = ChooseTip(toolId, prefixCount, table);
  if (choice.ownText) return std::u16string(CutUtf16Text(itemText, kTipTextLimit));
  // The wide buffer holds 79 characters, so a Chinese tip keeps twice as many
  // as in the narrow one.
  std::u16string text = DecodeFromCodePage(choice.slotText, codePage);
  return std::u16string(CutUtf16Text(text, kTipTextLimit));
}

ItemBackground PlanItemBackground(bool selected, bool drawEntire, bool selectionChanged) {
  if (selected && (drawEntire || selectionChanged)) return ItemBackground::kHighlightWithFocus;
  if (!selected && selectionChanged) return ItemBackground::kClearFocusThenWindow;
  return ItemBackground::kNone;
}
