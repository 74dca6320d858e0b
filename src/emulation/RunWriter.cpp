// Runs of plain printable text written in one go. An interpreter whose
// character needs nothing but the writer hands the rest of the run to this
// path: the cells are stored a line segment at a time, and the end of each
// segment (the wrap, the 254-byte flush) goes through CharDone exactly as it
// would have one byte at a time.

#include <algorithm>
#include <bit>
#include <cstring>

#include "emulation/HostInput.h"
#include "platform/VectorUnit.h"

namespace korvane {

namespace {
bool PrintableAscii(uint8_t b) { return b >= 0x20 && b < 0x7F; }

// How many of the `max` bytes at `p` are printable ASCII before the first
// that is not. Eight bytes are tested at once: in each byte of the word, the
// high bit of (b - 0x20) | b | (b + 1) is set exactly when b < 0x20 or
// b > 0x7E (a borrow or carry can only pass into the bytes after such a byte,
// so the lowest set bit marks the first byte that ends the run).
int PrintableLength(const uint8_t* p, int max) {
  constexpr uint64_t kSpaces = 0x2020202020202020u, kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
  auto stops = [&](int at) {
    uint64_t w;
    std::memcpy(&w, p + at, 8);
    return ((w - kSpaces) | w | (w + kOnes)) & kHigh;
  };
  if constexpr (std::endian::native == std::endian::little) {
    if (max >= 8) {
      int n = 0;
      for (; n + 8 <= max; n += 8)
        if (const uint64_t stop = stops(n)) return n + std::countr_zero(stop) / 8;
      if (n == max) return max;
      // The last word ends at `max`; its bytes before `n` were found printable.
      const int at = max - 8;
      const uint64_t stop = stops(at) >> (8 * (n - at));
      return stop ? n + std::countr_zero(stop) / 8 : max;
    }
  }
  int n = 0;
  while (n < max && PrintableAscii(p[n])) ++n;
  return n;
}
}  // namespace

uint32_t HostInput::EachByteNeeds() const {
  const Screen& s = screen;
  // The closed-link text is fed by the run writer itself; every other watcher
  // needs each byte, and so do the printer controller's bytes whoever reads
  // them.
  uint32_t n = (WatcherNeeds(true) & ~kClosedLinkWatch);
  if (fastPathsOff_) n |= kFastPathsSwitchedOff;
  if (TransferByteCount != 0) n |= kTransferWatch;
  if (!conn.IsPtyConnection()) n |= kSerialLine;
  if (ReplayActive || PushBackPending) n |= kReplayedBytes;
  if (OutputHeld) n |= kOutputHeld;
  if (s.DisplayOn != 1) n |= kDisplayOff;
  if (s.WriteProtectMode || s.ProtectFieldMode || s.WyseColourAttributes) n |= kProtectedCells;
  if (StatusLinePenActive) n |= kStatusLinePen;
  if (InsertMode) n |= kInsertMode;
  if (OneShotGraphics || GraphicsModeOn) n |= kGraphicsSet;
  if (Opt.SkipReverseBlankOption) n |= kSkipReverseBlank;
  return n;
}

bool HostInput::WritePrintableRun() {
  if (HostChunkPos < 0 || HostChunkPos > HostChunkLast ||
      CurrentHostChar != ReceiveBuffer[static_cast<size_t>(HostChunkPos)] ||
      !PrintableAscii(static_cast<uint8_t>(CurrentHostChar)) || EachByteNeeds() != 0)
    return false;
  Screen& s = screen;
  const uint8_t* buf = ReceiveBuffer.data();
  const int end = HostChunkPos + PrintableLength(buf + HostChunkPos + 1, HostChunkLast - HostChunkPos);
  if (Opt.TelnetSession || Opt.SshSession)
    for (int i = HostChunkPos + 1; i <= end; ++i)
      if (ClosedMatch.Feed(buf[i])) services_.window.CloseConnection();

  ComputeAttributeCode();
  const int16_t attr = s.CurrentAttributeCode;
  const bool colours = s.ColourMode();
  int pos = HostChunkPos;
  // Neither changes while the run is written.
  const bool wrapWaits = WrapWaits();
  const int lastColumn = std::min<int>(s.ColumnsSetting, s.WindowColumns);
  while (true) {
    screen.LimitCursorToPlanes();
    // As the writer does before each character (SettleWaitingWrap).
    if (wrapWaits && s.CursorCol() > std::max(lastColumn, 1)) SettleWaitingWrapSteps();
    const int row = s.CursorRow(), col = s.CursorCol();
    // Up to the column where the line wraps (or, where the wrap waits, up to
    // the last column, which later characters overwrite with auto-wrap off),
    // the planes' last column, or the length at which the run is drawn.
    int take = end - pos + 1;
    if (Opt.AutoWrapOn || wrapWaits) take = std::min(take, std::max(1, lastColumn - col + 1));
    take = std::min(take, kMaxCursorCol - col + 1);
    take = std::min<int>(take,
                         std::max<int>(1, static_cast<int>(kRunFlushLength) - static_cast<int>(s.PendingRun.size())));
    CheckIndex("ScreenChars", col + take - 1, kMaxCursorCol + 1);
    int16_t* chars = s.Grid.Row(ScreenPlanes::kChars, row) + col;
    int16_t* attrs = s.Grid.Row(ScreenPlanes::kAttrs, row) + col;
    const uint8_t* text = buf + pos;
    StoreCodes(chars, text, take);
    FillCells(attrs, attr, take);
    s.ScreenSavedToScrollBack = 0;
    if (colours) {
      FillCells(s.Grid.Row(ScreenPlanes::kBack, row) + col, CellBackColour, take);
      FillCells(s.Grid.Row(ScreenPlanes::kFore, row) + col, CellForeColour, take);
    }
    if (s.ProtectFieldsSeen)
      for (int c = col; c < col + take; ++c) s.ScreenProtect(row, c) = 0;
    // Columns beyond the window are stored but not drawn.
    const int shown = std::clamp(s.WindowColumns - col + 1, 0, take);
    AppendBytes(s.PendingRun, reinterpret_cast<const char*>(buf + pos), static_cast<size_t>(shown));
    s.SetCursorCol(static_cast<int16_t>(col + take));
    WrapAfterLineFeed = 0;
    pos += take;
    HostChunkPos = static_cast<int16_t>(pos - 1);
    if (pos > end) break;
    // The segment's last byte ends as every byte does; the reader ends the last one.
    CurrentHostChar = static_cast<int16_t>(buf[pos - 1]);
    CharDone();
  }
  CurrentHostChar = static_cast<int16_t>(buf[end]);
  return true;
}

}  // namespace korvane
