#pragma once
// Cell storage of a session's screen and scroll-back.
//
// A screen is four parallel planes of 16-bit cells (characters, attribute
// codes, foreground and background palette indexes) plus the write-protect
// flags. Rows are reached through a row map shared by the four planes, so
// scrolling a range of rows permutes the map and clears one row: no cell is
// copied. The scroll-back keeps its lines in a ring for the same reason.
//
// Every cell access goes through a checked accessor: an index outside the
// planes is a programming error and stops the program with a report.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/ZeroedCells.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvane {

[[noreturn]] void PlaneIndexFault(const char* plane, int index, int bound);

inline void CheckIndex(const char* plane, int index, int bound) {
  if (index < 0 || index >= bound) [[unlikely]]
    PlaneIndexFault(plane, index, bound);
}

// Cells of one row written in bulk: `n` 8-bit character codes stored as
// cells, and `n` copies of one value. The run writer stores every printable
// run through these, so they take eight or sixteen cells at a time where the
// processor has the instructions for it; the last block of a run may overlap
// the one before it (those cells get the same values again).
inline void StoreCodes(int16_t* cells, const uint8_t* codes, int n) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  auto store16 = [&](int i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + i), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + i + 8), _mm_unpackhi_epi8(v, zero));
  };
  auto store8 = [&](int i) {
    const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(codes + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + i), _mm_unpacklo_epi8(v, zero));
  };
  if (n >= 16) {
    int i = 0;
    for (; i + 16 <= n; i += 16) store16(i);
    if (i < n) store16(n - 16);
    return;
  }
  if (n >= 8) {
    store8(0);
    store8(n - 8);
    return;
  }
#endif
  for (int i = 0; i < n; ++i) cells[i] = codes[i];
}

inline void FillCells(int16_t* cells, int16_t value, int n) {
#if defined(__SSE2__)
  if (n >= 8) {
    const __m128i v = _mm_set1_epi16(value);
    int i = 0;
    for (; i + 8 <= n; i += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + i), v);
    if (i < n) _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + n - 8), v);
    return;
  }
#endif
  for (int i = 0; i < n; ++i) cells[i] = value;
}

// A whole plane (`n` cells) set to one value: zeros as one memset, any
// other value written into the first cells and then copied onwards in
// doubling blocks, so that the work is done by the library's block moves
// rather than by a loop over every cell.
inline void FillPlane(int16_t* cells, int16_t value, int n) {
  if (value == 0) {
    std::memset(cells, 0, static_cast<size_t>(n) * sizeof(int16_t));
    return;
  }
  int done = std::min(n, 256);
  FillCells(cells, value, done);
  while (done < n) {
    const int block = std::min(done, n - done);
    std::memcpy(cells + done, cells, static_cast<size_t>(block) * sizeof(int16_t));
    done += block;
  }
}

// The four row-major screen planes with their shared row map.
class ScreenPlanes {
 public:
  static constexpr int kRows = 126;  // rows 0..125
  static constexpr int kCols = 208;  // columns 0..207

  enum Plane { kChars, kAttrs, kFore, kBack, kPlaneCount };

  ScreenPlanes();

  int16_t& Cell(Plane p, int row, int col) {
    CheckIndex(kNames[p], row, kRows);
    CheckIndex(kNames[p], col, kCols);
    return cells_[p][rowOf_[row] * kCols + col];
  }
  int16_t Cell(Plane p, int row, int col) const { return const_cast<ScreenPlanes*>(this)->Cell(p, row, col); }

  // The 208 cells of one row of one plane, for loops over a row.
  int16_t* Row(Plane p, int row) {
    CheckIndex(kNames[p], row, kRows);
    return &cells_[p][rowOf_[row] * kCols];
  }
  const int16_t* Row(Plane p, int row) const { return const_cast<ScreenPlanes*>(this)->Row(p, row); }

  // Whole-plane fill (every row, every column).
  void Fill(Plane p, int16_t value);
  // Rows first..last (inclusive, first <= last): row r takes row r + 1 and
  // row `last` takes what was row `first`, in every plane.
  void RotateUp(int first, int last);
  // Rows first..last: row r takes row r - 1 and row `first` takes what was `last`.
  void RotateDown(int first, int last);

  // Copies rows 0..rows-1 of a plane, in screen order, to or from a buffer of
  // rows x kCols cells.
  void CopyOut(Plane p, int rows, int16_t* dst) const;
  void CopyIn(Plane p, int rows, const int16_t* src);

 private:
  static constexpr const char* kNames[kPlaneCount] = {"ScreenChars", "ScreenAttrs", "ScreenForeColours",
                                                      "ScreenBackColours"};
  std::array<uint8_t, kRows> rowOf_{};
  std::array<platform::ZeroedCells, kPlaneCount> cells_;
};

// A plain row-by-column plane that never scrolls: the write-protect flags
// (they stay with the screen position, not with the text) and the hidden
// attribute markers of the Wyse colour-attribute mode.
template <int Rows, int Cols>
class FixedPlane {
 public:
  explicit FixedPlane(const char* name) : name_(name), cells_(platform::MakeZeroedCells(Rows * Cols)) {}
  int16_t& At(int row, int col) {
    CheckIndex(name_, row, Rows);
    CheckIndex(name_, col, Cols);
    return cells_[row * Cols + col];
  }
  int16_t At(int row, int col) const { return const_cast<FixedPlane*>(this)->At(row, col); }
  // The Cols cells of one row.
  const int16_t* Row(int row) const {
    CheckIndex(name_, row, Rows);
    return cells_.get() + row * Cols;
  }
  void Fill(int16_t v) { FillPlane(cells_.get(), v, Rows * Cols); }

 private:
  const char* name_;
  platform::ZeroedCells cells_;
};

// The scroll-back store: four planes of 961 lines (0..960; lines 1..960 are
// used) by 208 columns. Lines 1..960 live in a ring, so dropping the oldest
// lines moves nothing.
class ScrollBackPlanes {
 public:
  static constexpr int kLines = 961;
  static constexpr int kCols = 208;
  enum Plane { kChars, kAttrs, kFore, kBack, kPlaneCount };

  ScrollBackPlanes();

  int16_t& Cell(Plane p, int line, int col) {
    CheckIndex(kNames[p], line, kLines);
    CheckIndex(kNames[p], col, kCols);
    return cells_[p][Physical(line) * kCols + col];
  }
  int16_t Cell(Plane p, int line, int col) const { return const_cast<ScrollBackPlanes*>(this)->Cell(p, line, col); }
  int16_t* Line(Plane p, int line) {
    CheckIndex(kNames[p], line, kLines);
    return &cells_[p][Physical(line) * kCols];
  }
  const int16_t* Line(Plane p, int line) const { return const_cast<ScrollBackPlanes*>(this)->Line(p, line); }

  // Every cell of the plane (all 961 lines) set to `value`.
  void Fill(Plane p, int16_t value);
  // Lines n+1..960 become lines 1..960-n: the n oldest lines are dropped.
  void DropOldest(int n);

 private:
  int Physical(int line) const { return line == 0 ? 0 : 1 + (line - 1 + base_) % (kLines - 1); }
  static constexpr const char* kNames[kPlaneCount] = {"ScrollBackChars", "ScrollBackAttrs", "ScrollBackForeColours",
                                                      "ScrollBackBackColours"};
  int base_ = 0;
  std::array<platform::ZeroedCells, kPlaneCount> cells_;
};

}  // namespace korvane
