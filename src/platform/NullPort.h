#pragma once
// A drawing surface that draws nothing but keeps the pen as a real one does:
// for running an emulation without a window (the replay tool, fuzzing, and
// measuring what the screen code costs apart from pixels).

#include "platform/Port.h"

namespace korvane::platform {

class NullPort final : public Port {
 public:
  NullPort(int width, int height) : w_(width), h_(height) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void MoveTo(int h, int v) override { pen_ = {h, v}; }
  Point Pen() const override { return pen_; }
  void LineTo(int h, int v) override { pen_ = {h, v}; }
  void ForeColour(RGB) override {}
  void BackColour(RGB) override {}
  void SetPenMode(PenMode) override {}
  void TextFont(int16_t) override {}
  void TextSize(int16_t) override {}
  void TextFace(int16_t) override {}
  void SetTextMode(TextMode) override {}
  void TextCell(int width, int, int) override { cellWidth_ = width; }
  void DrawText(const uint8_t*, int n) override { pen_.h += n * cellWidth_; }
  void EraseRect(Rect) override {}
  void PaintRect(Rect) override {}
  void InvertRect(Rect) override {}
  void ScrollRect(Rect, int, int) override {}
  void InvalRect(Rect) override {}
  void ValidRect(Rect) override {}
  void Flush() override {}

 private:
  int w_, h_, cellWidth_ = 7;
  Point pen_;
};

}  // namespace korvane::platform
