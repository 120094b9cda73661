#pragma once

// The column headers of a new BOM sheet, in the active language: the
// standard style's two head rows or the simple style's one.

class ExcelDispatch;

// Both return 1; an error of the spreadsheet (a protected sheet) ends them
// with CAutomationError.
int WriteStandardHeader(const ExcelDispatch& sheet);
int WriteSimpleHeader(const ExcelDispatch& sheet);
// The header of BOM style `style`: the simple one for 0, else the standard one.
int WriteStyleHeader(const ExcelDispatch& sheet, int style);
