// Where a picture goes and how big it is drawn, from the host's numbers, the
// cell size and the picture's own size.

#include "output/PicturePlacement.h"

#include <gtest/gtest.h>

namespace korvane::output {
namespace {

using platform::Rect;
using platform::Size;

constexpr Size kArea{2000, 2000};

TEST(PicturePlacement, TheHostsNumbersBecomeARectangleOfPixels) {
  struct Case {
    const char* name;
    std::array<int16_t, 6> numbers;
    int cellWidth, cellHeight;
    bool keep;
    PictureRequest expected;
  };
  const Case cases[] = {
      // left, top, right, bottom, derive, natural, keep
      {"all four given", {2, 3, 10, 4, 0, 0}, 7, 14, false, {14, 42, 77, 84, false, false, false}},
      {"no height", {10, 5, 20, 0, 0, 0}, 8, 16, true, {80, 80, 232, 0, true, false, true}},
      {"no width", {10, 5, 0, 10, 0, 0}, 8, 16, true, {80, 80, 0, 224, true, false, true}},
      {"neither", {3, 4, 0, 0, 0, 0}, 8, 16, true, {24, 64, 0, 0, true, true, true}},
      {"one cell each at the corner", {0, 0, 1, 1, 0, 0}, 8, 16, false, {0, 0, 0, 0, false, false, false}},
      // 32767 cells are far more than 16 bits of pixels: the numbers hold.
      {"huge numbers",
       {32767, 32767, 32767, 32767, 0, 0},
       9,
       18,
       true,
       {32767, 32767, 32767, 32767, false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RequestedPicture(c.numbers, c.cellWidth, c.cellHeight, c.keep), c.expected);
  }
}

TEST(PicturePlacement, APictureIsPlacedAndScaledAsItsRequestSays) {
  struct Case {
    const char* name;
    std::array<int16_t, 6> numbers;
    int cellWidth, cellHeight;
    bool keep;
    Size natural;
    Rect box, shown;
  };
  const Case cases[] = {
      {"stretched to fill", {2, 3, 10, 4, 0, 0}, 7, 14, false, {500, 100}, {14, 42, 77, 84}, {14, 42, 72, 79}},
      {"fitted keeping its proportions",
       {2, 3, 10, 4, 1, 0},
       7,
       14,
       true,
       {500, 100},
       {14, 42, 77, 84},
       {14, 42, 72, 53}},
      {"its own size, less the inset", {0, 0, 0, 0, 0, 0}, 8, 16, true, {100, 50}, {0, 0, 100, 50}, {0, 0, 90, 45}},
      {"height from the proportions",
       {10, 5, 20, 0, 0, 0},
       8,
       16,
       true,
       {200, 100},
       {80, 80, 232, 156},
       {80, 80, 222, 151}},
      {"width from the proportions",
       {10, 5, 0, 10, 0, 0},
       8,
       16,
       true,
       {200, 100},
       {80, 80, 368, 224},
       {80, 80, 358, 219}},
      {"stretched whatever its proportions",
       {0, 0, 40, 10, 0, 0},
       8,
       16,
       false,
       {10, 900},
       {0, 0, 312, 144},
       {0, 0, 307, 139}},
      {"corner cells give its own size", {0, 0, 1, 1, 0, 0}, 8, 16, false, {60, 30}, {0, 0, 60, 30}, {0, 0, 55, 25}},
      {"kept inside the text area",
       {32767, 0, 10, 10, 1, 0},
       8,
       16,
       true,
       {50, 50},
       {2000, 0, 2000, 144},
       {2000, 0, 2000, 0}},
      {"a huge picture fits the text area",
       {0, 0, 0, 0, 0, 0},
       8,
       16,
       true,
       {100000, 50000},
       {0, 0, 2000, 2000},
       {0, 0, 1995, 997}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PictureRequest r = RequestedPicture(c.numbers, c.cellWidth, c.cellHeight, c.keep);
    const PicturePlacement p = PlacePicture(r, c.natural, kArea);
    EXPECT_EQ(p.box, c.box);
    EXPECT_EQ(p.shown, c.shown);
  }
}

TEST(PicturePlacement, FittingTakesTheSmallerRatioAndTruncates) {
  struct Case {
    Size natural;
    int width, height;
    bool keep;
    Size fitted;
  };
  const Case cases[] = {
      {{100, 50}, 95, 45, true, {90, 45}},  {{100, 50}, 95, 95, true, {95, 47}},
      {{100, 100}, 30, 30, true, {30, 30}},  // a tie takes the width's ratio
      {{3, 7}, 10, 14, true, {6, 14}},      {{100, 50}, 0, 45, true, {0, 0}},
      {{100, 50}, 63, 42, false, {63, 42}}, {{100, 50}, -5, 42, false, {0, 42}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitPicture(c.natural, c.width, c.height, c.keep), c.fitted)
        << c.natural.width << "x" << c.natural.height << " in " << c.width << "x" << c.height;
}

}  // namespace
}  // namespace korvane::output
