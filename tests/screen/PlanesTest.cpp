// The cell stores: rows reached through a row map, the scroll-back ring.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "screen/Planes.h"

namespace korvane {
namespace {

void NumberRows(ScreenPlanes& p) {
  for (int r = 0; r < ScreenPlanes::kRows; ++r)
    for (int plane = 0; plane < ScreenPlanes::kPlaneCount; ++plane)
      p.Cell(static_cast<ScreenPlanes::Plane>(plane), r, 5) = static_cast<int16_t>(r * 10 + plane);
}

TEST(ScreenPlanes, RotatingMovesAllFourPlanesTogether) {
  ScreenPlanes p;
  NumberRows(p);
  p.RotateUp(2, 5);
  for (int plane = 0; plane < ScreenPlanes::kPlaneCount; ++plane) {
    const auto pl = static_cast<ScreenPlanes::Plane>(plane);
    EXPECT_EQ(p.Cell(pl, 1, 5), 10 + plane);
    EXPECT_EQ(p.Cell(pl, 2, 5), 30 + plane);
    EXPECT_EQ(p.Cell(pl, 4, 5), 50 + plane);
    EXPECT_EQ(p.Cell(pl, 5, 5), 20 + plane) << "the top row's storage comes round to the bottom";
    EXPECT_EQ(p.Cell(pl, 6, 5), 60 + plane);
  }
  p.RotateDown(2, 5);
  for (int r = 0; r < 8; ++r) EXPECT_EQ(p.Cell(ScreenPlanes::kChars, r, 5), r * 10);
}

TEST(ScreenPlanes, CopyOutAndInFollowScreenOrder) {
  ScreenPlanes p;
  NumberRows(p);
  p.RotateUp(1, 3);
  std::vector<int16_t> saved(4 * ScreenPlanes::kCols);
  p.CopyOut(ScreenPlanes::kChars, 4, saved.data());
  EXPECT_EQ(saved[1 * ScreenPlanes::kCols + 5], 20);
  ScreenPlanes q;
  q.CopyIn(ScreenPlanes::kChars, 4, saved.data());
  EXPECT_EQ(q.Cell(ScreenPlanes::kChars, 3, 5), 10);
}

TEST(ScrollBackPlanes, DroppingOldLinesShiftsTheirNumbers) {
  ScrollBackPlanes sb;
  for (int line = 1; line <= 960; ++line) sb.Cell(ScrollBackPlanes::kAttrs, line, 1) = static_cast<int16_t>(line);
  sb.DropOldest(24);
  EXPECT_EQ(sb.Cell(ScrollBackPlanes::kAttrs, 1, 1), 25);
  EXPECT_EQ(sb.Cell(ScrollBackPlanes::kAttrs, 936, 1), 960);
  // Many drops wrap round the ring and keep counting.
  for (int i = 0; i < 100; ++i) sb.DropOldest(71);
  const int shift = (24 + 7100) % 960;
  EXPECT_EQ(sb.Cell(ScrollBackPlanes::kAttrs, 1, 1), 1 + shift);
}

TEST(FillPlane, SetsExactlyTheCellsAskedFor) {
  // Sizes around the first block and the doubling steps, up to a whole
  // screen plane; values with both bytes alike (zero) and unlike.
  for (const int n : {1, 7, 8, 255, 256, 257, 513, 1000, 126 * 208}) {
    for (const int16_t value : {int16_t{0}, int16_t{-1}, int16_t{0x1112}}) {
      std::vector<int16_t> cells(static_cast<size_t>(n) + 2, 0x5a5a);
      FillPlane(cells.data() + 1, value, n);
      EXPECT_EQ(cells.front(), 0x5a5a) << n;
      EXPECT_EQ(cells.back(), 0x5a5a) << n << " cells: one past the end was written";
      EXPECT_EQ(std::count(cells.begin() + 1, cells.end() - 1, value), n) << n << " cells of " << value;
    }
  }
}

TEST(PlaneDeathTest, ReadsOutsideThePlanesStop) {
  ScreenPlanes p;
  EXPECT_DEATH(p.Cell(ScreenPlanes::kBack, -1, 0), "index -1 outside ScreenBackColours");
  ScrollBackPlanes sb;
  EXPECT_DEATH(sb.Cell(ScrollBackPlanes::kChars, 961, 0), "index 961 outside ScrollBackChars");
}

}  // namespace
}  // namespace korvane
