#include "assistant/engine/bom_row.h"

#include <cmath>
#include <cstdlib>

#include "assistant/config/bom_style.h"
#include "assistant/engine/material_library.h"
#include "assistant/engine/unit_weight.h"
#include "base/format_text.h"
#include "base/status.h"

MaterialLibrary g_materialLibrary;

namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n\v\f";
  std::size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

const char* Letters(const BomColumn& column) { return column.letters.c_str(); }

std::string TotalWeightFormula(const CurrentLayout& layout, int row, double unitWeight) {
  bool inverse = layout.inverseCount.number > 0;
  if (layout.singleWeight.number > 0) {
    if (inverse) {
      return FormatText("=(%s%d+%s%d)*%s%d", Letters(layout.faceCount), row, Letters(layout.inverseCount),
                        row, Letters(layout.singleWeight), row);
    }
    return FormatText("=%s%d*%s%d", Letters(layout.faceCount), row, Letters(layout.singleWeight), row);
  }
  // This form prints the weight after a pass through a 32-bit float.
  double printed = static_cast<float>(unitWeight);
  if (inverse) {
    return FormatText("=(%s%d+%s%d)*%s%d*%f/1000", Letters(layout.faceCount), row,
                      Letters(layout.inverseCount), row, Letters(layout.length), row, printed);
  }
  return FormatText("=%s%d*%s%d*%f/1000", Letters(layout.faceCount), row, Letters(layout.length), row,
                    printed);
}

// A weight per metre as %f prints it and the spreadsheet may shorten it.
bool IsDecimal(std::string_view text) {
  std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return !whole.empty() && digits(whole) && digits(fraction) &&
         (point == std::string_view::npos || !fraction.empty());
}

// `formula` is `prefix`, a weight and `suffix`.
bool HasWeightBetween(std::string_view formula, const std::string& prefix, std::string_view suffix) {
  if (formula.size() <= prefix.size() + suffix.size()) return false;
  if (!formula.starts_with(prefix) || !formula.ends_with(suffix)) return false;
  return IsDecimal(formula.substr(prefix.size(), formula.size() - prefix.size() - suffix.size()));
}

}  // namespace

bool IsBomWeightFormula(std::string_view formula, int row, int column, const CurrentLayout& layout) {
  if (column <= 0) return false;
  if (column == layout.singleWeight.number) {
    return HasWeightBetween(formula, FormatText("=%s%d*", Letters(layout.length), row), "/1000");
  }
  if (column != layout.totalWeight.number) return false;
  if (layout.singleWeight.number > 0) return formula == TotalWeightFormula(layout, row, 0);
  // The total with the weight in it: its text up to the weight.
  std::string withWeight = TotalWeightFormula(layout, row, 0);
  std::string prefix = withWeight.substr(0, withWeight.rfind('*') + 1);
  return HasWeightBetween(formula, prefix, "/1000");
}

std::string BomSpecificationOf(std::string_view shownText) {
  std::string spec(Trimmed(shownText));
  if (spec.starts_with("%%C") || spec.starts_with("%%c")) spec.replace(0, 3, "D");
  return spec;
}

int BomLookupMode(const AssistantSettings& settings) {
  return settings.caseSensitive == 1 ? kLookupExact : kLookupIgnoreCase;
}

BomRowResult ComputeBomRow(std::string_view shownText, int row, const MaterialLibrary& library,
                           const CurrentLayout& layout, const AssistantSettings& settings) {
  BomRowResult result;
  std::string spec = BomSpecificationOf(shownText);
  double weight = 0;
  if (row < 1 || ComputeUnitWeight(library, spec, weight, BomLookupMode(settings), settings.factor,
                                   settings.density) != ST_OK) {
    return result;
  }
  // A weight that no float holds (a huge factor or density) would be
  // written as "inf" where the total passes it through a float.
  if (!std::isfinite(static_cast<float>(weight))) return result;
  result.computed = true;
  result.specificationColor = kBomColorBlack;
  // The formulas carry the weight as the sheet shows it, to two decimals.
  double unitWeight = std::strtod(FormatText("%.2f", weight).c_str(), nullptr);
  if (layout.singleWeight.number > 0) {
    result.singleWeightFormula = FormatText("=%s%d*%f/1000", Letters(layout.length), row, unitWeight);
  }
  result.totalWeightFormula = TotalWeightFormula(layout, row, unitWeight);
  return result;
}
