// Addressed cell writes both families share: a block filled with one
// character and single-line boxes at the cursor, their sizes coded by the
// host as value + 31.

#include <algorithm>

#include "emulation/VtState.h"
#include "emulation/BoxGlyphs.h"
#include "emulation/HostInput.h"
#include "emulation/HostSequences.h"

namespace korvane {

namespace {
constexpr int kValueOffset = 31;

// Reads one host byte into `out`; false when the host stopped sending.
bool NextByte(HostInput& in, int& out) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return false;
  out = in.NextHostByte;
  return true;
}

// The two values of ESC c H / F / G: a first byte, an optional "-", the second.
bool ReadValuePair(HostInput& in, int& first, int& second) {
  int b = 0;
  if (!NextByte(in, b)) return false;
  first = b - kValueOffset;
  if (!NextByte(in, b)) return false;
  if (b == '-' && !NextByte(in, b)) return false;
  second = b - kValueOffset;
  return true;
}
}  // namespace

HostSequences::HostSequences(Screen& screen, SessionOptions& options, VtState& state, SessionServices& services)
    : screen_(screen), Opt(options), vt_(state), services_(services) {}

bool HostSequences::OnScreen(int row, int col) const {
  return row >= 1 && row <= std::min<int>(screen_.ScreenRows, kMaxCursorRow) && col >= 1 &&
         col <= std::min<int>(screen_.ColumnsSetting, kMaxCursorCol);
}

void HostSequences::PutCell(int row, int col, int ch, bool storeAttributes, int16_t attr) {
  if (!OnScreen(row, col)) return;
  Screen& s = screen_;
  s.ScreenChars(row, col) = static_cast<int16_t>(ch);
  if (storeAttributes) {
    s.ScreenAttrs(row, col) = attr;
    if (s.ColourMode()) {
      s.ScreenForeColours(row, col) = s.CurrentForeColour;
      s.ScreenBackColours(row, col) = s.CurrentBackColour;
    }
  }
  if (s.DisplayOn) {
    s.MoveToCell(row, col);
    const uint8_t code = static_cast<uint8_t>(ch);
    s.port.DrawText(&code, 1);
  }
}

void HostSequences::Fill(HostInput& in, bool skipProtected) {
  int lastRow = 0, lastCol = 0, fill = 0;
  if (!ReadValuePair(in, lastRow, lastCol) || !NextByte(in, fill)) return;
  Screen& s = screen_;
  const int row0 = s.CursorRow(), col0 = s.CursorCol();
  // The block always holds the cursor's own cell, even when its far corner
  // lies above or left of it; it is cut at the screen's edges.
  const int firstRow = std::max(row0, 1), firstCol = std::max(col0, 1);
  const int endRow =
      std::min({std::max(lastRow, row0), static_cast<int>(s.ScreenRows), static_cast<int>(kMaxCursorRow)});
  const int endCol =
      std::min({std::max(lastCol, col0), static_cast<int>(s.ColumnsSetting), static_cast<int>(kMaxCursorCol)});
  const uint8_t code = static_cast<uint8_t>(fill);
  std::string run;
  for (int r = firstRow; r <= endRow; ++r) {
    int runStart = 0;
    run.clear();
    auto drawRun = [&] {
      if (!run.empty() && s.DisplayOn) {
        s.MoveToCell(r, runStart);
        s.port.DrawText(reinterpret_cast<const uint8_t*>(run.data()), static_cast<int>(run.size()));
      }
      run.clear();
    };
    for (int c = firstCol; c <= endCol; ++c) {
      if (skipProtected && s.WriteProtectMode && s.ScreenProtect(r, c)) {
        drawRun();
        continue;
      }
      if (run.empty()) runStart = c;
      s.ScreenChars(r, c) = code;
      run += static_cast<char>(code);
    }
    drawRun();
  }
  s.MoveToCell(row0, col0);
}

void HostSequences::PutCharAtAddress(HostInput& in) { Fill(in, false); }
void HostSequences::PutCharAtAddress2(HostInput& in) { Fill(in, true); }

void HostSequences::DrawBoxAtCursor(int width, int height) {
  Screen& s = screen_;
  const BoxGlyphSet& g = BoxGlyphs(Opt.ProgramFontOption == 1, BoxLine::Single);
  const int top = s.CursorRow(), left = s.CursorCol();
  // A box has at least one horizontal between its corners and a bottom row
  // of its own.
  const int right = left + std::max(width, 3) - 1;
  const int bottom = top + std::max(height, 2) - 1;
  const int16_t attr = s.CurrentAttributeCode;
  // Rows and columns beyond the screen are left out before the loops, so a
  // host's huge box costs no more than the screen.
  const int innerFirst = std::max(left + 1, 1), innerLast = std::min<int>(right - 1, kMaxCursorCol);
  PutCell(top, left, g.topLeft, true, attr);
  for (int c = innerFirst; c <= innerLast; ++c) PutCell(top, c, g.horizontal, true, attr);
  PutCell(top, right, g.topRight, true, attr);
  for (int r = std::max(top + 1, 1); r <= std::min<int>(bottom - 1, kMaxCursorRow); ++r) {
    PutCell(r, left, g.vertical, true, attr);
    PutCell(r, right, g.vertical, true, attr);
  }
  PutCell(bottom, left, g.bottomLeft, true, attr);
  for (int c = innerFirst; c <= innerLast; ++c) PutCell(bottom, c, g.horizontal, true, attr);
  PutCell(bottom, right, g.bottomRight, true, attr);
  s.MoveToCell(top, left);
}

void HostSequences::DrawBoxFromHost(HostInput& in) {
  int w = 0, h = 0;
  if (!NextByte(in, w) || !NextByte(in, h)) return;
  Screen& s = screen_;
  w -= kValueOffset;
  h -= kValueOffset;
  // Limited to the space left on the screen first, then at least one cell:
  // a box at the screen's edge stays a box and is cut there.
  w = std::max(std::min(w, s.ColumnsSetting - s.CursorCol()), 1);
  h = std::max(std::min(h, s.ScreenRows - s.CursorRow()), 1);
  DrawBoxAtCursor(w, h);
}

void HostSequences::DrawBoxFromHost2(HostInput& in) {
  // The two values are the far corner's row and column, read as the fill
  // command reads its block's corner.
  int lastRow = 0, lastCol = 0;
  if (!ReadValuePair(in, lastRow, lastCol)) return;
  Screen& s = screen_;
  DrawBoxAtCursor(std::max(lastCol - s.CursorCol() + 1, 1), std::max(lastRow - s.CursorRow() + 1, 1));
}

}  // namespace korvane
