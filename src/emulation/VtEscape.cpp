// The VT interpreter's escape sequences other than control sequences: index
// and reverse index, cursor save and restore, character sets, keypad modes,
// printer controller, device-control strings and the host commands.

#include <algorithm>
#include <string>

#include "emulation/VtState.h"
#include "emulation/HostInput.h"
#include "emulation/HostSequences.h"
#include "emulation/StxCommands.h"
#include "emulation/VtInterpreter.h"

namespace korvane {

namespace {
constexpr int kEsc = 27;
constexpr int kCr = 13;
// ESC SOH skips to the next CR; a host that sends no CR gets its output
// interpreted again after this many bytes.
constexpr size_t kSkipLineMax = 1024;
// ESC z drops at most this many of the bytes that follow it.
constexpr int kEscZDropMax = 20;
}  // namespace

int VtInterpreter::Escape(HostInput& in, int first) {
  int b = first;
  while (true) {
    if (s.DisplayOn) {
      in.DrawRun();
      // Where the text stopped is where the cursor is. (When the pen stands
      // on the cursor's cell, the two agree without a division.)
      const platform::Point pen = s.port.Pen();
      if (pen.h != s.CellWidth * (s.CursorCol() - 1) + 4 || pen.v != s.CursorRow() * s.CellHeight - 3) {
        s.SetCursorRow(s.PenRow());
        s.SetCursorCol(s.PenColumn());
      }
      in.screen.LimitCursorToPlanes();
    }
    in.CaptureCharacter();
    s.PendingRun.clear();
    if (b < 0) {
      in.NextHostByteFast();
      if (in.HostReadTimedOut) return kDone;
      b = in.NextHostByte;
    }
    const int next = EscapeByte(in, b);
    if (next != kRestart) {
      in.CurrentHostChar = 0;
      return next;
    }
    b = -1;
  }
}

int VtInterpreter::EscapeByte(HostInput& in, int b) {
  switch (b) {
    case kEsc: return kRestart;
    case 1: {
      std::string skipped;
      in.CollectHostString(skipped, kSkipLineMax, kCr);
      return kDone;
    }
    case 2:
      if (stx_) {
        stx_->StxCommand(in);
      } else {
        in.GetNextHostByte();
        if (!in.HostReadTimedOut && in.NextHostByte == 'j') s.PageCommand();
      }
      return kDone;
    case 'c':
      // A reset: both character sets back to text, G0 shown.
      vt.G0IsGraphics = vt.G1IsGraphics = 0;
      vt.G0IsText = vt.G1IsText = 1;
      vt.ShiftOut = 0;
      ShowInvokedSet();
      s.ScrollTop = s.ScrollBottom = 0;
      s.TakeSessionColours();
      s.ClearScreenAndHome();
      return kDone;
    case 'z':
      for (int i = 0; i < kEscZDropMax; ++i) {
        if (in.HostChunkPos >= in.HostChunkLast && !in.conn.HostDataWaiting()) break;
        in.GetNextHostByte();
        if (in.HostReadTimedOut || in.NextHostByte == 127) break;
      }
      return kDone;
    case '_':
      if (!Opt.ExtendedAnsiMode) PrinterControllerOff(in);
      return kDone;
    case '*': {
      if (!Opt.ExtendedAnsiMode) return kDone;
      in.GetNextHostByte();
      if (in.HostReadTimedOut) return kDone;
      if (in.NextHostByte == kEsc) return kRestart;
      shared_.ExtendedAnsiColour(in.NextHostByte);
      return kDone;
    }
    // The sequences that move the cursor or erase from it find it in the
    // last column while a wrap waits, and the wait ends; a tab stop set (or
    // the cursor saved) there leaves it waiting.
    case 'I':
    case 'M':
      ToLastColumn(in);
      ReverseIndex(in);
      return kDone;
    case 'D':
      ToLastColumn(in);
      Index(in);
      return kDone;
    case 'E':
      if (s.DisplayOn) MoveCursor(s.CursorRow(), 1);
      LineFeed(in);
      return kDone;
    case '~': HostCommand(in); return kDone;
    case '\\': vt.DcsSkipping = 0; return kDone;
    case 'P': vt.DcsSkipping = 1; return kDone;
    case '#':
      in.GetNextHostByte();
      if (in.HostReadTimedOut) return kDone;
      if (in.NextHostByte == '6') vt.DoubleWidthLine = 1;
      if (in.NextHostByte == '5') vt.DoubleWidthLine = 0;
      if (in.NextHostByte == kEsc) return kRestart;
      return kDone;
    case '^':
    case 'W': PrinterControllerOn(in); return kDone;
    case 'X': PrinterControllerOff(in); return kDone;
    case 'i':
    case ']': shared_.Services().capture.PrintScreen(); return kDone;
    case 'H': SetTabStop(in); return kDone;
    case 'J':
      ToLastColumn(in);
      s.EraseCursorToEndOfScreen();
      return kDone;
    case 'K':
      ToLastColumn(in);
      s.EraseToEndOfLineWithFlags();
      return kDone;
    case '5':
    case '0':
      in.GetNextHostByte();
      if (!in.HostReadTimedOut && in.NextHostByte == kEsc) return kRestart;
      return kDone;
    case '7':
      vt.SavedCursorRow = s.CursorRow();
      vt.SavedCursorCol = s.CursorCol();
      return kDone;
    case '8': MoveCursor(std::max<int>(vt.SavedCursorRow, 1), std::max<int>(vt.SavedCursorCol, 1)); return kDone;
    case '=':
      in.KeypadApplicationMode = 1;
      in.KeypadNumericMode = 0;
      return kDone;
    case '>':
      in.KeypadNumericMode = 1;
      in.KeypadApplicationMode = 0;
      return kDone;
    case '<': ClearScreenForHost(in); return kDone;
    case '(':
    case ')': {
      in.GetNextHostByte();
      if (in.HostReadTimedOut) return kDone;
      if (in.NextHostByte == kEsc) return kRestart;
      const int16_t graphics = in.NextHostByte == '0' ? 1 : 0;
      if (b == '(') {
        vt.G0IsGraphics = graphics;
        vt.G0IsText = static_cast<int16_t>(1 - graphics);
      } else {
        vt.G1IsGraphics = graphics;
        vt.G1IsText = static_cast<int16_t>(1 - graphics);
      }
      // Only the set SO or SI invoked shows: G1 made graphics while G0 is in
      // use changes nothing on the screen until SO.
      ShowInvokedSet();
      return kDone;
    }
    case ' ':
      // A three-byte sequence on both terminals; only the VT220 acts on it.
      in.GetNextHostByte();
      if (in.HostReadTimedOut) return kDone;
      if (in.NextHostByte == kEsc) return kRestart;
      if (!Opt.EmuVt220) return kDone;
      if (in.NextHostByte == 'F') in.C1ControlsOn = 1;
      if (in.NextHostByte == 'G') in.C1ControlsOn = 0;
      return kDone;
    case '[': return ControlSequenceIntroduced(in);
    default:
      // A control character after ESC acts as itself; other sequences are
      // not known and dropped.
      if (b < 32) return b;
      return kDone;
  }
}

void VtInterpreter::Index(HostInput& in) {
  if (s.ScrollBottom == 0 && s.CursorRow() > s.ScreenRows) s.SetCursorRow(s.ScreenRows);
  CursorDownScrolling(in);
}

void VtInterpreter::ReverseIndex(HostInput& /*in*/) {
  const int top = s.ScrollTop > 0 ? s.ScrollTop : 1;
  if (s.CursorRow() != top) {
    MoveCursor(std::max(s.CursorRow() - 1, 1), s.CursorCol());
  } else {
    s.ScrollRegionDown();
    const int16_t col = s.CursorCol();
    MoveCursor(top, 1);
    s.EraseCursorLine();
    MoveCursor(top, col);
  }
  s.RepaintPending = 1;
}

void VtInterpreter::HostCommand(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  switch (in.NextHostByte) {
    case 'M': shared_.HostMessage(in); break;
    case 'G': shared_.HostSendRequest(in); break;
    case 'q':
      if (in.PrinterOn) in.Services().window.ShowBusyCursor();
      shared_.HostProgrammingCommand(in);
      break;
    default: shared_.HostProgrammingCommand(in); break;
  }
}

void VtInterpreter::ClearScreenForHost(HostInput& in) {
  if (s.ScrollTop > 1)
    s.EraseCursorToEndOfScreen();
  else
    s.ClearScreenAndHome();
  shared_.Services().pictures.RemoveInlinePictures();
  // The captures see the cleared screen as a line end.
  in.CaptureLineEnd();
}

}  // namespace korvane
