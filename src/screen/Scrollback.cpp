// The scroll-back store: lines that leave the top of the screen, and whole
// screens kept before they are erased or replaced.

#include <algorithm>

#include "platform/VectorUnit.h"
#include "screen/Screen.h"

namespace korvane {

void Screen::AddLineToScrollback() {
  if (!Opt.ScrollBackOn) return;
  LimitScreenCols();
  const int rows = ScreenRowsForHeight();
  if (ScrollBackLinePos < rows) ScrollBackLinePos = static_cast<int16_t>(rows);
  for (int r = 1; r <= rows; ++r) CopyRowToScrollback(r, ScrollBackLinePos - rows + r);
}

void Screen::SaveScreenToScrollback() {
  if (!Opt.ScrollBackOn) return;
  if (ScriptCommandBusy || ScreenSavedToScrollBack) return;
  ScreenSavedToScrollBack = 1;
  LimitScreenCols();
  AddLineToScrollback();
  if (ScrollBackCount == 960 && ScrollBackLinePos >= 1 && ScrollBackLinePos < ScrollBackPlanes::kLines) {
    // The mirror of the last screen row becomes the separator line.
    for (int c = 1; c <= ScreenCols; ++c) {
      ScrollBack.Cell(ScrollBackPlanes::kChars, ScrollBackLinePos, c) = 0x2D;
      ScrollBack.Cell(ScrollBackPlanes::kAttrs, ScrollBackLinePos, c) = 0;
      if (ScrollBackColours()) {
        ScrollBack.Cell(ScrollBackPlanes::kFore, ScrollBackLinePos, c) = CurrentForeColour;
        ScrollBack.Cell(ScrollBackPlanes::kBack, ScrollBackLinePos, c) = CurrentBackColour;
      }
    }
  }
  ScrollBackLinePos = static_cast<int16_t>(ScrollBackLinePos + ScreenRows);
  if (ScrollBackLinePos >= ScrollBackCount - 2) {
    ScrollBack.DropOldest(ScreenRows);
    ScrollBackLinePos = static_cast<int16_t>(ScrollBackLinePos - ScreenRows);
  }
  ScrollBackViewLine = ScrollBackViewDrawnLine = ScrollBackLinePos;
  ScrollBarUpdateNeeded = 1;
  ScrollBackMirrorPending = 1;
  ScreenRows = ScreenRowsForWindow();
}

int16_t Screen::LastRowWithText(int rows) const {
  const int last = std::min<int>(ScreenCols, kMaxScreenCols);
  for (int r = std::min<int>(rows, kMaxScreenRows); r >= 1; --r)
    for (int c = 1; c <= last; ++c) {
      const int16_t ch = Grid.Cell(ScreenPlanes::kChars, r, c);
      if (ch != 0 && ch != 32) return static_cast<int16_t>(r);
    }
  return 0;
}

void Screen::ShiftRowsIntoScrollback(int rowsBefore, int shift) {
  Screen& sc = *this;
  const bool colours = sc.ScrollBackColours();
  constexpr ScreenPlanes::Plane kPlanes[] = {ScreenPlanes::kChars, ScreenPlanes::kAttrs, ScreenPlanes::kFore,
                                             ScreenPlanes::kBack};
  if (Opt.ScrollBackOn == 1 && sc.ScrollBackCount == 960) {
    // The store's last lines mirror the screen as it was, so the rows that
    // leave the top become its newest history lines; the screen's last row
    // stays at the same line.
    if (sc.ScrollBackLinePos < rowsBefore) sc.ScrollBackLinePos = static_cast<int16_t>(rowsBefore);
    for (int r = 1; r <= rowsBefore; ++r) {
      const int line = sc.ScrollBackLinePos - rowsBefore + r;
      if (line < 1 || line >= ScrollBackPlanes::kLines) continue;
      for (int p = 0; p < (colours ? 4 : 2); ++p) {
        const int16_t* from = sc.Grid.Row(kPlanes[p], r);
        CopyCells(sc.ScrollBack.Line(static_cast<ScrollBackPlanes::Plane>(p), line) + 1, from + 1,
                  ScreenPlanes::kCols - 1);
      }
    }
    sc.ScrollBackViewLine = sc.ScrollBackViewDrawnLine = sc.ScrollBackLinePos;
    sc.ScrollBarUpdateNeeded = 1;
  }
  for (int i = 0; i < shift; ++i) sc.Grid.RotateUp(1, rowsBefore);
  for (int r = rowsBefore - shift + 1; r <= rowsBefore; ++r)
    for (auto p : kPlanes) ZeroCells(sc.Grid.Row(p, r), ScreenPlanes::kCols);
}

}  // namespace korvane
