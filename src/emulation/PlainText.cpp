// The plain-text path: sessions without an emulation, and every session while
// PlainTextMode shows each received byte as its decimal code. Printable
// characters are shown, LF, CR, FF, BS, NAK and BEL act, every other control
// is ignored.

#include <algorithm>
#include <cstdio>

#include "emulation/HostInput.h"
#include "platform/VectorUnit.h"

namespace korvane {

namespace {
constexpr int16_t kLastCol = kMaxCursorCol;
}  // namespace

void HostInput::RunPlainTextPass() {
  const ChunkRead r = ReadHostChunk(kPlainPtyChunkMax, false);
  if (r == ChunkRead::NoInput) {
    CheckInputPending();
    return;
  }
  if (r == ChunkRead::PassEnded) return;
  Screen& s = screen;
  // One chunk, read again at once while a serial backlog remains.
  while (true) {
    while (HostChunkPos <= HostChunkLast) {
      if (SkipRestOfChunk == 1) {
        SkipRestOfChunk = 0;
        s.PendingRun.clear();
        HostChunkPos = static_cast<int16_t>(HostChunkLast + 1);
        break;
      }
      if (!conn.IsPtyConnection()) PerCharacterFlowControl();
      const uint8_t* at = ReceiveBuffer.data() + HostChunkPos;
      if (!PlainTextMode && !fastPathsOff_ && *at >= 32 && *at < 128) {
        // The fast path: a run of plain printable bytes in one go.
        const uint8_t* end = ReceiveBuffer.data() + HostChunkLast + 1;
        const uint8_t* stop = at + 1;
        while (stop < end && *stop >= 32 && *stop < 128) ++stop;
        const int n = static_cast<int>(stop - at);
        PlainPrintRun(at, n);
        HostChunkPos = static_cast<int16_t>(HostChunkPos + n);
        continue;
      }
      int ch = *at;
      if (Opt.NationalCharsOff == 0 && ch > 127) ch &= 127;
      if (ch > 31 || PlainTextMode)
        PlainPrintStep(ch);
      else
        PlainControl(ch);
      ++HostChunkPos;
    }
    if (s.DisplayOn) DrawRun();
    if (PlainTextMode) {
      s.SetCursorRow(s.PenRow());
      s.SetCursorCol(s.PenColumn());
    }
    CaptureCharacter();
    s.PendingRun.clear();
    ReleaseHost();
    if (HostBytesBeyondChunk == 0) break;
    HostChunkCount = HostBytesBeyondChunk;
    if (!ReadChunkPiece(false)) break;
  }
  HostChunkCount = 0;
  HostChunkLast = -1;
}

void HostInput::PlainWrapCheck() {
  Screen& s = screen;
  if (!(Opt.AutoWrapOn && s.DisplayOn && s.CursorCol() > s.ColumnsSetting)) return;
  DrawRun();
  s.MoveToCell(s.CursorRow(), 1);
  s.SetCursorCol(1);
  s.ScrollIfPastBottom();
  CaptureCharacter();
  s.PendingRun.clear();
}

void HostInput::PlainPrintRun(const uint8_t* bytes, int n) {
  Screen& s = screen;
  s.CurrentAttributeCode = 0;
  while (n > 0) {
    screen.LimitCursorToPlanes();
    // As many bytes as the line takes before the wrap, or before the last
    // column where every further byte lands on that column.
    int take = n;
    if (Opt.AutoWrapOn && s.DisplayOn) take = std::min(take, std::max(1, s.ColumnsSetting - s.CursorCol() + 1));
    take = std::min(take, kLastCol - s.CursorCol() + 1);
    const int col = s.CursorCol();
    CheckIndex("ScreenChars", col + take - 1, kLastCol + 1);
    int16_t* chars = s.Grid.Row(ScreenPlanes::kChars, s.CursorRow()) + col;
    int16_t* attrs = s.Grid.Row(ScreenPlanes::kAttrs, s.CursorRow()) + col;
    for (int i = 0; i < take; ++i) chars[i] = bytes[i];
    ZeroCells(attrs, static_cast<size_t>(take));
    s.ScreenSavedToScrollBack = 0;
    AppendBytes(s.PendingRun, reinterpret_cast<const char*>(bytes), static_cast<size_t>(take));
    s.SetCursorCol(static_cast<int16_t>(col + take));
    bytes += take;
    n -= take;
    PlainWrapCheck();
  }
}

void HostInput::PlainPrintStep(int ch) {
  Screen& s = screen;
  s.CurrentAttributeCode = 0;
  screen.LimitCursorToPlanes();
  if (PlainTextMode) {
    char text[8];
    const int len = std::snprintf(text, sizeof text, " %d", ch);
    s.ScreenSavedToScrollBack = 0;
    s.PendingRun.append(text, static_cast<size_t>(len));
    for (int i = 0; i < len; ++i) {
      // The code's digits may run past the last column of the planes; the
      // cursor goes on and the wrap below brings it back.
      if (s.CursorCol() <= kLastCol) {
        s.ScreenChars(s.CursorRow(), s.CursorCol()) = static_cast<uint8_t>(text[i]);
        s.ScreenAttrs(s.CursorRow(), s.CursorCol()) = 0;
      }
      s.SetCursorCol(s.CursorCol() + 1);
    }
  } else if (ch > 31) {
    s.PendingRun += static_cast<char>(ch);
    s.ScreenSavedToScrollBack = 0;
    s.ScreenChars(s.CursorRow(), s.CursorCol()) = static_cast<int16_t>(ch);
    s.ScreenAttrs(s.CursorRow(), s.CursorCol()) = 0;
    s.SetCursorCol(s.CursorCol() + 1);
  }
  PlainWrapCheck();
}

void HostInput::PlainLineFeed() {
  Screen& s = screen;
  if (s.DisplayOn) DrawRun();
  if (Opt.LineEndLf())
    CaptureLineEnd();
  else
    CaptureCharacter();
  s.PendingRun.clear();
  if (!s.DisplayOn) return;
  s.SetCursorRow(s.CursorRow() + 1);
  s.MoveToCell(s.CursorRow(), s.CursorCol());
  if (s.CursorRow() > s.ScreenRows) {
    s.port.ScrollRect({0, 0, s.port.Width(), s.ScreenRows * s.CellHeight - s.CellBaselineAdjust}, 0, -s.CellHeight);
    s.ScrollUpIntoScrollback();
    s.SetCursorRow(s.ScreenRows);
    // The pen follows, so that the next text is drawn on the new last row.
    s.MoveToCell(s.CursorRow(), s.CursorCol());
  }
}

void HostInput::PlainCarriageReturn() {
  Screen& s = screen;
  if (s.DisplayOn) DrawRun();
  if (Opt.LineEndCr())
    CaptureLineEnd();
  else
    CaptureCharacter();
  s.PendingRun.clear();
  if (s.DisplayOn) {
    if (s.StatusLineWriteOpen) {
      s.SetCursorRow(StatusSavedRow);
      s.SetCursorCol(StatusSavedCol);
      s.MoveToCell(s.CursorRow(), s.CursorCol());
      s.SetNormalTextStyle();
      s.StatusLineWriteOpen = 0;
    } else {
      if (s.CursorRow() < s.ScreenRows) s.SetNormalTextStyle();
      s.SetCursorCol(1);
      s.MoveToCell(s.CursorRow(), 1);
    }
  }
  if (CaptureFileOn && Opt.LineEndCr()) PlainLineFeed();
}

void HostInput::PlainControl(int ch) {
  Screen& s = screen;
  const std::string& run = s.PendingRun;
  switch (ch) {
    case 10: PlainLineFeed(); return;
    case 13: PlainCarriageReturn(); return;
    case 12:
      DrawRun();
      s.SetCursor(1, 1);
      echo.LineEnd(run);
      // A cleared page leaves an empty line in the clipboard copy.
      if (!PlainTextMode) echo.Text("\r", kEchoClipboard);
      s.PendingRun.clear();
      if (!PlainTextMode) s.ClearScreenAndHome();
      return;
    case 8:
    case 21:
      DrawRun();
      echo.Text(run, kEchoClipboard | kEchoCaptureFile);
      echo.LineEnd(run, kEchoPrinter);
      s.PendingRun.clear();
      s.SetCursorCol(static_cast<int16_t>(std::max(1, s.CursorCol() - 1)));
      s.MoveToCell(s.CursorRow(), s.CursorCol());
      return;
    case 7:
      DrawRun();
      echo.Text(run, kEchoClipboard | kEchoCaptureFile);
      s.PendingRun.clear();
      return;
    default:
      // Reaches the print step and shows nothing.
      PlainPrintStep(ch);
      return;
  }
}

}  // namespace korvane
