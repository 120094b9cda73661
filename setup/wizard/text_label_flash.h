#pragma once

// The flashing state of the text label: its mode, its phase and whether its
// timer runs. Each change says what the window must do with its timer.

#include "setup/wizard/text_label_paint.h"

inline constexpr unsigned kLabelFlashTimerId = 1;
inline constexpr unsigned kLabelFlashPeriodMs = 500;

struct LabelTimerAction {
  bool stop = false;
  bool start = false;
};

class CLabelFlash {
 public:
  LabelTimerAction FlashText(bool on) { return Change(on, LabelFlashMode::kText); }
  LabelTimerAction FlashBackground(bool on) { return Change(on, LabelFlashMode::kBackground); }
  // One timer tick: the phase flips.
  void Tick() { m_blinkState = !m_blinkState; }

  LabelFlashMode Mode() const { return m_mode; }
  bool BlinkState() const { return m_blinkState; }
  bool TimerRunning() const { return m_timerRunning; }

 private:
  LabelTimerAction Change(bool on, LabelFlashMode mode);

  bool m_blinkState = false;
  bool m_timerRunning = false;
  LabelFlashMode m_mode = LabelFlashMode::kNone;
};
