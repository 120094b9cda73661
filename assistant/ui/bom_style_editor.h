#pragma once

// The BOM style page's model: which style its fields show, switching the
// style box (validate, store, show) and OK. It edits the settings in place,
// so a style stored while switching stays stored whatever ends the sheet.

#include "assistant/config/settings.h"
#include "assistant/ui/bom_style_page_rules.h"

class CBomStyleEditor {
 public:
  explicit CBomStyleEditor(AssistantSettings& settings) : m_settings(settings) {}

  // The style whose values the fields show; -1 before any.
  int ShownStyle() const { return m_shownStyle; }

  // The fields of `style` (1 for any index but 0), now the shown style.
  BomStyleFields Show(int style);

  // The box switched to `style`: `edited`, the fields of the shown style,
  // must be valid; they are then stored into it and `shown` receives the
  // fields of `style`, which becomes the shown style. Otherwise the fault,
  // and nothing changes.
  BomStyleFault SwitchTo(int style, const BomStyleFields& edited, BomStyleFields& shown);

  // OK: stores `edited` (validated when the page was left) into `style` and
  // makes it the settings' style.
  void Confirm(int style, const BomStyleFields& edited);

 private:
  AssistantSettings& m_settings;
  int m_shownStyle = -1;
};
