// The whole text area in reverse video: what a host's visible bell asks for
// (reverse the screen, wait, bring it back). Only the pixels change; the
// planes keep the cells as the host wrote them.

#include "screen/Screen.h"

namespace korvane {

void Screen::InvertTextArea() {
  const int bottom = ScreenRows * CellHeight - CellBaselineAdjust;
  if (bottom > 0) port.InvertRect({0, 0, Width(), bottom});
}

void Screen::SetScreenReversed(bool on) {
  if (on) {
    normalDueTick_ = 0;
    if (screenReversed_) return;
    screenReversed_ = true;
    reversedAtTick_ = host.TickCount();
    InvertTextArea();
    return;
  }
  if (!screenReversed_ || normalDueTick_ != 0) return;
  const int64_t due = reversedAtTick_ + kReverseShownTicks;
  if (host.TickCount() < due) {
    // The host's own wait went by faster than the screen is drawn.
    normalDueTick_ = due;
    return;
  }
  EndScreenReverse();
}

void Screen::ContinueScreenReverse() {
  if (normalDueTick_ != 0 && host.TickCount() >= normalDueTick_) EndScreenReverse();
}

void Screen::EndScreenReverse() {
  screenReversed_ = false;
  normalDueTick_ = 0;
  InvertTextArea();
  // Text drawn while the screen was reversed was drawn the normal way: the
  // repaint puts every cell right.
  RepaintPending = 1;
}

}  // namespace korvane
