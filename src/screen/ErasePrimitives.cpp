// Erase primitives: clearing cells, rows and parts of the screen, keeping the
// write-protect plane, and erasing the matching pixels of the window.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "screen/Screen.h"

namespace korvane {

Screen::Screen(SessionOptions& options, Port& p, ScreenHost& h, platform::Controls* c)
    : ownControls_(MakeOwnControls(c)), Opt(options), port(p), host(h), controls(c ? *c : *ownControls_) {
  ApplyCellMetricsToPort();
}

std::unique_ptr<platform::Controls> Screen::MakeOwnControls(platform::Controls* given) {
  if (given) return nullptr;
  // Without a window the scroll bar still keeps the view's line.
  auto own = std::make_unique<platform::HeadlessControls>();
  own->MakeScrollBar(kScrollBarControl, {});
  return own;
}

void Screen::ClampCursor() {
  // Rows below the screen (the status lines) are reachable for the erase
  // primitives that the status area uses; everything else stays on the screen.
  const int rowLimit = std::min<int>(ScreenPlanes::kRows - 1, std::max<int>(kMaxCursorRow, ScreenRows + 5));
  SetCursorRow(static_cast<int16_t>(std::clamp<int>(CursorRow(), 1, rowLimit)));
  SetCursorCol(static_cast<int16_t>(std::clamp<int>(CursorCol(), 1, kMaxCursorCol)));
}

void Screen::CheckBounds(const char* after) const {
  auto fail = [&](const char* what, int value) {
    std::fprintf(stderr, "korvane: after %s the %s is out of bounds (%d)\n", after, what, value);
    std::abort();
  };
  if (cursorRow_ < 0 || cursorRow_ > kMaxStatusRow) fail("cursor row", cursorRow_);
  if (cursorCol_ < 0 || cursorCol_ > kMaxScreenCols) fail("cursor column", cursorCol_);
  if (ScreenRows < 1 || ScreenRows > kMaxScreenRows) fail("screen's row count", ScreenRows);
  if (ScreenCols < 1 || ScreenCols > kMaxScreenCols) fail("screen's column count", ScreenCols);
  if (ScrollTop < 0 || ScrollTop > kMaxScreenRows) fail("scroll region's top", ScrollTop);
  if (ScrollBottom < 0 || ScrollBottom > kMaxScreenRows) fail("scroll region's bottom", ScrollBottom);
}

void Screen::EraseCell(int row, int col) {
  ScreenAttrs(row, col) = 0;
  if (ColourMode()) {
    ScreenForeColours(row, col) = 0;
    ScreenBackColours(row, col) = ErasedCellBack();
  }
  ScreenChars(row, col) = 0;
}

void Screen::ClearHiddenMark(int row, int col) {
  if (row <= kMaxCursorRow) HiddenAttrMark(row, col) = 0;
}

void Screen::SetBackIndex(int i) {
  if (i > kPaletteSize) i = 18;
  if (i <= 0) return;
  port.BackColour(kScreenPalette[i]);
}

int16_t Screen::EraseBackColour() const {
  // The host's current background fills what it erases, as on a console
  // with colours; the window's own background is never changed by it.
  const bool hostColours = Opt.ExtendedAnsiMode != 0 || Opt.ColourModeA == 1;
  return hostColours && CurrentBackColour > 0 ? CurrentBackColour : BackgroundColour;
}

void Screen::SelectEraseColour(int option141Trigger) {
  SetBackIndex(EraseBackColour());
  if (option141Trigger >= 0) port.SetPenMode(platform::PenMode::Copy);
}

int Screen::BandTop(int v) const { return LargeType() ? v - (CellAscent + 6) : v - CellAscent; }

void Screen::EraseCharAtCursor() {
  SelectEraseColour(kEraseColourOnly);
  ClampCursor();
  EraseCell(CursorRow(), CursorCol());
  const auto pen = port.Pen();
  port.EraseRect({0, BandTop(pen.v), pen.h - 1, BandBottom(pen.v)});
  ShiftLineLeftAtCursor();
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::EraseLineStartToCursor() {
  SelectEraseColour(kEraseColourOnly);
  ClampCursor();
  for (int c = 1; c <= CursorCol(); ++c) EraseCell(CursorRow(), c);
  // The cursor cell is erased in the planes, so its pixels go too.
  const auto pen = port.Pen();
  port.EraseRect({0, BandTop(pen.v), pen.h + CellWidth - 1, BandBottom(pen.v)});
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::EraseScreenStartToCursor() {
  SelectEraseColour(kEraseColourOnly);
  ClampCursor();
  LimitScreenCols();
  // Only the rows above the cursor go whole; the cursor row is erased up to
  // the cursor below, so text to its right survives even on row 1.
  for (int r = 1; r < CursorRow(); ++r)
    for (int c = 1; c <= ScreenCols; ++c) EraseCell(r, c);
  for (int c = 1; c <= CursorCol(); ++c) EraseCell(CursorRow(), c);
  const auto pen = port.Pen();
  port.EraseRect({0, 0, Width(), BandTop(pen.v)});
  SetFrameFlags();
  EraseLineStartToCursor();
  SetDrawColoursForAttribute();
}

void Screen::ProtectColumnRange() {
  ProtectEndColumn = std::min<int16_t>(ProtectEndColumn, kMaxCursorCol);
  SetCursorRow(PenRow());
  ClampCursor();
  ProtectFieldStart = std::max<int16_t>(ProtectFieldStart, 1);
  ProtectEndColumn = std::max<int16_t>(ProtectEndColumn, 1);
  if (ProtectEndColumn < ProtectFieldStart) return;
  // The writers clear a flag under each character they write only once some
  // flag has been set.
  ProtectFieldsSeen = 1;
  for (int c = ProtectFieldStart; c <= ProtectEndColumn; ++c) {
    ScreenProtect(CursorRow(), c) = 1;
    // Runs of two or more spaces inside a field stay writable.
    if (ScreenChars(CursorRow(), c) == 0x20 && ScreenChars(CursorRow(), c - 1) == 0x20) {
      ScreenProtect(CursorRow(), c) = 0;
      ScreenProtect(CursorRow(), c - 1) = 0;
    }
  }
}

void Screen::EraseCursorLine() {
  SelectEraseColour(0);
  ClampCursor();
  LimitScreenCols();
  for (int c = 1; c <= ScreenCols; ++c) EraseCell(CursorRow(), c);
  const auto pen = port.Pen();
  if (CursorRow() == ScreenRows + 5) {
    const int v = Opt.FontSizeMode == 0 ? Height() : Height() - 4;
    port.EraseRect({0, v - CellAscent - 1, Width(), v + CellDescent + 1});
  } else {
    port.EraseRect({0, BandTop(pen.v), Width(), BandBottom(pen.v)});
  }
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::EraseCharsFromCursor() {
  ClampCursor();
  EraseEndColumn = std::clamp<int16_t>(EraseEndColumn, 0, kMaxScreenCols);
  // A count that ends before the cursor still erases the cursor cell.
  const int last = std::max(EraseEndColumn, CursorCol());
  for (int c = CursorCol(); c <= last; ++c) EraseCell(CursorRow(), c);
  SelectEraseColour(1);
  const auto pen = port.Pen();
  if (LargeType())
    port.EraseRect({pen.h, BandTop(pen.v), last * CellWidth + 2, BandBottom(pen.v)});
  else
    port.EraseRect({pen.h, BandTop(pen.v), last * CellWidth + 3, BandBottom(pen.v)});
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::EraseToEndOfLineWithFlags() {
  ClampCursor();
  if (WriteProtectMode == 1) {
    EraseRow = CursorRow();
    EraseFromColumn = CursorCol();
    const int row = CursorRow(), col = CursorCol();
    EraseUnprotectedInRow();
    MoveToCell(row, col);
    return;
  }
  if (ProtectFieldsSeen) {
    const int last = ColumnsLimit();
    for (int c = CursorCol(); c == CursorCol() || c <= last; ++c) ScreenProtect(CursorRow(), c) = 0;
  }
  LimitScreenCols();
  for (int c = CursorCol(); c == CursorCol() || c <= ScreenCols; ++c) {
    ScreenAttrs(CursorRow(), c) = 0;
    if (WyseColourAttributes) {
      RepaintPending = 1;
      RepaintWithoutErase = 1;
      ScreenAttrs(CursorRow(), c) = CurrentAttributeCode;
      if (c != CursorCol()) ClearHiddenMark(CursorRow(), c);
    }
    ScreenChars(CursorRow(), c) = 0;
    if (ColourMode()) {
      ScreenForeColours(CursorRow(), c) = 0;
      ScreenBackColours(CursorRow(), c) = ErasedCellBack();
    }
  }
  SelectEraseColour(1);
  const auto pen = port.Pen();
  port.EraseRect({pen.h, BandTop(pen.v), Width(), BandBottom(pen.v)});
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::EraseUnprotectedInRow() {
  SelectEraseColour(1);
  ColumnsSetting = ColumnsLimit();
  EraseRow = static_cast<int16_t>(std::clamp<int>(EraseRow, 1, ScreenPlanes::kRows - 1));
  EraseFromColumn = std::clamp<int16_t>(EraseFromColumn, 1, kMaxCursorCol);
  int runStart = 0;
  bool stopped = false;
  const int last = ColumnsSetting;
  for (int c = EraseFromColumn; c == EraseFromColumn || c <= last; ++c) {
    const bool writable = ScreenProtect(EraseRow, c) == 0;
    if (writable && !stopped && runStart == 0) runStart = c;
    const bool closing = !writable || c == last || stopped;
    if (!closing) continue;
    if (EraseAcrossProtected == 0) stopped = true;
    if (runStart == 0) continue;
    const bool reachesEnd = c == last && writable;
    const int runEnd = reachesEnd ? c : c - 1;
    MoveToCell(CursorRow(), runStart);
    for (int k = runStart; k <= runEnd; ++k) {
      if (WyseColourAttributes == 0) {
        ScreenChars(EraseRow, k) = 0;
        ScreenAttrs(EraseRow, k) = 0;
      } else {
        RepaintPending = 1;
        RepaintWithoutErase = 1;
        if (ScreenChars(EraseRow, k) < 0x80 || Opt.NationalCharsOff == 1) ScreenChars(EraseRow, k) = 0;
      }
      if (ColourMode()) {
        ScreenForeColours(EraseRow, k) = 0;
        ScreenBackColours(EraseRow, k) = ErasedCellBack();
      }
    }
    const auto pen = port.Pen();
    const int right = std::min(reachesEnd ? Width() : (c - 1) * CellWidth + 3, Width());
    port.EraseRect({pen.h, BandTop(pen.v), right, BandBottom(pen.v)});
    runStart = 0;
    SetFrameFlags();
  }
  SetDrawColoursForAttribute();
}

void Screen::ResetAttributesAndClearScreen() {
  ReverseOn = DimOn = BoldOn = UnderlineOn = 0;
  ClearScreenBuffers();
  if (!WriteProtectMode) Protect.Fill(0);
}

void Screen::ClearScreenBuffers() {
  Grid.Fill(ScreenPlanes::kChars, 0);
  Grid.Fill(ScreenPlanes::kAttrs, 0);
  HiddenMarks.Fill(0);
  if (ColourMode()) {
    Grid.Fill(ScreenPlanes::kBack, ErasedCellBack());
    Grid.Fill(ScreenPlanes::kFore, 0);
  }
}

void Screen::ClearScreenArrays() {
  Grid.Fill(ScreenPlanes::kFore, 0);
  Grid.Fill(ScreenPlanes::kBack, 0);
}

void Screen::SkipProtectedCells() {
  if (WyseColourAttributes) return;
  ClampCursor();
  ColumnsSetting = ColumnsLimit();
  const int start = std::clamp<int>(PenColumn(), 1, kMaxCursorCol);
  for (int c = start; c == start || c <= ColumnsSetting; ++c) {
    if (ScreenProtect(CursorRow(), c) == 0) break;
    MoveToCell(CursorRow(), c + 1);
    SetCursorCol(static_cast<int16_t>(c + 1));
  }
}

void Screen::EraseCursorToEndOfScreen() {
  if (Opt.Option107) SaveScreenToScrollback();
  LimitScreenCols();
  if (Opt.EmuVt100) LineGraphicsOn = 0;
  PendingLineText.clear();
  const int16_t savedRow = PenRow(), savedCol = PenColumn();
  EraseAcrossProtected = 1;
  EraseToEndOfLineWithFlags();
  EraseAcrossProtected = 0;

  if (WriteProtectMode) {
    // The protected page is 24 rows; rows below it are left alone, and so
    // is anything below the screen.
    const int last = std::min<int>(24, ScreenRows);
    for (int r = CursorRow() + 1; r <= last; ++r) {
      MoveToCell(r, 1);
      SetCursorRow(static_cast<int16_t>(r));
      EraseRow = static_cast<int16_t>(r);
      EraseFromColumn = 1;
      EraseAcrossProtected = 1;
      EraseUnprotectedInRow();
      EraseAcrossProtected = 0;
    }
  } else {
    if (ProtectFieldsSeen) {
      const int lastCol = ColumnsLimit();
      for (int r = CursorRow(); r == CursorRow() || r <= 24; ++r)
        for (int c = 1; c <= lastCol; ++c) ScreenProtect(r, c) = 0;
    }
    ClampCursor();
    for (int r = CursorRow() + 1; r <= ScreenRows; ++r)
      for (int c = 1; c <= ScreenCols; ++c) {
        if (WyseColourAttributes) {
          ScreenChars(r, c) = 0;
          ScreenAttrs(r, c) = CurrentAttributeCode;
          if (ColourMode()) ScreenForeColours(r, c) = ScreenBackColours(r, c) = 0;
          ClearHiddenMark(r, c);
        } else {
          EraseCell(r, c);
        }
      }
    SelectEraseColour(1);
    MoveToCell(CursorRow(), CursorCol());
    const auto pen = port.Pen();
    port.EraseRect({0, pen.v + 1 + CellDescent, Width(), CellHeight * ScreenRows - CellBaselineAdjust});
    SetFrameFlags();
  }
  SetCursorRow(savedRow);
  SetCursorCol(savedCol);
  ClampCursor();
  MoveToCell(CursorRow(), CursorCol());
  SetDrawColoursForAttribute();
}

void Screen::ClearScreenAndHome() {
  SaveScreenToScrollback();
  if (Opt.EmuVt100) LineGraphicsOn = 0;
  if (Opt.ColourModeB && CurrentBackColour > 0 && CurrentBackColour != BackgroundColour) {
    BackgroundColour = CurrentBackColour;
    PaintTextAreaBackgroundB();
  }
  DrawingBusy = 1;
  if (WyseColourAttributes) {
    CurrentForeColour = NormalForeColour;
    BackgroundColour = NormalBackColour;
    CurrentBackColour = NormalBackColour;
    StoredAttribute = 0;
    StoredForeColour = CurrentForeColour;
    StoredBackColour = BackgroundColour;
    SetBackIndex(CurrentBackColour);
    SetPrintForeColor(CurrentForeColour);
  }
  CursorDrawnRow = CursorDrawnCol = 1;
  ScreenRows = ScreenRowsForWindow();

  if (WriteProtectMode) {
    SetCursor(1, 1);
    MoveToCell(1, 1);
    EraseCursorToEndOfScreen();
    SetCursor(1, 1);
    MoveToCell(1, 1);
    return;
  }
  ResetAttributesAndClearScreen();
  // The normal style may take the host's background back; the screen is
  // still cleared to the background the host had set.
  const int16_t hostBack = CurrentBackColour;
  SetNormalTextStyle();
  const int16_t normalBack = CurrentBackColour;
  CurrentBackColour = hostBack;
  SetCursor(1, 1);
  MoveToCell(1, 1);
  EraseCursorLine();

  SelectEraseColour(1);
  const auto pen = port.Pen();
  if (Opt.ColourModeA)
    port.EraseRect({0, BandTop(pen.v), Width(), Height() - 44});
  else
    port.EraseRect({0, LargeType() ? 0 : BandTop(pen.v), Width(), CellHeight * ScreenRows - CellBaselineAdjust});
  SetFrameFlags();
  CursorDrawn = 0;
  CursorEraseInverse = 1;
  CurrentBackColour = normalBack;
  SetCursor(1, 1);
  MoveToCell(1, 1);
  SetDrawColoursForAttribute();
}

}  // namespace korvane
