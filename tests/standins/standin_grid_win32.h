#pragma once

// The grid window of one workbook (class "EXCEL7"): the active sheet's
// shown texts in font colour, the active cell framed, and a person's entry.

#include <windows.h>

#include <memory>

#include "tests/standins/workbook/workbook_model.h"

bool RegisterGridClass(HINSTANCE instance);
HWND CreateGridWindow(HINSTANCE instance, HWND frame, const std::shared_ptr<CModelWorkbook>& workbook);
