#pragma once

// How the in-memory workbook shows a number: the general format, or a
// number format such as "0.00" or "0.00_ " (two decimals and a trailing
// space the width of a blank).

#include <string>
#include <string_view>

#include "assistant/excel/automation_object.h"

// "General" (or empty) and "@" show the general form; otherwise the
// decimals are the zeros and number signs after the point, and each "_x"
// adds a blank.
std::u16string FormatNumber(double value, std::u16string_view format);
