// The view over the scroll-back: the scroll bar's value names the store line
// shown on the last text row. Moving it by a few lines moves the pixels and
// draws only the lines that come into view; the full styled repaint follows.

#include <algorithm>

#include "screen/Screen.h"

namespace korvane {

void Screen::ClearScrollback() {
  ClearPages();
  if (ScrollBackCount == 960 && Opt.ScrollBackOn == 1) {
    ScrollBack.Fill(ScrollBackPlanes::kChars, 0);
    ScrollBack.Fill(ScrollBackPlanes::kAttrs, 0);
    if (ScrollBackColours()) {
      ScrollBack.Fill(ScrollBackPlanes::kFore, 0x1212);
      ScrollBack.Fill(ScrollBackPlanes::kBack, 0x1111);
    }
  }
  ScreenRows = ScreenRowsForWindow();
  ScrollBackLinePos = ScrollBackViewLine = ScrollBackViewDrawnLine = ScreenRows;
  ScrollBarUpdateNeeded = 1;
  ScrollBackViewShown = 0;
  // The screen is no longer in the store: the next clear keeps it.
  ScreenSavedToScrollBack = 0;
}

void Screen::SetScrollBarForView(int value) {
  const int rows = ScreenRowsForHeight();
  controls.SetScrollBarRange(kScrollBarControl, rows, ScrollBackLinePos, rows);
  controls.SetControlValue(kScrollBarControl, value);
}

void Screen::ScrollBackViewLineDown() {
  if (!Opt.ScrollBackOn || !host.IsFrontSessionWindow()) return;
  ScrollBackViewLine = std::max<int16_t>(ScrollBackViewLine, 0);
  SetScrollBarForView(ScrollBackViewLine + 1);
  DrawScrollbackView();
}

void Screen::ScrollBackViewLineUp() {
  if (!Opt.ScrollBackOn || !host.IsFrontSessionWindow()) return;
  ScrollBackViewLine = std::max<int16_t>(ScrollBackViewLine, 0);
  SetScrollBarForView(ScrollBackViewLine - 1);
  DrawScrollbackView();
}

// The page moves set the scroll bar and then draw exactly as a move of the
// bar by the user does.
void Screen::ScrollBackViewPageUp() {
  if (!Opt.ScrollBackOn) return;
  SetScrollBarForView(std::max(ScrollBackViewLine - ScreenRows, 0));
  DrawScrollbackView();
}

void Screen::ScrollBackViewPageDown() {
  if (!Opt.ScrollBackOn) return;
  SetScrollBarForView(std::min<int>(ScrollBackViewLine + ScreenRows, ScrollBackLinePos));
  DrawScrollbackView();
}

void Screen::DrawScrollbackLinePlain(int line, int row) {
  if (line < 1 || line > ScrollBackCount || line >= ScrollBackPlanes::kLines) return;
  MoveToCell(row, 1);
  const int16_t* chars = ScrollBack.Line(ScrollBackPlanes::kChars, line);
  uint8_t text[kMaxScreenCols];
  for (int c = 1; c <= kMaxScreenCols; ++c) text[c - 1] = static_cast<uint8_t>(chars[c] & 0xFF);
  port.DrawText(text, kMaxScreenCols);
}

void Screen::DrawScrollbackView() {
  if (!Opt.ScrollBackOn) return;
  LimitScreenCols();
  // The pixels are about to move: take the cursor's inverted image away
  // first, so that it neither moves with them nor is inverted again later.
  if (CursorDrawn) EraseTextCursor();
  const int old = ScrollBackViewLine;
  ScrollBackViewDrawnLine = static_cast<int16_t>(old);
  const int now = controls.ControlValue(kScrollBarControl);
  ScrollBackViewLine = static_cast<int16_t>(now);
  const int rows = ScreenRowsForHeight();

  if (ScrollBackMirrorPending == 1 && ScrollBackLinePos == old && now < old)
    for (int r = 1; r <= rows; ++r) CopyRowToScrollback(r, ScrollBackLinePos - rows + r);

  // Lines that would scroll out again before the move ends are not drawn at all.
  const Rect area{0, 0, Width(), rows * CellHeight - CellBaselineAdjust};
  bool moved = false;
  if (now < old && now > 0) {
    for (int k = old - now; k >= 1; --k) {
      if (k > rows) continue;
      port.ScrollRect(area, 0, CellHeight);
      DrawScrollbackLinePlain(now + k - rows, 1);
    }
    moved = true;
  } else if (now > old && now < ScrollBackLinePos) {
    for (int k = now - old; k >= 1; --k) {
      if (k > rows) continue;
      port.ScrollRect(area, 0, -CellHeight);
      DrawScrollbackLinePlain(now - k + 1, rows);
    }
    moved = true;
  }
  if (moved) {
    MoveToCell(CursorRow(), CursorCol());
    ScrollBackViewDrawnLine = static_cast<int16_t>(now);
  }
  ScrollBackViewShown = now < ScrollBackLinePos ? 1 : 0;
  RepaintPending = 1;
  port.Flush();
}

}  // namespace korvane
