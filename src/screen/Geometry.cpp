// Cell geometry: the pixel size of a cell per text size, the number of rows
// that fit the window, and the pen's placement on a cell.

#include <algorithm>

#include "screen/Screen.h"

namespace korvane {

namespace {
struct CellMetrics {
  int16_t height, ascent, descent, baselineAdjust, width, statusOffset;
};
}  // namespace

void Screen::ComputeCellMetrics() {
  const int16_t size = Opt.TextSizeValue;
  const bool small = Opt.FontSizeMode != 0;
  // Later matches override earlier ones.
  const CellMetrics* m = nullptr;
  static constexpr CellMetrics k9{11, 9, 1, 1, 6, 11}, k12{15, 12, 2, 0, 7, 0}, k16{16, 14, 2, 0, 9, 0},
      k18{24, 18, 5, -5, 12, -11}, kSmall{11, 9, 1, 1, 4, 0}, kSmallPlain{11, 9, 1, 1, 6, 0},
      kSmallWide{15, 12, 2, 0, 7, 0}, k24{30, 18, 5, -5, 14, -17};
  if (size == 9) m = &k9;
  if (size == 12) m = &k12;
  if (size == 16 && !small) m = &k16;
  if (size == 18 && !small) m = &k18;
  if (small) m = &kSmall;
  if (small && Opt.PlainFaceSwitch) m = &kSmallPlain;
  if (small && Opt.PlainFaceSwitch && Opt.FontOption139) m = &kSmallWide;
  if (size == 24 && !small) m = &k24;
  if (m) {
    CellHeight = m->height;
    CellAscent = m->ascent;
    CellDescent = m->descent;
    CellBaselineAdjust = m->baselineAdjust;
    CellWidth = m->width;
    StatusLineOffset = m->statusOffset;
  }
  ApplyCellMetricsToPort();
  ScreenRows = ScreenRowsForWindow();
  UpdateWindowColumns();
  if (small && Opt.PlainFaceSwitch && Opt.FontOption139) port.TextSize(12);
}

void Screen::ApplyCellMetricsToPort() {
  // Large type keeps extra pixels above the glyphs; the cell is always one
  // CellHeight tall.
  const int extra = std::max(0, CellHeight - CellAscent - CellDescent - 1);
  const int above = CellAscent + extra;
  port.TextCell(CellWidth, above, CellHeight - above);
}

int Screen::RowsThatFit(int& fit) const {
  fit = (Height() - 9) / CellHeight - 3;
  int rows = fit;
  if (rows > 24) --rows;
  if (Opt.ScreenRowsSetting && rows > 24) rows = 24;
  return rows;
}

namespace {

// The last steps of the rule: the planes' limit, a window too small for a
// row, and the extra row of large fonts (which must not pass the limit).
int16_t FinishRows(int rows, int16_t fontSize) {
  rows = std::min(rows, static_cast<int>(kMaxScreenRows));
  if (rows < 1) rows = 24;
  if (fontSize > 16) ++rows;
  return static_cast<int16_t>(std::min(rows, static_cast<int>(kMaxScreenRows)));
}

}  // namespace

int16_t Screen::ScreenRowsForWindow() {
  int fit = 0;
  int rows = RowsThatFit(fit);
  StatusLine2Row = static_cast<int16_t>(fit + 5);
  WindowRows = FinishRows(rows, Opt.FontSize);
  if (ScrollBottom > 0) {
    rows = ScrollBottom;
    if (rows > fit) rows = fit;
  }
  ScreenRows = FinishRows(rows, Opt.FontSize);
  return ScreenRows;
}

int16_t Screen::ScreenRowsForHeight() {
  StatusLine2Row = static_cast<int16_t>(ScreenRows + 5);
  return static_cast<int16_t>(WindowTextRows());
}

int Screen::WindowTextRows() const {
  int fit = 0;
  return FinishRows(RowsThatFit(fit), Opt.FontSize);
}

void Screen::MoveToCell(int row, int col) { port.MoveTo(CellWidth * (col - 1) + 4, row * CellHeight - 3); }

void Screen::MoveToCellFixed(int row, int col) { port.MoveTo(7 * col - 3, 17 * row - 7); }

void Screen::MoveToCellUnder(int row, int col) { port.MoveTo(CellWidth * (col - 1) + 4, row * CellHeight - 5); }

void Screen::MoveToCellClamped(int row, int col, int size) {
  const int y0 = row * CellHeight - 6;
  const int e = Height() - y0 - 14;
  if (size < 10 && e < 13)
    StatusMargin = static_cast<int16_t>(13 - e);
  else if (size >= 10 && e < 19)
    StatusMargin = static_cast<int16_t>(19 - e);
  else
    StatusMargin = 0;
  port.MoveTo(CellWidth * (col - 1) + 4, y0 - StatusMargin);
}

void Screen::MoveToCellOffset(int row, int col) {
  port.MoveTo(CellWidth * (col - 1) + 4, row * CellHeight - 6 - StatusMargin);
}

void Screen::MoveToStatusLine(int /*row*/, int col) {
  port.MoveTo(CellWidth * (col - 1) + 4, (Height() - 14) + CellHeight + StatusLineOffset - 2);
}

// The pen usually stands where MoveToCell put it for the cursor's cell; that
// cell is then the answer (for cells more than 3 pixels wide and tall), and
// the divisions, slow next to everything else a cursor address costs, are
// not needed.
int16_t Screen::RowOfPen(int v) const {
  if (CursorRow() >= 1 && CellHeight > 3 && v == CursorRow() * CellHeight - 3) return CursorRow();
  return static_cast<int16_t>(v / CellHeight + 1);
}

int16_t Screen::ColumnOfPen(int h) const {
  if (CursorCol() >= 1 && CellWidth > 3 && h == CellWidth * (CursorCol() - 1) + 4) return CursorCol();
  return static_cast<int16_t>((h - 1) / CellWidth + 1);
}

int16_t Screen::PenRow() const { return RowOfPen(port.Pen().v); }

int16_t Screen::PenColumn() const { return ColumnOfPen(port.Pen().h); }

void Screen::FinishCursorMove() {
  if (WriteProtectMode) SkipProtectedCells();
  // One look at the pen serves all three.
  const platform::Point pen = port.Pen();
  if (ProtectFieldMode == 1) ProtectFieldStart = ColumnOfPen(pen.h);
  LastMoveCol = ColumnOfPen(pen.h);
  LastMoveRow = RowOfPen(pen.v);
}

}  // namespace korvane
