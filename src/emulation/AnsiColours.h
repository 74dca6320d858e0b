#pragma once
// Palette indexes of the ANSI colour digits 0..7 (the last digit of SGR 30-37
// and 40-47), by the dim flag. Shared by the Wyse-family and VT interpreters.

#include <array>
#include <cstdint>

namespace korvane {

// Index for digit d (0..7), or 0 when d is no colour digit.
inline int16_t AnsiColourIndex(bool background, int d, bool dim) {
  static constexpr std::array<int16_t, 8> kFore = {18, 2, 4, 6, 9, 16, 13, 14};
  static constexpr std::array<int16_t, 8> kBack = {18, 2, 4, 6, 9, 16, 13, 17};
  static constexpr std::array<int16_t, 8> kDim = {15, 1, 3, 5, 8, 1, 12, 14};
  if (d < 0 || d > 7) return 0;
  if (dim) return kDim[static_cast<size_t>(d)];
  return background ? kBack[static_cast<size_t>(d)] : kFore[static_cast<size_t>(d)];
}

}  // namespace korvane
