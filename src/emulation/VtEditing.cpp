// Editing within the VT screen as the VT220 does it: characters and lines
// inserted and deleted with counts, characters erased, tab stops set and
// cleared, the character set SO and SI invoke, and the cursor that waits in
// the last column for the wrap.

#include <algorithm>

#include "emulation/HostInput.h"
#include "emulation/VtInterpreter.h"
#include "emulation/VtState.h"

namespace korvane {

namespace {
// The planes a character shift moves: the character with its attribute and
// colours.
constexpr ScreenPlanes::Plane kCellPlanes[] = {ScreenPlanes::kChars, ScreenPlanes::kAttrs, ScreenPlanes::kFore,
                                               ScreenPlanes::kBack};
}  // namespace

void VtInterpreter::WrapLineFeed(HostInput& in) { CursorDownScrolling(in); }

void VtInterpreter::ToLastColumn(HostInput& in) {
  const int last = in.WrapColumn();
  if (s.CursorCol() <= last) return;
  s.SetCursorCol(last);
  s.MoveToCell(s.CursorRow(), last);
}

void VtInterpreter::ShowInvokedSet() { s.LineGraphicsOn = vt.ShiftOut ? vt.G1IsGraphics : vt.G0IsGraphics; }

// ---- Characters within the cursor's line ----------------------------------------

void VtInterpreter::InsertBlanks(HostInput& /*in*/, int n) {
  s.LimitCursorToPlanes();
  const int row = s.CursorRow(), col = s.CursorCol();
  const int last = std::min<int>(s.ColumnsSetting, kMaxCursorCol);
  if (col > last) return;
  n = std::clamp(n, 1, last - col + 1);
  // What is pushed past the last column is lost.
  for (ScreenPlanes::Plane p : kCellPlanes) {
    int16_t* cells = s.Grid.Row(p, row);
    std::copy_backward(cells + col, cells + last - n + 1, cells + last + 1);
  }
  s.MoveToCell(row, col);
  s.EraseEndColumn = static_cast<int16_t>(col + n - 1);
  s.EraseCharsFromCursor();
  MoveCursor(row, col);
  s.RepaintPending = 1;
}

void VtInterpreter::DeleteCharacters(HostInput& /*in*/, int n) {
  s.LimitCursorToPlanes();
  const int row = s.CursorRow(), col = s.CursorCol();
  const int last = std::min<int>(s.ColumnsSetting, kMaxCursorCol);
  if (col > last) return;
  n = std::clamp(n, 1, last - col + 1);
  for (ScreenPlanes::Plane p : kCellPlanes) {
    int16_t* cells = s.Grid.Row(p, row);
    std::copy(cells + col + n, cells + last + 1, cells + col);
  }
  // The line's end fills with blanks.
  MoveCursor(row, last - n + 1);
  s.EraseEndColumn = static_cast<int16_t>(last);
  s.EraseCharsFromCursor();
  MoveCursor(row, col);
  s.RepaintPending = 1;
}

void VtInterpreter::EraseCharacters(int n) {
  s.LimitCursorToPlanes();
  const int row = s.CursorRow(), col = s.CursorCol();
  n = std::max(n, 1);
  s.MoveToCell(row, col);
  s.EraseEndColumn = static_cast<int16_t>(std::min(col + n - 1, static_cast<int>(s.ColumnsSetting)));
  s.EraseCharsFromCursor();
  MoveCursor(row, col);
}

// ---- Lines within the scroll region ------------------------------------------------

// The rows from the cursor's to the region's bottom move down (insert) or
// up (delete) by n; blank rows come in at the cursor's row or at the
// region's bottom. Nothing goes to the scroll-back, and outside the scroll
// region nothing moves.
void VtInterpreter::ShiftRegionRows(int n, bool down) {
  const int top = std::max<int>(s.ScrollTop, 1), bottom = RegionBottom();
  const int row = s.CursorRow();
  if (row < top || row > bottom) return;
  n = std::clamp(n, 1, bottom - row + 1);
  const int16_t savedTop = s.ScrollTop, savedBottom = s.ScrollBottom;
  s.ScrollTop = static_cast<int16_t>(row);
  s.ScrollBottom = static_cast<int16_t>(bottom);
  for (int i = 0; i < n; ++i) down ? s.ScrollRegionDown() : s.ScrollRegionUp();
  s.ScrollTop = savedTop;
  s.ScrollBottom = savedBottom;
  MoveCursor(row, 1);
  s.RepaintPending = 1;
}

void VtInterpreter::InsertLines(int n) { ShiftRegionRows(n, true); }

void VtInterpreter::DeleteLines(int n) { ShiftRegionRows(n, false); }

// ---- Tab stops ---------------------------------------------------------------------------

void VtInterpreter::SetTabStop(HostInput& in) {
  const int col = std::min<int>(s.CursorCol(), in.WrapColumn());
  if (col >= 1 && col < static_cast<int>(vt.TabStops.size())) vt.TabStops[static_cast<size_t>(col)] = 1;
}

void VtInterpreter::ClearTabStops(HostInput& in, int mode) {
  if (mode == 3) {
    vt.TabStops.fill(0);
  } else if (mode == 0) {
    const int col = std::min<int>(s.CursorCol(), in.WrapColumn());
    if (col >= 1 && col < static_cast<int>(vt.TabStops.size())) vt.TabStops[static_cast<size_t>(col)] = 0;
  }
}

}  // namespace korvane
