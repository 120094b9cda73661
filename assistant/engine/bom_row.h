#pragma once

// The calculation of one BOM row: the unit weight of the row's specification
// and the spreadsheet formulas of its piece weight and total weight.

class ExcelDispatch;
struct AssistantSettings;
struct CurrentLayout;
struct MaterialLibrary;

// The process-wide library that the main window loads.
extern MaterialLibrary g_materialLibrary;

// Reads the specification shown in row `row` of `sheet`, colours it red
// (255) when it cannot be computed and black (0) otherwise, and writes the
// weight formulas into the row. Returns ST_OK, or ST_FAIL (row below 1, or a
// specification without a weight or with one beyond a float's range; the
// weight cells are then left alone).
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

// The lookup mode of the library search: exact when "Case sensitive" is set.
int BomLookupMode(const AssistantSettings& settings);
