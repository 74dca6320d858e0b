#pragma once
// The drawing port of a window on Qt: every operation draws at once into a
// QImage back buffer; the window's widget only copies the buffer to the screen.
// Pixels are written directly (no QPainter on the buffer), which keeps every
// operation exact and cheap. Characters are drawn from a cache of rendered
// cell tiles, keyed by glyph, face, mode and colours.

#include <QImage>
#include <array>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "platform/Port.h"

namespace korvane::platform {

class QtImagePort final : public Port {
 public:
  QtImagePort(int width, int height);

  // Changes the size of the window's content; the pixels that stay inside are kept.
  void Resize(int width, int height);
  const QImage& Image() const { return image_; }

  // Area drawn since the last call (the widget copies it to the screen).
  QRegion TakeDrawn();
  // Area marked for a redraw by the program (InvalRect less ValidRect).
  QRegion TakeInvalid();
  // Called by Flush, so that the window shows what was drawn.
  std::function<void()> onFlush;

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void MoveTo(int h, int v) override { pen_ = {h, v}; }
  Point Pen() const override { return pen_; }
  void LineTo(int h, int v) override;
  void ForeColour(RGB c) override { fore_ = ToPixel(c); }
  void BackColour(RGB c) override { back_ = ToPixel(c); }
  void SetPenMode(PenMode m) override { penMode_ = m; }
  void TextFont(int16_t id) override { font_ = id; }
  void TextSize(int16_t points) override { size_ = points; }
  void TextFace(int16_t bits) override { face_ = bits; }
  void SetTextMode(TextMode m) override { textMode_ = m; }
  void TextCell(int width, int above, int below) override;
  void DrawText(const uint8_t* codes, int n) override;
  void EraseRect(Rect r) override { Fill(r, back_); }
  void PaintRect(Rect r) override { Fill(r, fore_); }
  void InvertRect(Rect r) override;
  void ScrollRect(Rect r, int dh, int dv) override;
  void InvalRect(Rect r) override;
  void ValidRect(Rect r) override;
  void Flush() override;

 private:
  static uint32_t ToPixel(RGB c) {
    return 0xFF000000u | (uint32_t(c.red >> 8) << 16) | (uint32_t(c.green >> 8) << 8) | uint32_t(c.blue >> 8);
  }
  Rect Clip(Rect r) const;
  void Fill(Rect r, uint32_t pixel);
  void Plot(int x, int y);
  void MarkDrawn(Rect r);
  const QImage& Tile(uint8_t code);
  void ClearTiles();

  struct TileKey {
    char32_t glyph;
    int16_t font, size, face, mode;
    uint32_t fore, back;
    bool operator==(const TileKey&) const = default;
  };
  struct TileKeyHash {
    size_t operator()(const TileKey& k) const;
  };

  QImage image_;
  // What was drawn since the window last copied it: one bounding rectangle,
  // cheap to grow for every cell run.
  QRect drawn_;
  QRegion invalid_;
  Point pen_;
  uint32_t fore_ = 0xFF000000u, back_ = 0xFFFFFFFFu;
  PenMode penMode_ = PenMode::Copy;
  TextMode textMode_ = TextMode::Copy;
  int16_t font_ = kScreenFont, size_ = 12, face_ = kFacePlain;
  int cellWidth_ = 7, cellAbove_ = 12, cellBelow_ = 3;
  std::unordered_map<TileKey, QImage, TileKeyHash> tiles_;
  // The tiles of the style in use, by code (pointers into tiles_).
  struct StyleKey {
    int16_t font = -1, size = 0, face = 0, mode = 0;
    uint32_t fore = 0, back = 0;
    bool operator==(const StyleKey&) const = default;
  };
  StyleKey tileStyle_;
  std::array<const QImage*, 256> styleTiles_{};
};

}  // namespace korvane::platform
