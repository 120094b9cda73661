#pragma once

// What one paint of the text label draws, decided from its state alone so
// that the rules can be checked without a window: which background to fill,
// whether and in which colour the text appears, the text format and the
// shadow. The Win32 label carries the plan out.

#include <cstdint>

// A colour laid out as the system's COLORREF: 0x00BBGGRR.
using LabelColor = std::uint32_t;

constexpr LabelColor LabelRgb(unsigned red, unsigned green, unsigned blue) {
  return static_cast<LabelColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The colour of the 3-D shadow drawn beside the text.
inline constexpr LabelColor kLabelShadowColor = LabelRgb(108, 28, 28);

// Style bits of a static control that choose the text format (the values of
// the system's SS_ constants).
inline constexpr std::uint32_t kLabelStyleCenter = 0x0001;
inline constexpr std::uint32_t kLabelStyleRight = 0x0002;
inline constexpr std::uint32_t kLabelStyleTypeMask = 0x001F;
inline constexpr std::uint32_t kLabelStyleNonTextBits = 0x000C;
inline constexpr std::uint32_t kLabelStyleCenterImage = 0x0200;

// Text format flags (the values of the system's DT_ constants).
inline constexpr unsigned kLabelFormatCenter = 0x0001;
inline constexpr unsigned kLabelFormatRight = 0x0002;
inline constexpr unsigned kLabelFormatVCenter = 0x0004;
inline constexpr unsigned kLabelFormatWordBreak = 0x0010;
inline constexpr unsigned kLabelFormatSingleLine = 0x0020;

enum class LabelFlashMode { kNone = 0, kText = 1, kBackground = 2 };

enum class LabelFill {
  kNone,        // transparent: whatever lies beneath stays visible
  kBackground,  // the background colour (the owner's, else the button face)
  kTextColor,   // the dark phase of a background flash
};

struct LabelPaintState {
  std::uint32_t style = 0;
  bool textHasLineBreak = false;
  bool transparent = false;
  LabelFlashMode flashMode = LabelFlashMode::kNone;
  bool blinkState = false;
  LabelColor textColor = 0;
  // The colour an opaque label fills with: the owner's background colour
  // when set, otherwise the button face.
  LabelColor backgroundColor = 0;
  bool text3D = false;
  bool raised3D = false;
  bool rotate = false;
};

struct LabelPaintPlan {
  LabelFill fill = LabelFill::kNone;
  bool drawText = true;
  LabelColor textColor = 0;
  unsigned format = 0;
  bool rotated = false;
  bool shadow = false;
  int shadowDx = 0;
  int shadowDy = 0;
};

// The text format that the control's style asks for.
unsigned LabelTextFormat(std::uint32_t style, bool textHasLineBreak);

LabelPaintPlan PlanLabelPaint(const LabelPaintState& state);
