#include "platform/ZeroedCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace korvane::platform {
namespace {

// The stored pages hold 24 x 208 cells per plane, the scroll-back 961 x 208:
// stores of a few pages and of hundreds.
constexpr size_t kSizes[] = {1, 5000, 961 * 208};

size_t NonZeroCells(const ZeroedCells& cells, size_t count) {
  return static_cast<size_t>(std::count_if(cells.get(), cells.get() + count, [](int16_t c) { return c != 0; }));
}

TEST(ZeroedCells, AStoreMadeAgainReadsZerosHoweverMuchOfItWasWritten) {
  struct Writes {
    const char* what;
    size_t step;  // every step-th cell is written
  };
  for (const size_t count : kSizes) {
    for (const Writes w : {Writes{"every cell", 1}, Writes{"a cell in every page", 2048}, Writes{"the last cell", 0}}) {
      ZeroedCells first = MakeZeroedCells(count);
      ASSERT_EQ(NonZeroCells(first, count), 0u);
      if (w.step == 0) {
        first[count - 1] = -1;
      } else {
        for (size_t i = 0; i < count; i += w.step) first[i] = static_cast<int16_t>(i | 1);
      }
      first.reset();
      // The range given back is the one the next store of that size takes.
      ZeroedCells again = MakeZeroedCells(count);
      EXPECT_EQ(NonZeroCells(again, count), 0u) << count << " cells, " << w.what << " written";
      again[0] = 7;
      again[count - 1] = 7;
    }
  }
}

TEST(ZeroedCells, AWritePastTheEndStopsTheProgram) {
  ZeroedCells cells = MakeZeroedCells(5000);
  volatile int16_t* past = cells.get() + 5000;
  EXPECT_DEATH(*past = 1, "");
}

}  // namespace
}  // namespace korvane::platform
