#include "platform/qt/QtImagePort.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdlib>

#include "platform/CharMap.h"
#include "platform/VectorUnit.h"

namespace korvane::platform {

namespace {

// Box-drawing characters as the style of their four arms: 0 none, 1 single,
// 2 double. Order: up, right, down, left.
struct BoxArms {
  char32_t ch;
  uint8_t up, right, down, left;
};
constexpr BoxArms kBoxArms[] = {
    {0x2500, 0, 1, 0, 1}, {0x2502, 1, 0, 1, 0}, {0x250C, 0, 1, 1, 0}, {0x2510, 0, 0, 1, 1}, {0x2514, 1, 1, 0, 0},
    {0x2518, 1, 0, 0, 1}, {0x251C, 1, 1, 1, 0}, {0x2524, 1, 0, 1, 1}, {0x252C, 0, 1, 1, 1}, {0x2534, 1, 1, 0, 1},
    {0x253C, 1, 1, 1, 1}, {0x2550, 0, 2, 0, 2}, {0x2551, 2, 0, 2, 0}, {0x2552, 0, 2, 1, 0}, {0x2553, 0, 1, 2, 0},
    {0x2554, 0, 2, 2, 0}, {0x2555, 0, 0, 1, 2}, {0x2556, 0, 0, 2, 1}, {0x2557, 0, 0, 2, 2}, {0x2558, 1, 2, 0, 0},
    {0x2559, 2, 1, 0, 0}, {0x255A, 2, 2, 0, 0}, {0x255B, 1, 0, 0, 2}, {0x255C, 2, 0, 0, 1}, {0x255D, 2, 0, 0, 2},
    {0x255E, 1, 2, 1, 0}, {0x255F, 2, 1, 2, 0}, {0x2560, 2, 2, 2, 0}, {0x2561, 1, 0, 1, 2}, {0x2562, 2, 0, 2, 1},
    {0x2563, 2, 0, 2, 2}, {0x2564, 0, 2, 1, 2}, {0x2565, 0, 1, 2, 1}, {0x2566, 0, 2, 2, 2}, {0x2567, 1, 2, 0, 2},
    {0x2568, 2, 1, 0, 1}, {0x2569, 2, 2, 0, 2}, {0x256A, 1, 2, 1, 2}, {0x256B, 2, 1, 2, 1}, {0x256C, 2, 2, 2, 2},
};

const BoxArms* FindArms(char32_t ch) {
  for (const auto& a : kBoxArms)
    if (a.ch == ch) return &a;
  return nullptr;
}

// Draws a box-drawing or block character into a w x h cell with the glyph colour.
void DrawBlockOrLine(QImage& img, char32_t ch, uint32_t ink) {
  const int w = img.width(), h = img.height();
  auto put = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < w && y < h) reinterpret_cast<uint32_t*>(img.scanLine(y))[x] = ink;
  };
  auto hline = [&](int x0, int x1, int y) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) put(x, y);
  };
  auto vline = [&](int x, int y0, int y1) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) put(x, y);
  };
  auto fill = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y) hline(x0, x1 - 1, y);
  };
  const int cx = (w - 1) / 2, cy = (h - 1) / 2;
  if (const BoxArms* a = FindArms(ch)) {
    // Single arms run along the centre line; double arms are two lines one
    // pixel either side of it.
    auto arm = [&](uint8_t style, bool vertical, bool toStart) {
      if (style == 0) return;
      const int offsets1[] = {0};
      const int offsets2[] = {-1, 1};
      const int* offs = style == 1 ? offsets1 : offsets2;
      const int count = style == 1 ? 1 : 2;
      for (int i = 0; i < count; ++i) {
        if (vertical) {
          const int x = cx + offs[i];
          toStart ? vline(x, 0, cy + 1) : vline(x, cy - 1, h - 1);
        } else {
          const int y = cy + offs[i];
          toStart ? hline(0, cx + 1, y) : hline(cx - 1, w - 1, y);
        }
      }
    };
    arm(a->up, true, true);
    arm(a->down, true, false);
    arm(a->left, false, true);
    arm(a->right, false, false);
    return;
  }
  switch (ch) {
    case 0x2588: fill(0, 0, w, h); break;                          // full block
    case 0x2580: fill(0, 0, w, h / 2); break;                      // upper half
    case 0x2584: fill(0, h / 2, w, h); break;                      // lower half
    case 0x258C: fill(0, 0, w / 2, h); break;                      // left half
    case 0x2590: fill(w / 2, 0, w, h); break;                      // right half
    case 0x25A0: fill(w / 5, h / 4, w - w / 5, h - h / 4); break;  // black square
    case 0x2591:                                                   // light shade
    case 0x2592:                                                   // medium shade
    case 0x2593:                                                   // dark shade
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const bool light = x % 2 == 0 && y % 2 == 0;
          const bool on = ch == 0x2591 ? light : ch == 0x2592 ? (x + y) % 2 == 0 : !light;
          if (on) put(x, y);
        }
      break;
    default: break;
  }
}

}  // namespace

