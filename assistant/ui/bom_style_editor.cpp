#include "assistant/ui/bom_style_editor.h"

namespace {

int StyleIndex(int style) { return style != 0 ? 1 : 0; }

}  // namespace

BomStyleFields CBomStyleEditor::Show(int style) {
  m_shownStyle = StyleIndex(style);
  return ShowBomStyle(m_settings, m_shownStyle);
}

BomStyleFault CBomStyleEditor::SwitchTo(int style, const BomStyleFields& edited, BomStyleFields& shown) {
  BomStyleFault fault = FindBomStyleFault(edited);
  if (fault.field != BomStyleField::kNone) return fault;
  if (m_shownStyle >= 0) StoreBomStyle(edited, m_settings.layouts[m_shownStyle]);
  shown = Show(style);
  return {};
}

void CBomStyleEditor::Confirm(int style, const BomStyleFields& edited) {
  int index = StyleIndex(style);
  StoreBomStyle(edited, m_settings.layouts[index]);
  m_settings.style = index;
}
