// The character writer and the common end of every byte: printable
// characters go into the planes and the pending run, which is drawn in one
// text call and echoed in one piece at a wrap, at 254 bytes, at a control or
// at the end of the chunk.

#include <algorithm>

#include "emulation/HostInput.h"

namespace korvane {

namespace {

// The screen's line feed of a wrap: past the bottom row the screen scrolls;
// the bottom row of a write-protected screen does not.
void ScreenWrapLineFeed(Screen& s) {
  if (!(s.WriteProtectMode && s.CursorRow() == s.ScreenRows)) s.ScrollIfPastBottom();
}
}  // namespace

void HostInput::DrawRun() {
  const std::string& run = screen.PendingRun;
  if (!run.empty()) screen.port.DrawText(reinterpret_cast<const uint8_t*>(run.data()), static_cast<int>(run.size()));
}

void HostInput::CaptureCharacter() { echo.Text(screen.PendingRun); }

void HostInput::CaptureLineEnd() { echo.LineEnd(screen.PendingRun); }

void HostInput::FlushRun(Echo how) {
  if (screen.DisplayOn) DrawRun();
  if (how == Echo::Character) CaptureCharacter();
  if (how == Echo::LineEnd) CaptureLineEnd();
  screen.PendingRun.clear();
}

void HostInput::WaitWhileOutputHeld() {
  while (OutputHeld) {
    if (!services_.keyboard.OutputStillHeld()) {
      OutputHeld = 0;
      break;
    }
    clock_.Delay(10);
  }
  if (Opt.XonXoffOn) conn.SendXoffXon();
}

void HostInput::ComputeAttributeCode() {
  Screen& s = screen;
  if (s.WyseColourAttributes == 0) {
    int16_t code = kAttrNormal;
    if (s.DimOn) code = kAttrDim;
    if (s.UnderlineOn) code = kAttrUnderline;
    if (s.BoldOn) code = kAttrBold;
    if (s.ReverseOn) code = kAttrReverse;
    if (s.ReverseOn && s.UnderlineOn) code = kAttrReverseUnderline;
    if (s.BoldOn && s.UnderlineOn) code = kAttrBoldUnderline;
    if (s.BoldOn && s.ReverseOn && !(active_ && active_->ReverseBoldShownAsReverse())) code = kAttrReverseBold;
    s.CurrentAttributeCode = code;
  }
  if (s.ColourMode()) {
    if (s.CurrentForeColour != 0) CellForeColour = s.CurrentForeColour;
    if (s.CurrentBackColour != 0) CellBackColour = s.CurrentBackColour;
  }
}

void HostInput::WriteCharacter() {
  Screen& s = screen;
  if (OutputHeld) WaitWhileOutputHeld();
  ComputeAttributeCode();
  const int ch = CurrentHostChar;
  if (ch <= 31) return;

  screen.LimitCursorToPlanes();
  SettleWaitingWrap();
  const int row = s.CursorRow(), col = s.CursorCol();
  const bool display = s.DisplayOn == 1;

  if (Opt.SkipReverseBlankOption == 0) WrapAfterLineFeed = 0;
  if (WrapAfterLineFeed == 1 && s.CurrentAttributeCode == kAttrReverse && ch == ' ') {
    // A reverse blank right after a line feed is skipped, not stored.
    if (s.DisplayOn) DrawRun();
    CaptureCharacter();
    s.PendingRun.clear();
    s.MoveToCell(row, col + 1);
  } else {
    if (col <= s.WindowColumns) s.PendingRun += static_cast<char>(ch);
    if (StatusLinePenActive && s.PendingLineText.size() < kLineTextMax) s.PendingLineText += static_cast<char>(ch);
    if (InsertMode && display) {
      // The shift draws the run; it is echoed first so that nothing of it is
      // lost to the capture.
      DrawRun();
      CaptureCharacter();
      s.PendingRun.clear();
      s.ShiftLineRightAtCursor();
      s.SetCursorRow(static_cast<int16_t>(row));
      s.SetCursorCol(static_cast<int16_t>(col));
    }
    if (display) {
      s.ScreenChars(row, col) = static_cast<int16_t>(ch);
      s.ScreenAttrs(row, col) = s.CurrentAttributeCode;
      // A screen with new text on it is saved again by the next clear.
      s.ScreenSavedToScrollBack = 0;
      if (s.WyseColourAttributes && s.HiddenAttrMark(row, col) == 1) {
        // The embedded attribute this character replaces no longer colours
        // the cells after it: the attribute in effect to its left does.
        s.HiddenAttrMark(row, col) = 0;
        const int16_t code = s.CurrentAttributeCode;
        s.ReplacedAttributeCode = code;
        s.ColourAttributeInput = col > 1 ? s.ScreenAttrs(row, col - 1) : int16_t{0};
        s.SetColoursForAttribute();
        s.SpreadAttributeForward();
        s.CurrentAttributeCode = code;
      }
      if (s.ColourMode()) {
        s.ScreenBackColours(row, col) = CellBackColour;
        s.ScreenForeColours(row, col) = CellForeColour;
      }
    }
  }
  WrapAfterLineFeed = 0;
  if (s.WriteProtectMode) {
    if (ch == ' ') s.ScreenProtect(row, col) = 0;
  } else if (s.ScreenProtect(row, col)) {
    s.ScreenProtect(row, col) = 0;
  }
  if (display) s.SetCursorCol(static_cast<int16_t>(col + 1));
}

void HostInput::CloseProtectedFieldAtPen() {
  screen.ProtectEndColumn = static_cast<int16_t>(screen.PenColumn() - 1);
  screen.ProtectColumnRange();
}

// Inlined into both callers: the wrap is on the path of every full line.
[[gnu::always_inline]] inline void HostInput::WrapToNextLine() {
  Screen& s = screen;
  DrawRun();
  if (s.ProtectFieldMode) CloseProtectedFieldAtPen();
  s.MoveToCell(s.CursorRow(), 1);
  s.SetCursorCol(1);
  if (wrapWaits_)
    active_->WrapLineFeed(*this);
  else
    ScreenWrapLineFeed(s);
  if (s.WriteProtectMode) s.SkipProtectedCells();
  if (s.ProtectFieldMode) s.ProtectFieldStart = s.PenColumn();
  s.LastMoveCol = 1;
  s.LastMoveRow = s.PenRow();
  CaptureCharacter();
  s.PendingRun.clear();
}

void HostInput::CharDone() {
  Screen& s = screen;
  const bool display = s.DisplayOn == 1;
  if (s.WriteProtectMode && display) {
    // In protect mode every character is drawn where it lands, so that a run
    // never paints over a protected cell; then the cursor skips protected cells.
    if (!s.PendingRun.empty()) FlushRun(Echo::Character);
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    s.SkipProtectedCells();
  }

  if (Opt.AutoWrapOn && display && (s.CursorCol() > s.ColumnsSetting || s.CursorCol() > s.WindowColumns) &&
      !wrapWaits_) {
    WrapToNextLine();
    CurrentHostChar = 0;
  }

  if (OneShotGraphics) {
    GraphicsModeOn = 0;
    OneShotGraphics = 0;
  }
  ++HostChunkPos;
  if (s.PendingRun.size() >= kRunFlushLength) FlushRun(Echo::Character);
}

void HostInput::SettleWaitingWrapSteps() {
  Screen& s = screen;
  if (Opt.AutoWrapOn) {
    WrapToNextLine();
    return;
  }
  // The run so far is drawn where it stands; the character goes over the
  // last column's.
  DrawRun();
  CaptureCharacter();
  s.PendingRun.clear();
  s.SetCursorCol(WrapColumn());
  s.MoveToCell(s.CursorRow(), s.CursorCol());
}

void HostInterpreter::WrapLineFeed(HostInput& in) { ScreenWrapLineFeed(in.screen); }

void HostInput::FinishChunkRun() {
  Screen& s = screen;
  if (s.WriteProtectMode) {
    DrawRun();
    CaptureCharacter();
    s.PendingRun.clear();
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    s.SkipProtectedCells();
  }
  if (s.DisplayOn) {
    DrawRun();
    s.SetCursorCol(s.PenColumn());
    s.LastMoveCol = s.CursorCol();
  }
  if (!(Opt.PclPassThrough && PrinterOn)) CaptureCharacter();
  CurrentHostChar = 0;
  s.PendingRun.clear();
}

}  // namespace korvane
