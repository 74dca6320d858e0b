#pragma once
// Where a picture the host asks for goes in the session window, and how big
// it is drawn: pure arithmetic over the host's numbers, the cell size, the
// picture's own size and the text area.
//
// The host gives the column and row left of and above the picture, and its
// width and height in cells (0: not given). A missing side follows from the
// picture's proportions; with neither side the picture keeps its own size.
// Inside its rectangle, less 5 pixels each way, the picture is scaled by the
// smaller of the two ratios when it keeps its proportions, or stretched to
// fill it. Everything is computed in 32 bits, and the rectangle is kept
// within the text area, so that no host number can make a picture larger
// than the window shows.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/Port.h"
#include "platform/Windows.h"

namespace korvane::output {

// The rectangle the host's numbers ask for, in pixels of the window's content.
struct PictureRequest {
  int left = 0, top = 0;
  int right = 0, bottom = 0;    // 0: that side was not given
  bool deriveSize = false;      // one side follows from the proportions
  bool naturalSize = false;     // the picture keeps its own size
  bool keepProportions = true;  // scaled to fit (false: stretched to fill)
  friend bool operator==(const PictureRequest&, const PictureRequest&) = default;
};

// The host's six numbers (left column, top row, width and height in cells,
// the proportions flag, unused) with the cell size.
PictureRequest RequestedPicture(const std::array<int16_t, 6>& numbers, int cellWidth, int cellHeight,
                                bool keepProportions);

// The size the picture takes inside a box of `width` by `height` pixels:
// scaled by the smaller ratio (the width's on a tie), each side truncated,
// or the whole box when it does not keep its proportions.
platform::Size FitPicture(platform::Size natural, int width, int height, bool keepProportions);

// Pixels taken off each side of the box before the picture is fitted in.
inline constexpr int kPictureInset = 5;

struct PicturePlacement {
  platform::Rect box;    // the rectangle the picture was fitted into
  platform::Rect shown;  // where the picture is drawn, at the size it is drawn
  friend bool operator==(const PicturePlacement&, const PicturePlacement&) = default;
};

// Places a picture of size `natural` (both sides above 0) for `request`
// within a text area of size `area`.
PicturePlacement PlacePicture(const PictureRequest& request, platform::Size natural, platform::Size area);

}  // namespace korvane::output
