#pragma once

// The two BOM styles: 0 simple (one head row), 1 standard (two head rows),
// each with its column layout and its template workbook.

#include <string>

#include "assistant/config/settings.h"

inline constexpr const char* kSimpleTemplateFile = "simple.xls";
inline constexpr const char* kStandardTemplateFile = "standard.xls";

// The layout every consumer reads: a copy of the selected style's layout.
struct CurrentLayout : BomStyleLayout {
  std::string templateFile;
};

// The process-wide current layout.
extern CurrentLayout g_currentLayout;

// The template file name of style `index` (style 1 for any index but 0).
const char* TemplateFileName(int index);

// Copies the layout of style 1 (any index but 0) or style 0 of `settings`,
// with its template file name, into `layout`. The `style` setting itself is
// left to the callers.
void SelectBomStyle(const AssistantSettings& settings, int index, CurrentLayout& layout);

// The process-wide form: from g_settings into g_currentLayout.
void SelectBomStyle(int index);
