#pragma once
// A selection of the session window: the rectangle the user dragged (window
// pixels) turned into the cells it covers, and those cells as clipboard text
// or as a picture. The cells are the ones the window shows: the live screen,
// or the scroll-back lines while the scroll-back view is shown.

#include <string>

#include "platform/CellPicture.h"
#include "platform/Port.h"
#include "screen/Screen.h"

namespace korvane::output {

using platform::Rect;

// Cells first..last (1-based, inclusive) of the text area.
struct CellRange {
  int firstRow = 1, lastRow = 0, firstCol = 1, lastCol = 0;
  bool Empty() const { return lastRow < firstRow || lastCol < firstCol; }
  int Rows() const { return Empty() ? 0 : lastRow - firstRow + 1; }
  int Cols() const { return Empty() ? 0 : lastCol - firstCol + 1; }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

// Pixels of a cell's width by which pixels become columns at the session's
// text size and layout (6, 7, 9, 12 or 14 for 9, 12, 16, 18 and 24 points;
// 4, 6 or 7 in the small-type layouts).
int CharWidthForSize(const Screen& s);

// The last row of the text area a selection can reach: the screen's rows,
// and the host's status line below them where it is drawn from the cells.
int LastSelectableRow(const Screen& s);

// The cells a dragged rectangle covers. A column counts when the rectangle
// takes in at least half of it; a row counts from the pixel below its
// neighbour's descent. The range is cut to the text area (columns 1..206,
// rows 1..LastSelectableRow), so it may come out empty.
CellRange SelectionCells(const Screen& s, Rect selection);

// The frame of the cells, in window pixels: what the copy flashes.
Rect CellFrame(const Screen& s, const CellRange& cells);

// The text of the cells as clipboard text: each cell's code through the
// session's font table (line graphics become box-drawing characters, an
// empty cell a blank), trailing blanks of each row removed, rows joined by
// LF with none after the last.
std::string SelectionText(Screen& s, const CellRange& cells);

// The cells as a picture in the session's colours and text faces.
platform::CellPicture SelectionPicture(Screen& s, const CellRange& cells);

}  // namespace korvane::output
