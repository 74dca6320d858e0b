// The area below the screen rows: the status lines.
//
// The status area lies below the rows that fit the window, never below a
// scroll region's bottom: the rows under a region are the host's own and
// keep their text.

#include "screen/Screen.h"

namespace korvane {

void Screen::PaintTextAreaBackgroundB() {
  ScreenRows = ScreenRowsForWindow();
  StatusLineText.clear();
  PendingLineText.clear();
  LinesTransmittedShown = 0;
  DrawingBusy = 1;
  const int16_t savedRow = PenRow(), savedCol = PenColumn();
  const int16_t statusRow = static_cast<int16_t>(WindowRows + 1);

  MoveToCell(statusRow, 1);
  SetCursorRow(statusRow);
  SetCursorCol(1);
  EraseAcrossProtected = 1;
  EraseToEndOfLineWithFlags();
  EraseAcrossProtected = 0;

  SetBackIndex(Opt.ExtendedAnsiMode == 0 ? BackgroundColour : CurrentBackColour);
  port.SetPenMode(platform::PenMode::Copy);
  const auto pen = port.Pen();
  port.EraseRect({0, pen.v - CellAscent, Width(), Height() + 1});
  SetFrameFlags();

  SetCursorRow(savedRow);
  SetCursorCol(savedCol);
  ClampCursor();
  if (ScreenRows + 1 <= 0) ScreenRows = 24;
  ClearStatusRows();
  MoveToCell(CursorRow(), CursorCol());
  SetDrawColoursForAttribute();
}

void Screen::ClearStatusRows() {
  const int last = ColumnsLimit();
  const int rows = WindowRows;
  for (int row : {rows + 1, rows + 5})
    for (int c = 1; c <= last; ++c) {
      ScreenChars(row, c) = 0;
      ScreenAttrs(row, c) = WyseColourAttributes ? CurrentAttributeCode : 0;
    }
}

}  // namespace korvane
