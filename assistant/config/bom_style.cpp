#include "assistant/config/bom_style.h"

CurrentLayout g_currentLayout;

const char* TemplateFileName(int index) { return index != 0 ? kStandardTemplateFile : kSimpleTemplateFile; }

void SelectBomStyle(const AssistantSettings& settings, int index, CurrentLayout& layout) {
  static_cast<BomStyleLayout&>(layout) = settings.layouts[index != 0 ? 1 : 0];
  layout.templateFile = TemplateFileName(index);
}

void SelectBomStyle(int index) { SelectBomStyle(g_settings, index, g_currentLayout); }
