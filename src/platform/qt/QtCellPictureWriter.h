#pragma once
// Cell pictures drawn with QPainter: a vector PDF through QPdfWriter, in
// which the characters stay text in the screen's font (DejaVu Sans Mono),
// and a PNG image through a raster QImage. One point of the PDF page is one
// pixel of the screen.

#include "platform/CellPicture.h"

namespace korvane::platform {

class QtCellPictureWriter final : public CellPictureWriter {
 public:
  std::string Pdf(const CellPicture& picture) override;
  std::string Png(const CellPicture& picture) override;
};

}  // namespace korvane::platform
