#pragma once
// A drawing port that records every call, for tests that check exactly what
// the screen code drew. It keeps the pen and the colours like a real port.

#include <string>
#include <vector>

#include "platform/Port.h"

namespace korvane::fakes {

using platform::Point;
using platform::Rect;
using platform::RGB;

class RecordingPort final : public platform::Port {
 public:
  RecordingPort(int width = 570, int height = 414) : width_(width), height_(height) {}

  struct Call {
    std::string op;              // "EraseRect", "DrawText", "ScrollRect", ...
    Rect rect{};                 // rectangle operations
    Point pen{};                 // pen before the call
    std::string text;            // DrawText codes
    int dh = 0, dv = 0;          // ScrollRect
    RGB fore{}, back{};          // colours in force
    int16_t face = 0;            // text face in force
    int16_t font = 0, size = 0;  // text font and size in force
    platform::TextMode mode = platform::TextMode::Copy;
    platform::PenMode penMode = platform::PenMode::Copy;
  };

  std::vector<Call> calls;
  void Clear() { calls.clear(); }
  std::vector<Call> Of(const std::string& op) const;
  // The text of every DrawText call, in order.
  std::vector<std::string> Texts() const;

  void SetSize(int w, int h) {
    width_ = w;
    height_ = h;
  }
  RGB fore() const { return fore_; }
  RGB back() const { return back_; }
  int16_t textFont() const { return font_; }
  int16_t textSize() const { return size_; }
  int16_t textFace() const { return face_; }
  platform::TextMode textMode() const { return mode_; }
  platform::PenMode penMode() const { return penMode_; }
  int cellWidth() const { return cellWidth_; }
  int cellAbove() const { return cellAbove_; }
  int cellBelow() const { return cellBelow_; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void MoveTo(int h, int v) override { pen_ = {h, v}; }
  Point Pen() const override { return pen_; }
  void LineTo(int h, int v) override;
  void ForeColour(RGB c) override { fore_ = c; }
  void BackColour(RGB c) override { back_ = c; }
  void SetPenMode(platform::PenMode m) override { penMode_ = m; }
  void TextFont(int16_t id) override { font_ = id; }
  void TextSize(int16_t points) override { size_ = points; }
  void TextFace(int16_t bits) override { face_ = bits; }
  void SetTextMode(platform::TextMode m) override { mode_ = m; }
  void TextCell(int width, int above, int below) override {
    cellWidth_ = width;
    cellAbove_ = above;
    cellBelow_ = below;
  }
  void DrawText(const uint8_t* codes, int n) override;
  void EraseRect(Rect r) override { Record("EraseRect", r); }
  void PaintRect(Rect r) override { Record("PaintRect", r); }
  void InvertRect(Rect r) override { Record("InvertRect", r); }
  void ScrollRect(Rect r, int dh, int dv) override;
  void InvalRect(Rect r) override { Record("InvalRect", r); }
  void ValidRect(Rect r) override { Record("ValidRect", r); }
  void Flush() override { Record("Flush", {}); }

 private:
  Call& Record(const std::string& op, Rect r);
  int width_, height_;
  Point pen_;
  RGB fore_{0, 0, 0}, back_{65535, 65535, 65535};
  int16_t font_ = 0, size_ = 12, face_ = 0;
  platform::TextMode mode_ = platform::TextMode::Copy;
  platform::PenMode penMode_ = platform::PenMode::Copy;
  int cellWidth_ = 0, cellAbove_ = 0, cellBelow_ = 0;
};

}  // namespace korvane::fakes
