#pragma once
// Drawing that keeps up with a flood of host output.
//
// The gate sits between a session's Screen and the window's real port. State
// calls (pen, colours, font, text mode, cell size) always pass through. Inside
// an input pass the gate counts text runs and painted rectangles, and
// scrolls; once a frame's worth of input has drawn more than about a screenful
// of runs or scrolled more than a few lines, it trips: from then on every call
// that changes pixels is dropped (the pen still moves as the real drawing
// would have moved it) and the pass ends with a repaint request. The planes
// remain the truth, so a repaint from them, at most once a frame while output
// keeps coming, brings the window up to date; the repaint re-arms the gate.
//
// Light output (a prompt, an echoed key) stays far below the limits and is
// drawn at once. Outside input passes nothing is counted or dropped.

#include <cstdint>

#include "platform/Port.h"

namespace korvane {

class FloodGate final : public platform::Port {
 public:
  // One frame of the window: counts start again after this much time has
  // passed without the gate tripping.
  static constexpr int64_t kFrameMs = 16;

  explicit FloodGate(platform::Port& inner) : inner_(inner) {}

  // Runs (text calls and painted rectangles) and scrolls a frame may draw.
  void SetLimits(int runs, int scrolls) {
    runLimit_ = runs;
    scrollLimit_ = scrolls;
  }
  int RunLimit() const { return runLimit_; }

  // An input pass begins and ends. EndPass returns true when the gate has
  // tripped (the caller then asks for a repaint from the planes).
  void BeginPass(int64_t nowMs);
  bool EndPass();
  bool Tripped() const { return tripped_; }

  // Draws pass through uncounted while the scope lives (the repaint from the
  // planes), and the gate is re-armed when it ends.
  class RepaintScope {
   public:
    explicit RepaintScope(FloodGate& g) : g_(g), was_(g.inPass_) { g.inPass_ = false; }
    ~RepaintScope() {
      g_.inPass_ = was_;
      g_.Rearm();
    }
    RepaintScope(const RepaintScope&) = delete;
    RepaintScope& operator=(const RepaintScope&) = delete;

   private:
    FloodGate& g_;
    bool was_;
  };
  // Starts a new count with the gate open.
  void Rearm();

  // ---- Port -----------------------------------------------------------------
  int Width() const override { return inner_.Width(); }
  int Height() const override { return inner_.Height(); }
  void MoveTo(int h, int v) override { inner_.MoveTo(h, v); }
  platform::Point Pen() const override { return inner_.Pen(); }
  void LineTo(int h, int v) override;
  void ForeColour(platform::RGB c) override { inner_.ForeColour(c); }
  void BackColour(platform::RGB c) override { inner_.BackColour(c); }
  void SetPenMode(platform::PenMode m) override { inner_.SetPenMode(m); }
  void TextFont(int16_t id) override { inner_.TextFont(id); }
  void TextSize(int16_t points) override { inner_.TextSize(points); }
  void TextFace(int16_t bits) override { inner_.TextFace(bits); }
  void SetTextMode(platform::TextMode m) override { inner_.SetTextMode(m); }
  void TextCell(int width, int above, int below) override {
    cellWidth_ = width;
    inner_.TextCell(width, above, below);
  }
  void DrawText(const uint8_t* codes, int n) override;
  void EraseRect(platform::Rect r) override {
    if (CountRun()) inner_.EraseRect(r);
  }
  void PaintRect(platform::Rect r) override {
    if (CountRun()) inner_.PaintRect(r);
  }
  void InvertRect(platform::Rect r) override {
    if (CountRun()) inner_.InvertRect(r);
  }
  void ScrollRect(platform::Rect r, int dh, int dv) override;
  void InvalRect(platform::Rect r) override { inner_.InvalRect(r); }
  void ValidRect(platform::Rect r) override { inner_.ValidRect(r); }
  void Flush() override { inner_.Flush(); }

 private:
  // Counts one run; false when the call must be dropped.
  bool CountRun() {
    if (!inPass_) return true;
    if (tripped_) return false;
    if (++runs_ > runLimit_) tripped_ = true;
    return !tripped_;
  }

  platform::Port& inner_;
  int runLimit_ = 48, scrollLimit_ = 3;
  int runs_ = 0, scrolls_ = 0;
  int cellWidth_ = 7;
  bool tripped_ = false, inPass_ = false;
  int64_t frameStartMs_ = INT64_MIN / 2;
};

}  // namespace korvane
