#pragma once

// Points the user at an edit field: the keyboard focus goes to it, its
// whole text is selected and the caret scrolled into view. Always 1.

#include "winfx/window.h"

int SelectEditText(const winfx::CWindow& edit);
