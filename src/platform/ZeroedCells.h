#pragma once
// Large zero-filled cell stores (the screen, scroll-back and stored-page
// planes) that cost little to make again. A store given back keeps its
// address range for the next one of its size, and the next owner reads
// zeros: a small store, or one with few pages touched, is cleared in place;
// otherwise its pages go back to the system and only those written again are
// paged in. A session made and dropped over and over (the replay tool, the
// fuzz targets) therefore pays for what it touches, not for megabytes of
// zeroing. A guard page follows each store, so a write past its end stops
// the program.
//
//   ZeroedCells cells = MakeZeroedCells(rows * cols);   cells[0] = 1;

#include <cstddef>
#include <cstdint>
#include <memory>

namespace korvane::platform {

struct ZeroedCellsRelease {
  size_t count = 0;
  void operator()(int16_t* cells) const;
};

using ZeroedCells = std::unique_ptr<int16_t[], ZeroedCellsRelease>;

// `count` cells, all 0. Ends the program when no memory is left, as new does.
ZeroedCells MakeZeroedCells(size_t count);

}  // namespace korvane::platform
