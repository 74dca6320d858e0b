#pragma once
// The drawing surface of one window, in the terms the screen code thinks in:
// a pen on the text baseline, a foreground and a background colour, a text
// font/size/face/mode, and rectangles in window pixels. Implemented on a Qt
// back buffer for the program and by a recording fake for tests.
//
// Pixel conventions: a Rect covers left <= x < right and top <= y < bottom
// (the right and bottom edges are not part of it). A line from (h1, v1) to
// (h2, v2) covers both end pixels.

#include <cstdint>

namespace korvane::platform {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int h = 0, v = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Colour channels are 16 bits each (0..65535), as the palette stores them.
struct RGB {
  uint16_t red = 0, green = 0, blue = 0;
  friend bool operator==(const RGB&, const RGB&) = default;
};

// How lines and painted rectangles combine with what is there.
enum class PenMode : int16_t {
  Copy = 8,  // paint in the foreground colour
  Xor = 10,  // invert the pixels covered (drawing twice restores them)
};

// How text combines with what is there.
enum class TextMode : int16_t {
  Copy = 0,     // glyphs in the foreground on a band of the background colour
  Or = 1,       // glyphs only, the background shows through
  Inverse = 4,  // glyphs in the background colour on a band of the foreground
};

// Text face bits.
enum TextFaceBits : int16_t {
  kFacePlain = 0,
  kFaceBold = 0x01,
  kFaceItalic = 0x02,
  kFaceUnderline = 0x04,
  kFaceCondense = 0x20,
};

// Font numbers: the screen font's glyph set is chosen by its number.
enum FontId : int16_t {
  kSystemFont = 0,
  kScreenFont = 1,    // the program's screen font: Mac Roman with line-drawing glyphs
  kPcScreenFont = 2,  // the same font laid out as code page 437
  kLabelFont = 3,     // plain sans-serif for button labels
};

class Port {
 public:
  virtual ~Port() = default;

  // Size of the window's content, in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void MoveTo(int h, int v) = 0;
  virtual Point Pen() const = 0;
  // A line in the pen mode and foreground colour; the pen ends at (h, v).
  virtual void LineTo(int h, int v) = 0;

  virtual void ForeColour(RGB c) = 0;
  virtual void BackColour(RGB c) = 0;
  virtual void SetPenMode(PenMode m) = 0;

  virtual void TextFont(int16_t id) = 0;
  virtual void TextSize(int16_t points) = 0;
  virtual void TextFace(int16_t bits) = 0;
  virtual void SetTextMode(TextMode m) = 0;
  // The cell every character occupies: `width` pixels wide, `above` pixels
  // above the baseline and `below` pixels from the baseline row downwards.
  virtual void TextCell(int width, int above, int below) = 0;
  // Draws character codes (8-bit, of the current font's glyph set) at the pen,
  // one cell each, and advances the pen by n cells.
  virtual void DrawText(const uint8_t* codes, int n) = 0;

  virtual void EraseRect(Rect r) = 0;   // fill with the background colour
  virtual void PaintRect(Rect r) = 0;   // fill with the foreground colour
  virtual void InvertRect(Rect r) = 0;  // invert every pixel
  // Moves the pixels inside r by (dh, dv); the part of r they leave is filled
  // with the background colour, and nothing outside r changes.
  virtual void ScrollRect(Rect r, int dh, int dv) = 0;

  // Marks part of the window as needing, or no longer needing, a redraw.
  virtual void InvalRect(Rect r) = 0;
  virtual void ValidRect(Rect r) = 0;
  // Makes what was drawn visible on the screen.
  virtual void Flush() = 0;
};

}  // namespace korvane::platform
