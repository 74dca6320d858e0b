#include "emulation/FloodGate.h"

namespace korvane {

void FloodGate::BeginPass(int64_t nowMs) {
  inPass_ = true;
  if (!tripped_ && nowMs - frameStartMs_ >= kFrameMs) {
    frameStartMs_ = nowMs;
    runs_ = scrolls_ = 0;
  }
}

bool FloodGate::EndPass() {
  inPass_ = false;
  return tripped_;
}

void FloodGate::Rearm() {
  tripped_ = false;
  runs_ = scrolls_ = 0;
  frameStartMs_ = INT64_MIN / 2;
}

void FloodGate::LineTo(int h, int v) {
  if (CountRun())
    inner_.LineTo(h, v);
  else
    inner_.MoveTo(h, v);
}

void FloodGate::DrawText(const uint8_t* codes, int n) {
  if (CountRun()) {
    inner_.DrawText(codes, n);
    return;
  }
  // The pen ends where the text would have ended: the screen reads the
  // cursor back from it.
  const platform::Point p = inner_.Pen();
  inner_.MoveTo(p.h + n * cellWidth_, p.v);
}

void FloodGate::ScrollRect(platform::Rect r, int dh, int dv) {
  if (inPass_) {
    if (tripped_) return;
    if (++scrolls_ > scrollLimit_) {
      tripped_ = true;
      return;
    }
  }
  inner_.ScrollRect(r, dh, dv);
}

}  // namespace korvane
