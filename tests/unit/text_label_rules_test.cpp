// The text label's rules: which format a static style asks for, what a paint
// shows in each flashing phase, how flashing drives the timer, and the font
// arithmetic.

#include <gtest/gtest.h>

#include <string>

#include "setup/wizard/text_label_flash.h"
#include "setup/wizard/text_label_font.h"
#include "setup/wizard/text_label_paint.h"

namespace {

constexpr std::uint32_t kLeft = 0x0000;
constexpr std::uint32_t kCenter = 0x0001;
constexpr std::uint32_t kRight = 0x0002;
constexpr std::uint32_t kLeftNoWordWrap = 0x000C;
constexpr std::uint32_t kSimple = 0x000B;
constexpr std::uint32_t kCenterImage = 0x0200;
constexpr std::uint32_t kNotify = 0x0100;

constexpr LabelColor kPurple = LabelRgb(127, 0, 255);
constexpr LabelColor kGreen = LabelRgb(0, 128, 0);

}  // namespace

TEST(TextLabelRules, StyleChoosesTheTextFormat) {
  struct Case {
    std::uint32_t style;
    bool lineBreak;
    unsigned format;
  };
  const unsigned kOneLineCentred = kLabelFormatCenter | kLabelFormatVCenter | kLabelFormatSingleLine;
  const Case kCases[] = {
      {kLeft, false, kLabelFormatWordBreak},
      {kLeft | kNotify, true, kLabelFormatWordBreak},
      {kRight, false, kLabelFormatRight},
      {kCenter, false, kLabelFormatCenter},
      {kLeftNoWordWrap, false, 0},
      {kSimple, false, 0},
      {kLeft | kCenterImage, false, kOneLineCentred},
      {kRight | kCenterImage, false, kOneLineCentred},
      {kLeft | kCenterImage, true, kLabelFormatCenter},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(LabelTextFormat(c.style, c.lineBreak), c.format) << "style " << c.style << " " << c.lineBreak;
  }
}

TEST(TextLabelRules, EachFlashingPhaseFillsAndColoursItsOwnWay) {
  struct Case {
    LabelFlashMode mode;
    bool blinkState;
    bool transparent;
    LabelFill fill;
    bool drawText;
    LabelColor textColor;
  };
  const Case kCases[] = {
      // Text flash: the dark phase paints the text in the background colour.
      {LabelFlashMode::kText, false, false, LabelFill::kBackground, true, kGreen},
      {LabelFlashMode::kText, true, false, LabelFill::kBackground, true, kPurple},
      // A transparent label has no background to merge with: no text.
      {LabelFlashMode::kText, false, true, LabelFill::kNone, false, kGreen},
      {LabelFlashMode::kText, true, true, LabelFill::kNone, true, kPurple},
      // Background flash: the dark phase swaps the two colours.
      {LabelFlashMode::kBackground, false, false, LabelFill::kTextColor, true, kGreen},
      {LabelFlashMode::kBackground, true, false, LabelFill::kBackground, true, kPurple},
      {LabelFlashMode::kBackground, false, true, LabelFill::kTextColor, true, kGreen},
      // No flash: an opaque label fills, a transparent one leaves what lies beneath.
      {LabelFlashMode::kNone, false, false, LabelFill::kBackground, true, kPurple},
      {LabelFlashMode::kNone, false, true, LabelFill::kNone, true, kPurple},
  };
  for (const Case& c : kCases) {
    LabelPaintState state;
    state.flashMode = c.mode;
    state.blinkState = c.blinkState;
    state.transparent = c.transparent;
    state.textColor = kPurple;
    state.backgroundColor = kGreen;
    LabelPaintPlan plan = PlanLabelPaint(state);
    SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << " blink " << c.blinkState
                                    << " transparent " << c.transparent);
    EXPECT_EQ(plan.fill, c.fill);
    EXPECT_EQ(plan.drawText, c.drawText);
    if (c.drawText) {
      EXPECT_EQ(plan.textColor, c.textColor);
    }
  }
}

