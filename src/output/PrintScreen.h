#pragma once
// The text of the screen for printing: the cells the window's content shows,
// row by row, each row ended by CR (empty cells print as blanks, trailing
// blanks are kept); while the scroll-back view is shown, its lines.

#include <cstdint>
#include <string>

#include "output/PrintPages.h"
#include "screen/Screen.h"

namespace korvane::output {

struct ScreenCellRange {
  int firstRow = 1, lastRow = 0, firstColumn = 1, lastColumn = 0;
};

// The cells inside the window's content (width and height in pixels), with
// the cell width and height and the pixels below the baseline; limited to the
// screen's rows and columns, and three rows fewer while the scroll-back view
// is shown.
ScreenCellRange PrintScreenCells(int contentWidth, int contentHeight, int cellWidth, int cellHeight, int cellDescent,
                                 int screenRows, int screenColumns, bool scrollBackShown);

// The print text of the cells of `range` on `screen`, through the screen
// font's table.
std::string ScreenPrintText(Screen& screen, const ScreenCellRange& range);

}  // namespace korvane::output
