// Whole-row operations: the line feed, scrolling the screen or its region,
// line insert and delete, and the character shifts within the cursor row.
// Rows move by permuting the planes' row map; only cleared rows are written.

#include <algorithm>
#include <cstring>
#include <vector>

#include "screen/Screen.h"
#include "platform/VectorUnit.h"

namespace korvane {

void Screen::ClearRow(int row) {
  int16_t* chars = Grid.Row(ScreenPlanes::kChars, row);
  int16_t* attrs = Grid.Row(ScreenPlanes::kAttrs, row);
  ZeroCells(chars + 1, ScreenCols);
  ZeroCells(attrs + 1, ScreenCols);
  if (ColourMode()) {
    ZeroCells(Grid.Row(ScreenPlanes::kFore, row) + 1, ScreenCols);
    FillCells(Grid.Row(ScreenPlanes::kBack, row) + 1, ErasedCellBack(), ScreenCols);
  }
}

void Screen::ScrollIfPastBottom() {
  SetCursorRow(CursorRow() + 1);
  MoveToCell(CursorRow(), CursorCol());
  if (CursorRow() <= ScreenRows) return;
  if (NoScrollMode == 0) {
    const int16_t savedWidth = WindowWidth;
    WindowWidth = static_cast<int16_t>(Width() + 1);
    port.ScrollRect({0, 0, Width(), ScreenRows * CellHeight - CellBaselineAdjust}, 0, -CellHeight);
    ScrollUpIntoScrollback();
    WindowWidth = savedWidth;
    SetCursorRow(ScreenRows);
  } else {
    SetCursorRow(CursorRow() - 1);
  }
  MoveToCell(CursorRow(), CursorCol());
}

void Screen::CopyRowToScrollback(int row, int line) {
  if (ScrollBackCount != 960 || line < 1 || line >= ScrollBackPlanes::kLines) return;
  const int n = LimitScreenCols();
  CopyCells(ScrollBack.Line(ScrollBackPlanes::kChars, line) + 1, Grid.Row(ScreenPlanes::kChars, row) + 1, n);
  CopyCells(ScrollBack.Line(ScrollBackPlanes::kAttrs, line) + 1, Grid.Row(ScreenPlanes::kAttrs, row) + 1, n);
  if (ScrollBackColours()) {
    CopyCells(ScrollBack.Line(ScrollBackPlanes::kFore, line) + 1, Grid.Row(ScreenPlanes::kFore, row) + 1, n);
    CopyCells(ScrollBack.Line(ScrollBackPlanes::kBack, line) + 1, Grid.Row(ScreenPlanes::kBack, row) + 1, n);
  }
}

void Screen::ScrollUpIntoScrollback() {
  ScreenRows = ScreenRowsForHeight();
  LimitScreenCols();
  if (Opt.ScrollBackOn) {
    if (ScrollBackLinePos == ScreenRows) {
      // The store holds only the screen so far: mirror it.
      ScrollBackMirrorPending = 0;
      const int first = ScrollTop > 1 ? ScrollTop : 1;
      const int last = ScrollTop > 1 ? ScreenRowsForWindow() : ScreenRows;
      for (int r = first; r <= last; ++r) CopyRowToScrollback(r, r);
    }
    if (ScrollBackMirrorPending == 1 && ScrollBackLinePos != ScreenRows) {
      ScrollBackMirrorPending = 0;
      const int firstLine = ScrollBackLinePos - (ScreenRows - 1);
      for (int r = 1; r <= ScreenRows; ++r) CopyRowToScrollback(r, firstLine + r - 1);
    }
    ScreenRows = std::min<int16_t>(ScreenRows, kMaxScreenRows);
    if (ScrollBackLinePos >= ScrollBackCount - 2) {
      ScrollBack.DropOldest(ScreenRows);
      ScrollBackLinePos = static_cast<int16_t>(ScrollBackLinePos - ScreenRows);
    }
    CopyRowToScrollback(ScreenRows, ScrollBackLinePos);
    ++ScrollBackLinePos;
    ScrollBackViewLine = ScrollBackViewDrawnLine = ScrollBackLinePos;
    ScrollBarUpdateNeeded = 1;
  }
  ScreenRows = ScreenRowsForWindow();
  if (ScrollTop > 1) {
    // The region always reaches the last screen row for this shift.
    if (ScrollTop <= ScreenRows) Grid.RotateUp(ScrollTop, ScreenRows);
    SetCursorRow(ScrollBottom > 0 ? std::min(ScrollBottom, ScreenRows) : ScreenRows);
    MoveToCell(CursorRow(), CursorCol());
  } else {
    Grid.RotateUp(1, ScreenRows);
  }
  ClearRow(ScreenRows);
  if (PicturesShown) {
    port.EraseRect({0, 0, Width(), Height()});
    PicturesRedrawPending = 1;
  }
}

bool Screen::RegionRows(int& top, int& bottom) const {
  top = ScrollTop == 0 ? 1 : ScrollTop;
  bottom = ScrollBottom == 0 ? ScreenRows : ScrollBottom;
  // A region the host set beyond the screen is cut to it; an empty one does nothing.
  top = std::max(top, 1);
  bottom = std::min<int>(bottom, ScreenRows);
  return top <= bottom;
}

void Screen::ScrollRegionDown() {
  LimitScreenCols();
  int top, bottom;
  if (!RegionRows(top, bottom)) return;
  Grid.RotateDown(top, bottom);
  ClearRow(top);
}

void Screen::ScrollRegionUp() {
  LimitScreenCols();
  int top, bottom;
  if (!RegionRows(top, bottom)) return;
  Grid.RotateUp(top, bottom);
  ClearRow(bottom);
}

// In Wyse colour-attribute mode the attribute cells right of the line width
// belong to the screen position, not to the text, and stay where they are
// while rows move.
class Screen::RightAttributesKept {
 public:
  RightAttributesKept(Screen& s, int first, int last) : s_(s), first_(first), last_(last) {
    from_ = s.ColumnsSetting + 1;
    to_ = s.ScreenCols;
    if (!s.WyseColourAttributes || from_ > to_ || first > last) {
      active_ = false;
      return;
    }
    kept_.resize(static_cast<size_t>((last - first + 1) * (to_ - from_ + 1)));
    auto out = kept_.begin();
    for (int r = first; r <= last; ++r)
      for (int c = from_; c <= to_; ++c) *out++ = s.ScreenAttrs(r, c);
  }
  ~RightAttributesKept() {
    if (!active_) return;
    auto in = kept_.begin();
    for (int r = first_; r <= last_; ++r)
      for (int c = from_; c <= to_; ++c) s_.ScreenAttrs(r, c) = *in++;
  }