TEST(TextLabelRules, ShadowFollowsTheRaisedFlagAndNeverRotates) {
  LabelPaintState state;
  state.text3D = true;
  state.raised3D = true;
  LabelPaintPlan raised = PlanLabelPaint(state);
  EXPECT_TRUE(raised.shadow);
  EXPECT_EQ(raised.shadowDx, 1);
  EXPECT_EQ(raised.shadowDy, 1);

  state.raised3D = false;
  LabelPaintPlan sunk = PlanLabelPaint(state);
  EXPECT_EQ(sunk.shadowDx, -1);
  EXPECT_EQ(sunk.shadowDy, -1);

  state.rotate = true;
  LabelPaintPlan rotated = PlanLabelPaint(state);
  EXPECT_TRUE(rotated.rotated);
  EXPECT_FALSE(rotated.shadow);

  state.rotate = false;
  state.text3D = false;
  EXPECT_FALSE(PlanLabelPaint(state).shadow);
}

TEST(TextLabelRules, FlashingDrivesTheTimer) {
  CLabelFlash flash;
  LabelTimerAction first = flash.FlashText(true);
  EXPECT_FALSE(first.stop);
  EXPECT_TRUE(first.start);
  EXPECT_EQ(flash.Mode(), LabelFlashMode::kText);
  EXPECT_FALSE(flash.BlinkState());
  flash.Tick();
  EXPECT_TRUE(flash.BlinkState());
  flash.Tick();
  EXPECT_FALSE(flash.BlinkState());

  // Switching to a background flash restarts the timer in the first phase.
  flash.Tick();
  LabelTimerAction change = flash.FlashBackground(true);
  EXPECT_TRUE(change.stop);
  EXPECT_TRUE(change.start);
  EXPECT_EQ(flash.Mode(), LabelFlashMode::kBackground);
  EXPECT_FALSE(flash.BlinkState());

  // Stopping a background flash stops the timer and leaves the configured look.
  LabelTimerAction stop = flash.FlashBackground(false);
  EXPECT_TRUE(stop.stop);
  EXPECT_FALSE(stop.start);
  EXPECT_FALSE(flash.TimerRunning());
  LabelPaintState state;
  state.flashMode = flash.Mode();
  state.blinkState = flash.BlinkState();
  EXPECT_EQ(PlanLabelPaint(state).fill, LabelFill::kBackground);

  // A stopped timer is not stopped twice; a text flash turned off ends the mode.
  EXPECT_FALSE(flash.FlashText(false).stop);
  EXPECT_EQ(flash.Mode(), LabelFlashMode::kNone);
}

TEST(TextLabelRules, PointSizesBecomeCharacterHeights) {
  struct Case {
    int points;
    int pixelsPerInch;
    int height;
  };
  const Case kCases[] = {
      {12, 96, -16}, {12, 120, -20}, {9, 96, -12}, {11, 96, -15}, {8, 72, -8}, {12, 144, -24}, {0, 96, 0},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(LabelFontHeight(c.points, c.pixelsPerInch), c.height)
        << c.points << " pt at " << c.pixelsPerInch;
  }
  EXPECT_EQ(LabelRotationTenths(90), 900);
  EXPECT_EQ(LabelRotationTenths(-45), -450);
}

TEST(TextLabelRules, FaceNamesAreCutToTheirSlot) {
  EXPECT_EQ(LabelFaceNameLength(u"Tahoma"), 6u);
  EXPECT_EQ(LabelFaceNameLength(std::u16string(31, u'a')), 31u);
  EXPECT_EQ(LabelFaceNameLength(std::u16string(40, u'a')), 31u);
  // A surrogate pair across the limit is dropped whole.
  std::u16string cut(30, u'a');
  cut += u"\U00020000tail";
  EXPECT_EQ(LabelFaceNameLength(cut), 30u);
}