size_t QtImagePort::TileKeyHash::operator()(const TileKey& k) const {
  size_t h = k.glyph;
  h = h * 1000003u ^ static_cast<size_t>(k.font);
  h = h * 1000003u ^ static_cast<size_t>(k.size);
  h = h * 1000003u ^ static_cast<size_t>(k.face);
  h = h * 1000003u ^ static_cast<size_t>(k.transparent);
  h = h * 1000003u ^ k.ink;
  h = h * 1000003u ^ k.paper;
  return h;
}

size_t QtImagePort::StyleKeyHash::operator()(const StyleKey& k) const {
  size_t h = static_cast<uint16_t>(k.font);
  h = h * 1000003u ^ static_cast<size_t>(k.size);
  h = h * 1000003u ^ static_cast<size_t>(k.face);
  h = h * 1000003u ^ static_cast<size_t>(k.mode);
  h = h * 1000003u ^ k.fore;
  h = h * 1000003u ^ k.back;
  return h;
}

QtImagePort::QtImagePort(int width, int height)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32),
      width_(image_.width()),
      height_(image_.height()) {
  image_.fill(back_);
}

void QtImagePort::Resize(int width, int height) {
  QImage next(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  next.fill(back_);
  const int w = std::min(next.width(), image_.width()), h = std::min(next.height(), image_.height());
  for (int y = 0; y < h; ++y) std::memcpy(next.scanLine(y), image_.constScanLine(y), size_t(w) * 4);
  image_ = std::move(next);
  width_ = image_.width();
  height_ = image_.height();
  drawn_ = QRect(0, 0, width_, height_);
}

QRegion QtImagePort::TakeDrawn() { return QRegion(std::exchange(drawn_, QRect())); }
QRegion QtImagePort::TakeInvalid() { return std::exchange(invalid_, QRegion()); }

Rect QtImagePort::Clip(Rect r) const {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  return r;
}

void QtImagePort::MarkDrawn(Rect r) {
  if (!r.Empty()) drawn_ |= QRect(r.left, r.top, r.Width(), r.Height());
}

namespace {

// The n pixels of a row all hold `pixel`. Looked at sixteen at a time, so
// that a row of text is told apart at its first glyph.
bool RowIs(const uint32_t* row, int n, uint32_t pixel) {
  int x = 0;
  for (; x + 16 <= n; x += 16) {
    uint32_t differs = 0;
    for (int i = 0; i < 16; ++i) differs |= row[x + i] ^ pixel;
    if (differs != 0) return false;
  }
  uint32_t differs = 0;
  for (; x < n; ++x) differs |= row[x] ^ pixel;
  return differs == 0;
}

}  // namespace

void QtImagePort::Fill(Rect r, uint32_t pixel) {
  r = Clip(r);
  if (r.Empty()) return;
  // Only the rows the fill changes are marked drawn: an erase of the whole
  // window before a repaint leaves the margins and what lies under the
  // controls as they were, and the window system is not asked to show them
  // (and the controls over them to paint themselves) again every frame.
  int first = -1, last = -1;
  const int width = r.Width();
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(image_.scanLine(y)) + r.left;
    if (RowIs(row, width, pixel)) continue;
    std::fill_n(row, width, pixel);
    if (first < 0) first = y;
    last = y;
  }
  if (first >= 0) MarkDrawn({r.left, first, r.right, last + 1});
}

