// The text cursor: a block or an underline drawn by inverting pixels, so that
// drawing the same figure again takes it away.

#include "screen/Screen.h"

namespace korvane {

namespace {

// Width in pixels of the cursor figure: a line from h covers h .. h + width - 1.
// Below 18 points it leaves the last pixel column of the cell free, so the
// cursor never touches the next character.
int CursorWidth(const SessionOptions& opt, int cellWidth) {
  if (opt.FontSizeMode) return opt.PlainFaceSwitch ? 5 : 3;
  switch (opt.TextSizeValue) {
    case 9: return 5;
    case 12: return 6;
    case 16: return 8;
    case 18: return 12;
    case 24: return 14;
    default: return cellWidth > 1 ? cellWidth - 1 : 1;
  }
}

}  // namespace

void Screen::InvertCursorFigure(const CursorFigure& f, bool paintBackground) {
  const int right = f.h + f.width - 1;
  if (paintBackground) {
    // The underline's two lines in the background colour.
    port.EraseRect({f.h, f.v, right + 1, f.v + 2});
    return;
  }
  port.SetPenMode(platform::PenMode::Xor);
  if (f.block) {
    // A block of lines from the baseline upwards.
    for (int k = 1; k <= f.lines; ++k) {
      port.MoveTo(f.h, f.v - k + 1);
      port.LineTo(right, f.v - k + 1);
    }
  } else {
    for (int k = 0; k < 2; ++k) {
      port.MoveTo(f.h, f.v + k);
      port.LineTo(right, f.v + k);
    }
  }
  port.SetPenMode(platform::PenMode::Copy);
}

void Screen::DrawTextCursor() {
  if (PenRow() > ScreenRows && ScrollBottom == 0) return;
  const auto pen = port.Pen();
  // A cursor still drawn elsewhere goes first: two drawn cursors would leave
  // the first one's inverted image behind for good.
  if (CursorDrawn == 1) {
    CursorDrawn = 0;
    InvertCursorFigure(drawnCursor_, !drawnCursor_.block && CursorEraseInverse);
    CursorEraseInverse = 0;
    port.MoveTo(pen.h, pen.v);
  }
  if (!CursorHidden) {
    CursorDrawnRow = CursorRow();
    CursorDrawnCol = CursorCol();
    CursorDrawn = 1;
    CursorFigure f;
    f.h = pen.h;
    f.v = pen.v;
    f.width = CursorWidth(Opt, CellWidth);
    f.block = Opt.BlockCursor == 1;
    f.lines = f.block ? CellAscent : 2;
    f.row = PenRow();
    f.col = PenColumn();
    drawnCursor_ = f;
    InvertCursorFigure(f, false);
    port.MoveTo(pen.h, pen.v);
  }
  if (!HostColourActive) SetPrintForeColor(CurrentForeColour);
}

void Screen::EraseTextCursor() {
  if (PenRow() > ScreenRows && ScrollBottom == 0) return;
  // A cursor the host hides while it is drawn is still taken away: hiding
  // must not leave its inverted image on the screen.
  if (CursorHidden && !CursorDrawn) return;
  if (CursorDrawn == 1) {
    CursorDrawn = 0;
    // The figure that was drawn, where it was drawn, whatever the cursor
    // shape or size is now.
    InvertCursorFigure(drawnCursor_, !drawnCursor_.block && CursorEraseInverse);
    CursorEraseInverse = 0;
    port.MoveTo(drawnCursor_.h, drawnCursor_.v);
    return;
  }
  MoveToCell(CursorDrawnRow, CursorDrawnCol);
}

void Screen::PickEffectiveTextSize() {
  EffectiveTextSize = Opt.TextSizeValue;
  if (Opt.FontSizeMode) EffectiveTextSize = Opt.PlainFaceSwitch ? 9 : 6;
}

}  // namespace korvane
