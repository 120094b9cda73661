#pragma once

// One BOM row calculated in a sheet: the specification read from its cell,
// the engine's result written back in the order the sheet expects (the
// specification's colour, then the single-weight and total-weight formulas).

class ExcelDispatch;
struct AssistantSettings;
struct CurrentLayout;
struct MaterialLibrary;

// Reads the specification shown in row `row` of `sheet`, colours it red
// (255) when it cannot be computed and black (0) otherwise, and writes the
// weight formulas into the row. Returns ST_OK, or ST_FAIL (row below 1, or a
// specification without a weight; the weight cells are then left alone,
// but for an empty specification, whose weight cells lose the formulas of
// the calculation's own form: a total must not count a material gone).
// Spreadsheet errors end it with CAutomationError.
int CalculateBomRow(const ExcelDispatch& sheet, int row, const MaterialLibrary& library,
                    const CurrentLayout& layout, const AssistantSettings& settings);

// The process-wide form: g_materialLibrary, g_currentLayout and g_settings.
int CalculateBomRow(const ExcelDispatch& sheet, int row);

// The same on the sheet's Cells range, for a caller that keeps it: the
// sheet's events come one per edited cell, and each object fetched from the
// spreadsheet is a call into its process and a release back.
int CalculateBomRowInCells(const ExcelDispatch& cells, int row, const MaterialLibrary& library,
                           const CurrentLayout& layout, const AssistantSettings& settings);
int CalculateBomRowInCells(const ExcelDispatch& cells, int row);
