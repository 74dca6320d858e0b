#include "output/PicturePlacement.h"

#include <algorithm>
#include <cmath>

namespace korvane::output {

PictureRequest RequestedPicture(const std::array<int16_t, 6>& numbers, int cellWidth, int cellHeight,
                                bool keepProportions) {
  PictureRequest r;
  const int64_t column = numbers[0], row = numbers[1], width = numbers[2], height = numbers[3];
  auto clamp = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -32768, 32767)); };
  r.left = clamp(column * cellWidth);
  r.top = clamp(row * cellHeight);
  // The width in cells reaches to the start of its last cell.
  r.right = clamp(r.left + (width - 1) * cellWidth);
  r.bottom = clamp(r.top + (height - 1) * cellHeight);
  r.keepProportions = keepProportions;
  if (width == 0 || height == 0) r.deriveSize = true;
  if (width == 0) r.right = 0;
  if (height == 0) r.bottom = 0;
  if (width + height == 0) {
    r.naturalSize = true;
    r.right = r.bottom = 0;
  }
  return r;
}

platform::Size FitPicture(platform::Size natural, int width, int height, bool keepProportions) {
  if (!keepProportions) return {std::max(width, 0), std::max(height, 0)};
  if (natural.width <= 0 || natural.height <= 0 || width <= 0 || height <= 0) return {0, 0};
  const double w = natural.width, h = natural.height;
  const double sx = width / w, sy = height / h;
  const double scale = sy >= sx ? sx : sy;
  return {static_cast<int>(std::trunc(w * scale)), static_cast<int>(std::trunc(h * scale))};
}

PicturePlacement PlacePicture(const PictureRequest& request, platform::Size natural, platform::Size area) {
  int64_t left = request.left, top = request.top, right = request.right, bottom = request.bottom;
  bool naturalSize = request.naturalSize;
  if (right == 0 && bottom == 0) naturalSize = true;
  if (naturalSize) {
    right = left + natural.width;
    bottom = top + natural.height;
  } else if (request.deriveSize) {
    const double ratio = static_cast<double>(natural.height) / natural.width;
    if (bottom == 0) bottom = static_cast<int64_t>(std::rint(ratio * static_cast<double>(right - left) + top));
    if (right == 0) right = static_cast<int64_t>(std::rint(static_cast<double>(bottom - top) / ratio)) + left;
  }
  // Nothing reaches beyond the text area.
  left = std::clamp<int64_t>(left, 0, area.width);
  top = std::clamp<int64_t>(top, 0, area.height);
  right = std::clamp<int64_t>(right, left, area.width);
  bottom = std::clamp<int64_t>(bottom, top, area.height);

  PicturePlacement p;
  p.box = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
  const platform::Size drawn =
      FitPicture(natural, p.box.Width() - kPictureInset, p.box.Height() - kPictureInset, request.keepProportions);
  p.shown = {p.box.left, p.box.top, p.box.left + drawn.width, p.box.top + drawn.height};
  return p;
}

}  // namespace korvane::output
