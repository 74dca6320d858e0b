// The scroll-back store: lines that leave the top of the screen, and whole
// screens kept before they are erased or replaced.

#include <algorithm>

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
        ScrollBack.Cell(ScrollBackPlanes::kFore, ScrollBackLinePos, c) = Opt.CurrentForeColour;
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

}  // namespace korvane
