#include "setup/wizard/text_label_paint.h"

namespace {

// The dark phase of a flash: blinkState flips on every tick and starts
// FALSE, so the first tick shows the label as configured.
bool InDarkPhase(const LabelPaintState& state, LabelFlashMode mode) {
  return state.flashMode == mode && !state.blinkState;
}

}  // namespace

unsigned LabelTextFormat(std::uint32_t style, bool textHasLineBreak) {
  // Each rule replaces what the earlier ones chose.
  unsigned format = 0;
  std::uint32_t type = style & kLabelStyleTypeMask;
  if ((style & kLabelStyleNonTextBits) == 0) format = kLabelFormatWordBreak;
  if (type == kLabelStyleRight) format = kLabelFormatRight;
  if (type == kLabelStyleCenter) format = kLabelFormatCenter;
  if (style & kLabelStyleCenterImage) {
    format = kLabelFormatCenter;
    if (!textHasLineBreak) format = kLabelFormatCenter | kLabelFormatVCenter | kLabelFormatSingleLine;
  }
  return format;
}

LabelPaintPlan PlanLabelPaint(const LabelPaintState& state) {
  LabelPaintPlan plan;
  plan.fill = state.transparent ? LabelFill::kNone : LabelFill::kBackground;
  plan.textColor = state.textColor;
  plan.format = LabelTextFormat(state.style, state.textHasLineBreak);
  plan.rotated = state.rotate;
  plan.shadow = state.text3D && !state.rotate;
  plan.shadowDx = state.raised3D ? 1 : -1;
  plan.shadowDy = plan.shadowDx;

  if (InDarkPhase(state, LabelFlashMode::kText)) {
    // The text merges with the background; a transparent label has no
    // background of its own to merge with, so its text is left out.
    plan.textColor = state.backgroundColor;
    plan.drawText = !state.transparent;
    plan.shadow = plan.shadow && plan.drawText;
  } else if (InDarkPhase(state, LabelFlashMode::kBackground)) {
    // Background and text swap colours, also on a transparent label.
    plan.fill = LabelFill::kTextColor;
    plan.textColor = state.backgroundColor;
  }
  return plan;
}
