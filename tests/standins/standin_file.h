#pragma once

// The stand-in's own workbook file: one line per sheet, column and cell, in
// UTF-8, holding what the in-memory workbook holds (inputs, font colours,
// number formats, alignments, column widths and merged blocks).

#include <filesystem>

#include "tests/standins/workbook/workbook_model.h"

// False when the file cannot be written.
bool SaveStandinFile(const CModelWorkbook& workbook, const std::filesystem::path& path);
// Adds the sheets of the file to `workbook`; false when it cannot be read
// or is not such a file.
bool LoadStandinFile(CModelWorkbook& workbook, const std::filesystem::path& path);
