#include "setup/wizard/text_label_flash.h"

LabelTimerAction CLabelFlash::Change(bool on, LabelFlashMode mode) {
  LabelTimerAction action;
  if (m_timerRunning) {
    action.stop = true;
    m_timerRunning = false;
  }
  if (on) {
    m_blinkState = false;
    m_timerRunning = true;
    action.start = true;
    m_mode = mode;
  } else if (mode == LabelFlashMode::kText) {
    m_mode = LabelFlashMode::kNone;
  } else {
    // Stopping a background flash stops the timer only; the phase returns
    // to the configured look so that no half-flashed state stays on screen.
    m_blinkState = true;
  }
  return action;
}
