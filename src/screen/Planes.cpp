#include "screen/Planes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace korvane {

void PlaneIndexFault(const char* plane, int index, int bound) {
  std::fprintf(stderr, "korvane: index %d outside %s (bound %d)\n", index, plane, bound);
  std::abort();
}

ScreenPlanes::ScreenPlanes() {
  for (int r = 0; r < kRows; ++r) rowOf_[r] = static_cast<uint8_t>(r);
  for (auto& p : cells_) p = platform::MakeZeroedCells(kRows * kCols);
}

void ScreenPlanes::Fill(Plane p, int16_t value) { FillPlane(cells_[p].get(), value, kRows * kCols); }

void ScreenPlanes::RotateUp(int first, int last) {
  CheckIndex("screen row", first, kRows);
  CheckIndex("screen row", last, kRows);
  if (first >= last) return;
  std::rotate(rowOf_.begin() + first, rowOf_.begin() + first + 1, rowOf_.begin() + last + 1);
}

void ScreenPlanes::RotateDown(int first, int last) {
  CheckIndex("screen row", first, kRows);
  CheckIndex("screen row", last, kRows);
  if (first >= last) return;
  std::rotate(rowOf_.begin() + first, rowOf_.begin() + last, rowOf_.begin() + last + 1);
}

void ScreenPlanes::CopyOut(Plane p, int rows, int16_t* dst) const {
  CheckIndex("screen rows", rows - 1, kRows);
  for (int r = 0; r < rows; ++r) std::memcpy(dst + r * kCols, Row(p, r), kCols * sizeof(int16_t));
}

void ScreenPlanes::CopyIn(Plane p, int rows, const int16_t* src) {
  CheckIndex("screen rows", rows - 1, kRows);
  for (int r = 0; r < rows; ++r) std::memcpy(Row(p, r), src + r * kCols, kCols * sizeof(int16_t));
}

ScrollBackPlanes::ScrollBackPlanes() {
  for (auto& p : cells_) p = platform::MakeZeroedCells(kLines * kCols);
}

void ScrollBackPlanes::Fill(Plane p, int16_t value) { FillPlane(cells_[p].get(), value, kLines * kCols); }

void ScrollBackPlanes::DropOldest(int n) {
  if (n <= 0) return;
  base_ = (base_ + n) % (kLines - 1);
}

}  // namespace korvane
