#include "assistant/ui/bom_style_page_rules.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <span>

#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/texts/text_tables.h"
#include "base/format_text.h"
#include "base/text_helpers.h"

namespace {

// The letters a style keeps for a column it does not have.
constexpr const char* kNoColumnLetters = "0";
constexpr int kMaxColumnParts = 2;

using ColumnParts = std::array<std::string, kMaxColumnParts>;

// The field's columns; the count of parts is returned even beyond two.
int SplitColumnParts(const std::string& field, ColumnParts& parts) {
  return SplitFields(field, kColumnSeparators, std::span<std::string>(parts));
}

// The main column alone, or the optional one and the main one joined in
// field order when the optional one exists.
std::string JoinColumns(const BomColumn& first, const BomColumn& second, bool optionalIsFirst) {
  const BomColumn& optional = optionalIsFirst ? first : second;
  if (optional.number <= 0) return optionalIsFirst ? second.letters : first.letters;
  return first.letters + kColumnJoiner + second.letters;
}

// A field that must name one or two valid columns: its fault, or none.
BomStyleFault CheckColumnList(BomStyleField field, const std::string& text) {
  ColumnParts parts;
  int count = SplitColumnParts(text, parts);
  if (count < 1 || count > kMaxColumnParts) return {field, text};
  for (int i = 0; i < count; ++i) {
    if (ColumnNumberFromText(parts[i]) <= 0) return {field, parts[i]};
  }
  return {};
}

BomColumn ColumnFromText(std::string_view text) {
  BomColumn column{ColumnNumberFromText(text), kNoColumnLetters};
  ColumnLetters(column.number, column.letters);
  return column;
}

int ReadHeadRows(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < 0) return kFallbackHeadRows;
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

BomStyleFields ShowBomStyle(const AssistantSettings& settings, int style) {
  const BomStyleLayout& layout = settings.layouts[style != 0 ? 1 : 0];
  BomStyleFields fields;
  fields.headRows = FormatText("%d", layout.headRows);
  fields.material = layout.material.letters;
  fields.length = layout.length.letters;
  fields.count = JoinColumns(layout.faceCount, layout.inverseCount, false);
  fields.weight = JoinColumns(layout.singleWeight, layout.totalWeight, true);
  fields.templateFile = TemplateFileName(style);
  return fields;
}

BomStyleFault FindBomStyleFault(const BomStyleFields& fields) {
  if (ColumnNumberFromText(fields.material) <= 0) return {BomStyleField::kMaterial, fields.material};
  if (ColumnNumberFromText(fields.length) <= 0) return {BomStyleField::kLength, fields.length};
  BomStyleFault fault = CheckColumnList(BomStyleField::kCount, fields.count);
  if (fault.field != BomStyleField::kNone) return fault;
  return CheckColumnList(BomStyleField::kWeight, fields.weight);
}

std::string BomStyleFaultMessage(const BomStyleFault& fault) {
  return FormatText(UiText(kInvalidColumnText), fault.text.c_str());
}

void StoreBomStyle(const BomStyleFields& fields, BomStyleLayout& layout) {
  layout.headRows = ReadHeadRows(fields.headRows);
  layout.material = ColumnFromText(std::string_view(fields.material).substr(0, kColumnFieldBytes));
  layout.length = ColumnFromText(std::string_view(fields.length).substr(0, kColumnFieldBytes));
  ColumnParts parts;
  SplitColumnParts(fields.count, parts);
  layout.faceCount = ColumnFromText(parts[0]);
  layout.inverseCount = ColumnFromText(parts[1]);
  int weights = SplitColumnParts(fields.weight, parts);
  if (weights >= kMaxColumnParts) {
    layout.singleWeight = ColumnFromText(parts[0]);
    layout.totalWeight = ColumnFromText(parts[1]);
  } else {
    layout.singleWeight = ColumnFromText("");
    layout.totalWeight = ColumnFromText(parts[0]);
  }
}