 private:
  Screen& s_;
  int first_, last_, from_ = 0, to_ = 0;
  bool active_ = true;
  std::vector<int16_t> kept_;
};

void Screen::DeleteLineAtCursor() {
  if (WyseColourAttributes == 1 && WriteProtectMode == 1) return;
  EraseCursorLine();
  const int16_t row = CursorRow();
  const int16_t savedWidth = WindowWidth;
  WindowWidth = static_cast<int16_t>(Width());
  port.ScrollRect({0, (CursorRow() - 1) * CellHeight, Width(), ScreenRows * CellHeight - CellBaselineAdjust}, 0,
                  -CellHeight);
  LimitScreenCols();
  ClampCursor();
  // A cursor below the screen has no rows to move, and the screen is left alone.
  if (CursorRow() <= ScreenRows) {
    {
      RightAttributesKept keep(*this, CursorRow(), ScreenRows);
      Grid.RotateUp(CursorRow(), ScreenRows);
    }
    if (WyseColourAttributes) {
      RepaintPending = 1;
      RepaintWithoutErase = 1;
    }
    WindowWidth = savedWidth;
    SetCursorRow(ScreenRows);
    SetCursorCol(1);
    MoveToCell(CursorRow(), 1);
    EraseCursorLine();
  }
  WindowWidth = savedWidth;
  MoveToCell(row, 1);
  SetCursorRow(row);
  SetCursorCol(1);
}

void Screen::InsertLineAtCursor() {
  if (WyseColourAttributes == 1 && WriteProtectMode == 1) return;
  const int16_t savedWidth = WindowWidth;
  WindowWidth = static_cast<int16_t>(Width());
  port.ScrollRect({0, (CursorRow() - 1) * CellHeight, Width(), ScreenRows * CellHeight - CellBaselineAdjust}, 0,
                  CellHeight);
  LimitScreenCols();
  ClampCursor();
  if (CursorRow() <= ScreenRows) {
    RightAttributesKept keep(*this, CursorRow(), ScreenRows);
    Grid.RotateDown(CursorRow(), ScreenRows);
  }
  if (WyseColourAttributes) {
    const int lastCol = ColumnsLimit();
    for (int r = std::min<int>(ScreenRows, kMaxCursorRow); r > CursorRow() && r >= 1; --r)
      for (int c = 1; c <= lastCol; ++c) HiddenAttrMark(r, c) = HiddenAttrMark(r - 1, c);
  }
  ClearRow(CursorRow());
  if (WyseColourAttributes) {
    const int lastCol = ColumnsLimit();
    for (int c = 1; c <= lastCol; ++c) {
      ScreenAttrs(CursorRow(), c) = CurrentAttributeCode;
      ClearHiddenMark(CursorRow(), c);
    }
    RepaintPending = 1;
    RepaintWithoutErase = 1;
  }
  WindowWidth = savedWidth;
}

void Screen::DrawPendingRun() {
  if (PendingRun.empty()) return;
  port.DrawText(reinterpret_cast<const uint8_t*>(PendingRun.data()), static_cast<int>(PendingRun.size()));
  PendingRun.clear();
}

void Screen::ShiftLineLeftAtCursor() {
  ClampCursor();
  const int last = ColumnsLimit();
  int16_t* chars = Grid.Row(ScreenPlanes::kChars, CursorRow());
  int16_t* attrs = Grid.Row(ScreenPlanes::kAttrs, CursorRow());
  if (DisplayOn) DrawPendingRun();
  // Each cell takes its right neighbour; the last cell of the line is blank.
  for (int c = CursorCol(); c == CursorCol() || c <= last; ++c) {
    const bool fromLine = c + 1 <= last;
    chars[c] = fromLine ? chars[c + 1] : 0;
    attrs[c] = fromLine ? attrs[c + 1] : 0;
  }
  port.Flush();
  RedrawCounter = 1;
}

void Screen::ShiftLineRightAtCursor() {
  ClampCursor();
  const int last = ColumnsLimit();
  int16_t* chars = Grid.Row(ScreenPlanes::kChars, CursorRow());
  int16_t* attrs = Grid.Row(ScreenPlanes::kAttrs, CursorRow());
  if (DisplayOn) DrawPendingRun();
  const int16_t penCol = PenColumn();
  // Cell c + 1 takes cell c; the cell at the margin moves just past it.
  const int from = CursorCol();
  const size_t moved = static_cast<size_t>(std::max<int>(last, from) - from + 1) * sizeof(int16_t);
  std::memmove(chars + from + 1, chars + from, moved);
  std::memmove(attrs + from + 1, attrs + from, moved);
  MoveToCell(CursorRow(), penCol);
  SetCursorCol(static_cast<int16_t>(std::clamp<int>(penCol - 1, 1, kMaxCursorCol)));
  port.Flush();
  RedrawCounter = 1;
}

}  // namespace korvane
