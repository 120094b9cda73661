#pragma once

// The calculation of one BOM row from its inputs alone: the unit weight of
// the row's specification and the spreadsheet formulas of its piece weight
// and total weight, with the colour its specification is to be shown in.
// Writing the result into a sheet is the BOM sheet layer's.

#include <string>
#include <string_view>

struct AssistantSettings;
struct CurrentLayout;
struct MaterialLibrary;

// The process-wide library that the main window loads.
extern MaterialLibrary g_materialLibrary;

inline constexpr int kBomColorRed = 255;
inline constexpr int kBomColorBlack = 0;

struct BomRowResult {
  bool computed = false;                  // the specification has a weight
  int specificationColor = kBomColorRed;  // black when computed
  std::string singleWeightFormula;        // ASCII; empty when the layout has no such column
  std::string totalWeightFormula;         // ASCII; empty when not computed
};

// The specification as the calculation reads a cell's shown text (GBK):
// blanks trimmed, and the CAD diameter notation "%%C" read as the tube's "D".
std::string BomSpecificationOf(std::string_view shownText);

// Row `row` (1 or more) whose specification cell shows `shownText` (GBK).
// Not computed: a specification without a weight, or with one beyond a
// float's range.
BomRowResult ComputeBomRow(std::string_view shownText, int row, const MaterialLibrary& library,
                           const CurrentLayout& layout, const AssistantSettings& settings);

// Whether `formula` (as the sheet's Formula reads it) is one that
// ComputeBomRow writes into the weight column `column` of row `row`, with
// any weight per metre: such a cell only repeats a calculation, and goes
// with its specification. A number or a formula of the user's is not.
bool IsBomWeightFormula(std::string_view formula, int row, int column, const CurrentLayout& layout);

// The lookup mode of the library search: exact when "Case sensitive" is set.
int BomLookupMode(const AssistantSettings& settings);
