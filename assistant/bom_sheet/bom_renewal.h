#pragma once

// Renew All in a few calls: the specification column of the rows read in
// one call, every row computed here, the weight columns written in one call
// each, and the colours set only where they change, a few calls a colour.
// The specifications are never written: a text written back is parsed as a
// typed entry, and would turn "'-120*6" into the formula =-120*6.

#include <optional>
#include <vector>

#include "assistant/excel/automation_object.h"

class ExcelDispatch;
struct AssistantSettings;
struct CurrentLayout;
struct MaterialLibrary;

// A weight column's cells in the rows, as they are now.
struct WeightColumnNow {
  AutomationArray formulas;  // rows x 1, as Formula reads them
  AutomationArray values;    // rows x 1, as Value reads them
};

// Rows from `firstRow` whose specification font becomes `color`.
struct ColourRun {
  int firstRow = 0;
  int rowCount = 0;
  int color = 0;
  bool operator==(const ColourRun&) const = default;
};

// What a row whose specification is empty gets.
enum class EmptyRows {
  kLeftAlone,  // nothing: Renew All passes over rows without a specification
  kCleared,    // what the row calculation gives a cleared specification: red,
               // and the weight formulas of the assistant's own form emptied
};

struct BomRenewal {
  // What each weight column is written with: the new formula in a computed
  // row, the cell's own content (written so that it reads the same) in the
  // others. No formula when no row was computed.
  std::optional<AutomationArray> singleWeight;
  std::optional<AutomationArray> totalWeight;
  std::vector<ColourRun> colours;
  int computed = 0;
  int failed = 0;
  int cleared = 0;  // rows whose weight formulas went with their specification
};

// Plans the renewal of the rows from `firstRow` whose specification cells
// hold `specifications` (rows x 1, as Value reads them). `colourNow` is the
// colour all those cells share, none when they differ. A weight column the
// layout lacks is not given.
BomRenewal PlanBomRenewal(int firstRow, const AutomationArray& specifications, std::optional<int> colourNow,
                          const std::optional<WeightColumnNow>& singleWeight,
                          const WeightColumnNow& totalWeight, const MaterialLibrary& library,
                          const CurrentLayout& layout, const AssistantSettings& settings,
                          EmptyRows emptyRows = EmptyRows::kLeftAlone);

// Renews `rowCount` rows from `firstRow` of the sheet whose Cells are
// `cells`, as the plan says. Spreadsheet errors end it with CAutomationError.
// With EmptyRows::kCleared every row ends as CalculateBomRow leaves it when
// run for that row alone: the block form of the sheet's change event.
BomRenewal RenewBomRows(const ExcelDispatch& cells, int firstRow, int rowCount,
                        const MaterialLibrary& library, const CurrentLayout& layout,
                        const AssistantSettings& settings, EmptyRows emptyRows = EmptyRows::kLeftAlone);
