#pragma once
// A picture of screen cells: each cell's character and colours, and the cell
// size. The copy of a selection as a picture describes the cells in these
// terms, and the platform draws them: as a vector PDF (text that stays text)
// and as a PNG image.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Port.h"

namespace korvane::platform {

struct PictureCell {
  char32_t glyph = U' ';
  RGB fore{0, 0, 0}, back{65535, 65535, 65535};
  bool bold = false, underline = false;
  friend bool operator==(const PictureCell&, const PictureCell&) = default;
};

struct CellPicture {
  int rows = 0, cols = 0;
  // Pixels of one cell on the screen; the PDF takes one point for a pixel.
  int cellWidth = 7, cellHeight = 15;
  // Pixels of the cell above the text's baseline.
  int cellAbove = 12;
  std::vector<PictureCell> cells;  // row by row, rows x cols

  int Width() const { return cols * cellWidth; }
  int Height() const { return rows * cellHeight; }
  PictureCell& At(int row, int col) { return cells[static_cast<size_t>(row * cols + col)]; }
  const PictureCell& At(int row, int col) const { return cells[static_cast<size_t>(row * cols + col)]; }
};

class CellPictureWriter {
 public:
  virtual ~CellPictureWriter() = default;
  // A one-page PDF document of the picture, its page Width() x Height()
  // points; empty when it could not be made.
  virtual std::string Pdf(const CellPicture& picture) = 0;
  // The picture as a PNG image of Width() x Height() pixels; empty when it
  // could not be made.
  virtual std::string Png(const CellPicture& picture) = 0;
};

}  // namespace korvane::platform
