// The area below the screen rows: the status lines.

#include "screen/Screen.h"

namespace korvane {

void Screen::PaintTextAreaBackgroundB() {
  ScreenRows = ScreenRowsForWindow();
  StatusLineText.clear();
  PendingLineText.clear();
  LinesTransmittedShown = 0;
  DrawingBusy = 1;
  const int16_t savedRow = PenRow(), savedCol = PenColumn();

  MoveToCell(ScreenRows + 1, 1);
  SetCursorRow(static_cast<int16_t>(ScreenRows + 1));
  SetCursorCol(1);
  EraseAcrossProtected = 1;
  EraseToEndOfLineWithFlags();
  EraseAcrossProtected = 0;

  SetBackIndex(Opt.ExtendedAnsiMode == 0 ? Opt.BackgroundColour : CurrentBackColour);
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
  for (int row : {ScreenRows + 1, ScreenRows + 5})
    for (int c = 1; c <= last; ++c) {
      ScreenChars(row, c) = 0;
      ScreenAttrs(row, c) = WyseColourAttributes ? CurrentAttributeCode : 0;
    }
}

}  // namespace korvane