void QtImagePort::InvertRect(Rect r) {
  r = Clip(r);
  if (r.Empty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(image_.scanLine(y));
    for (int x = r.left; x < r.right; ++x) row[x] ^= 0x00FFFFFFu;
  }
  MarkDrawn(r);
}

void QtImagePort::Plot(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint32_t& p = reinterpret_cast<uint32_t*>(image_.scanLine(y))[x];
  p = penMode_ == PenMode::Xor ? (p ^ 0x00FFFFFFu) : fore_;
}

void QtImagePort::LineTo(int h, int v) {
  // Bresenham, both end pixels included.
  const Point pen = Pen();
  int x0 = pen.h, y0 = pen.v;
  const int dx = std::abs(h - x0), sx = x0 < h ? 1 : -1;
  const int dy = -std::abs(v - y0), sy = y0 < v ? 1 : -1;
  int err = dx + dy;
  const Rect box{std::min(x0, h), std::min(y0, v), std::max(x0, h) + 1, std::max(y0, v) + 1};
  while (true) {
    Plot(x0, y0);
    if (x0 == h && y0 == v) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  MarkDrawn(Clip(box));
  SetPen(h, v);
}

void QtImagePort::ScrollRect(Rect r, int dh, int dv) {
  r = Clip(r);
  if (r.Empty() || (dh == 0 && dv == 0)) return;
  // Source rows and columns that stay inside r after the move.
  const int width = r.Width() - std::abs(dh);
  if (width <= 0 || std::abs(dv) >= r.Height()) {
    Fill(r, back_);
    return;
  }
  const int srcLeft = dh >= 0 ? r.left : r.left - dh;
  const int dstLeft = dh >= 0 ? r.left + dh : r.left;
  auto moveRow = [&](int dstY, int srcY) {
    std::memmove(reinterpret_cast<uint32_t*>(image_.scanLine(dstY)) + dstLeft,
                 reinterpret_cast<const uint32_t*>(image_.constScanLine(srcY)) + srcLeft, size_t(width) * 4);
  };
  if (dv <= 0) {
    for (int y = r.top; y < r.bottom + dv; ++y) moveRow(y, y - dv);
  } else {
    for (int y = r.bottom - 1; y >= r.top + dv; --y) moveRow(y, y - dv);
  }
  // What the move uncovered takes the background.
  if (dv < 0) Fill({r.left, r.bottom + dv, r.right, r.bottom}, back_);
  if (dv > 0) Fill({r.left, r.top, r.right, r.top + dv}, back_);
  if (dh < 0) Fill({r.right + dh, r.top, r.right, r.bottom}, back_);
  if (dh > 0) Fill({r.left, r.top, r.left + dh, r.bottom}, back_);
  MarkDrawn(r);
}

void QtImagePort::InvalRect(Rect r) {
  r = Clip(r);
  if (!r.Empty()) invalid_ += QRect(r.left, r.top, r.Width(), r.Height());
}

void QtImagePort::ValidRect(Rect r) {
  r = Clip(r);
  if (!r.Empty()) invalid_ -= QRect(r.left, r.top, r.Width(), r.Height());
}

void QtImagePort::Flush() {
  if (onFlush) onFlush();
}

void QtImagePort::TextCell(int width, int above, int below) {
  width = std::max(width, 1);
  above = std::max(above, 1);
  below = std::max(below, 0);
  // The screen code restates the cell size often (every repaint does); the
  // rendered tiles stay good until it really changes.
  if (width == cellWidth_ && above == cellAbove_ && below == cellBelow_) return;
  cellWidth_ = width;
  cellAbove_ = above;
  cellBelow_ = below;
  masks_.clear();
  ClearTiles();
  slabs_.clear();
}

void QtImagePort::ClearTiles() {
  tiles_.clear();
  slabTilesUsed_ = 0;
  styleTables_.clear();
  styleTiles_ = nullptr;
  tileStyle_ = StyleKey{};
}

// A glyph's coverage in a cell: white on black, each channel how much of the
// pixel the glyph covers. Colours play no part, so a glyph is rendered once
// for all the colour pairs it is shown in (a host that cycles through many
// renditions would otherwise have every glyph rendered again for each).
const QImage& QtImagePort::Mask(char32_t glyph, int16_t font, int16_t size, int16_t face) {
  const MaskKey key{glyph, font, size, face};
  if (auto it = masks_.find(key); it != masks_.end()) return it->second;
  if (masks_.size() >= kMaskLimit) masks_.clear();
  const int w = cellWidth_, h = std::max(cellAbove_ + cellBelow_, 1);
  QImage mask(w, h, QImage::Format_RGB32);
  mask.fill(0xFF000000u);
  if (IsBlockOrLineGlyph(glyph)) {
    DrawBlockOrLine(mask, glyph, 0xFFFFFFFFu);
  } else if (glyph != U' ' && glyph != 0xA0) {
    const bool cellFont = font == kScreenFont;
    QFont f(cellFont ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    // The glyph must fit the cell: DejaVu Sans Mono advances 0.602 em.
    const int px = cellFont ? std::max(4, std::min(int(std::floor(w / 0.602)), h)) : std::max<int>(size, 6);
    f.setPixelSize(px);
    f.setBold((face & kFaceBold) != 0);
    f.setItalic((face & kFaceItalic) != 0);
    f.setHintingPreference(QFont::PreferFullHinting);
    QPainter p(&mask);
    p.setFont(f);
    p.setPen(Qt::white);
    const char32_t text[1] = {glyph};
    p.drawText(QPointF(0, cellAbove_), QString::fromUcs4(text, 1));
  }
  return masks_.emplace(key, std::move(mask)).first->second;
}

uint32_t* QtImagePort::NewTilePixels() {
  const size_t tilePixels = size_t(cellWidth_) * size_t(std::max(cellAbove_ + cellBelow_, 1));
  const size_t slab = slabTilesUsed_ / kSlabTiles, slot = slabTilesUsed_ % kSlabTiles;
  if (slab == slabs_.size()) slabs_.push_back(std::make_unique_for_overwrite<uint32_t[]>(kSlabTiles * tilePixels));
  ++slabTilesUsed_;
  return slabs_[slab].get() + slot * tilePixels;
}

QtImagePort::TileRef QtImagePort::Tile(uint8_t code) {
  const bool cellFont = font_ == kScreenFont || font_ == kPcScreenFont;
  const char32_t glyph = cellFont ? GlyphOf(font_, code) : MacRomanToUnicode(code);
  const bool transparent = textMode_ == TextMode::Or;
  const uint32_t ink = textMode_ == TextMode::Inverse ? back_ : fore_;
  const uint32_t paper = transparent ? 0u : textMode_ == TextMode::Inverse ? fore_ : back_;
  // Only these face bits change the rendering.
  const auto face = static_cast<int16_t>(face_ & (kFaceBold | kFaceItalic | kFaceUnderline));
  const int16_t font = cellFont ? int16_t{kScreenFont} : font_;
  const int16_t size = cellFont ? int16_t{0} : size_;
  const TileKey key{glyph, font, size, face, transparent, ink, paper};
  if (auto it = tiles_.find(key); it != tiles_.end()) return it->second;

  const QImage& mask = Mask(glyph, font, size, static_cast<int16_t>(face & (kFaceBold | kFaceItalic)));
  const int w = mask.width(), h = mask.height();
  uint32_t* const pixels = NewTilePixels();
  // Each channel of the tile lies between paper and ink as the glyph covers
  // it; transparent text takes the glyph's coverage as its alpha.
  auto channel = [](uint32_t from, uint32_t to, uint32_t cover, int shift) {
    const uint32_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    return ((a * (255 - cover) + b * cover + 127) / 255) << shift;
  };
  for (int y = 0; y < h; ++y) {
    const uint32_t* in = reinterpret_cast<const uint32_t*>(mask.constScanLine(y));
    uint32_t* out = pixels + size_t(y) * size_t(w);
    for (int x = 0; x < w; ++x) {
      const uint32_t c = in[x] & 0x00FFFFFFu;
      if (transparent) {
        const uint32_t a = std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF});
        out[x] = a << 24 | channel(0, ink, a, 16) | channel(0, ink, a, 8) | channel(0, ink, a, 0);
      } else if (c == 0) {
        out[x] = paper;
      } else if (c == 0x00FFFFFFu) {
        out[x] = ink;
      } else {
        out[x] = 0xFF000000u | channel(paper, ink, (c >> 16) & 0xFF, 16) | channel(paper, ink, (c >> 8) & 0xFF, 8) |
                 channel(paper, ink, c & 0xFF, 0);
      }
    }
  }
  if (face_ & kFaceUnderline) {
    const int y = std::min(cellAbove_ + 1, h - 1);
    std::fill_n(pixels + size_t(y) * size_t(w), w, transparent ? ink | 0xFF000000u : ink);
  }
  const TileRef tile{pixels, w, transparent};
  tiles_.emplace(key, tile);
  return tile;
}

