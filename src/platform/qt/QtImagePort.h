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
#include <memory>
#include <unordered_map>
#include <vector>

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

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void MoveTo(int h, int v) override { SetPen(h, v); }
  Point Pen() const override {
    return {static_cast<int32_t>(static_cast<uint32_t>(pen_)), static_cast<int32_t>(static_cast<uint32_t>(pen_ >> 32))};
  }
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
  // A rendered tile's pixels as DrawText copies them (null: not rendered yet).
  struct TileRef {
    const uint32_t* pixels = nullptr;
    qsizetype stride = 0;  // in pixels
    bool blend = false;    // transparent text: the tile is blended, not copied
  };
  // The tile of `code` in the current style, rendered on first use.
  TileRef Tile(uint8_t code);
  // Room for one more tile of the current cell size.
  uint32_t* NewTilePixels();
  // The coverage of a glyph in the current cell, rendered on first use.
  const QImage& Mask(char32_t glyph, int16_t font, int16_t size, int16_t face);
  void ClearTiles();

  // What a tile's pixels depend on, and nothing else, so that styles that
  // look alike share their tiles: the screen fonts' tiles are sized by the
  // cell, not by the point size, and inverse text is copy text with its
  // colours swapped.
  struct TileKey {
    char32_t glyph;
    int16_t font, size, face;
    bool transparent;
    uint32_t ink, paper;
    bool operator==(const TileKey&) const = default;
  };
  struct TileKeyHash {
    size_t operator()(const TileKey& k) const;
  };
  struct MaskKey {
    char32_t glyph;
    int16_t font, size, face;
    bool operator==(const MaskKey&) const = default;
  };
  struct MaskKeyHash {
    size_t operator()(const MaskKey& k) const {
      return ((size_t(k.glyph) * 1000003u ^ uint16_t(k.font)) * 1000003u ^ uint16_t(k.size)) * 1000003u ^
             uint16_t(k.face);
    }
  };
  // The drawing state DrawText reads; each style in use keeps a table of its
  // tiles by code, so that a run finds a glyph's tile with one index whatever
  // styles the runs before it used (a repaint of coloured text switches
  // styles many times a row).
  struct StyleKey {
    int16_t font = -1, size = 0, face = 0, mode = 0;
    uint32_t fore = 0, back = 0;
    bool operator==(const StyleKey&) const = default;
  };
  struct StyleKeyHash {
    size_t operator()(const StyleKey& k) const;
  };
  using StyleTiles = std::array<TileRef, 256>;
  // Bounds of the caches: about 20 MB of tiles at the default text size (a
  // host needs well over a hundred renditions in use to fill it: below that
  // a flood in many renditions would empty it over and over), and 1 MB of
  // style tables.
  static constexpr size_t kTileLimit = 16384, kStyleLimit = 512;
  // Glyph coverages: every glyph of a few fonts in its four faces.
  static constexpr size_t kMaskLimit = 4096;

  QImage image_;
  // The image's size, kept here: every text run and rectangle is clipped to it.
  int width_ = 1, height_ = 1;
  // What was drawn since the window last copied it: one bounding rectangle,
  // cheap to grow for every cell run.
  QRect drawn_;
  QRegion invalid_;
  // The pen, h in the low half and v in the high half. It is stored in one
  // piece because it is read in one piece (Pen), mostly right after a move,
  // and a read that spans two separate stores has to wait for both of them
  // to reach the cache: the screen reads the pen back after every cursor
  // address.
  uint64_t pen_ = 0;
  void SetPen(int h, int v) { pen_ = static_cast<uint32_t>(h) | static_cast<uint64_t>(static_cast<uint32_t>(v)) << 32; }
  uint32_t fore_ = 0xFF000000u, back_ = 0xFFFFFFFFu;
  PenMode penMode_ = PenMode::Copy;
  TextMode textMode_ = TextMode::Copy;
  int16_t font_ = kScreenFont, size_ = 12, face_ = kFacePlain;
  int cellWidth_ = 7, cellAbove_ = 12, cellBelow_ = 3;
  // Rendered tiles and the per-style tables that point into them. The
  // pixels lie in slabs of kSlabTiles tiles, kept and reused when the cache
  // is emptied (until the cell size changes): a tile costs no allocation of
  // its own, and stays where it is until the cache is cleared.
  static constexpr size_t kSlabTiles = 256;
  std::unordered_map<TileKey, TileRef, TileKeyHash> tiles_;
  std::vector<std::unique_ptr<uint32_t[]>> slabs_;
  size_t slabTilesUsed_ = 0;
  std::unordered_map<StyleKey, StyleTiles, StyleKeyHash> styleTables_;
  std::unordered_map<MaskKey, QImage, MaskKeyHash> masks_;
  StyleKey tileStyle_;
  StyleTiles* styleTiles_ = nullptr;
};

}  // namespace korvane::platform