void QtImagePort::DrawText(const uint8_t* codes, int n) {
  if (n <= 0) return;
  const StyleKey style{font_, size_, face_, static_cast<int16_t>(textMode_), fore_, back_};
  if (!styleTiles_ || !(style == tileStyle_)) {
    // A run adds at most 256 tiles: the cache is bounded before it starts, so
    // that no tile it points to goes away while it is drawn.
    if (tiles_.size() > kTileLimit || styleTables_.size() > kStyleLimit) ClearTiles();
    tileStyle_ = style;
    styleTiles_ = &styleTables_.try_emplace(style).first->second;
  }
  StyleTiles& tiles = *styleTiles_;
  // Every tile is one cell.
  const int tileWidth = cellWidth_, tileHeight = std::max(cellAbove_ + cellBelow_, 1);
  const Point pen = Pen();
  const int top = pen.v - cellAbove_;
  uint32_t* const bits = reinterpret_cast<uint32_t*>(image_.bits());
  const qsizetype stride = image_.bytesPerLine() / 4;
  // Text drawn over the same text changes nothing the window must show
  // again (a repaint from the planes draws every cell, most of them as they
  // were).
  bool changed = false;
  for (int i = 0; i < n; ++i) {
    TileRef& tile = tiles[codes[i]];
    if (!tile.pixels) tile = Tile(codes[i]);
    const int left = pen.h + i * cellWidth_;
    const Rect dst = Clip({left, top, left + tileWidth, top + tileHeight});
    if (dst.Empty()) continue;
    const int width = dst.Width();
    for (int y = dst.top; y < dst.bottom; ++y) {
      const uint32_t* src = tile.pixels + (y - top) * tile.stride + (dst.left - left);
      uint32_t* out = bits + y * stride + dst.left;
      if (!tile.blend) {
        // Compared only until the first change: from then on the run is
        // marked whole anyway.
        if (!changed) changed = !SameCells(out, src, static_cast<size_t>(width));
        CopyCells(out, src, static_cast<size_t>(width));
        continue;
      }
      changed = true;
      for (int x = 0; x < width; ++x) {
        const uint32_t s = src[x], a = s >> 24;
        if (a == 0) continue;
        auto mix = [&](int shift) {
          const uint32_t sc = (s >> shift) & 0xFF, dc = (out[x] >> shift) & 0xFF;
          return (sc + dc * (255 - a) / 255) << shift;
        };
        out[x] = 0xFF000000u | mix(16) | mix(8) | mix(0);
      }
    }
  }
  if (changed) MarkDrawn(Clip({pen.h, top, pen.h + n * cellWidth_, top + cellAbove_ + cellBelow_}));
  SetPen(pen.h + n * cellWidth_, pen.v);
}

}  // namespace korvane::platform
