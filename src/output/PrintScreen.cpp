#include "output/PrintScreen.h"

#include <algorithm>

#include "output/CaptureFormat.h"

namespace korvane::output {

ScreenCellRange PrintScreenCells(int contentWidth, int contentHeight, int cellWidth, int cellHeight, int cellDescent,
                                 int screenRows, int screenColumns, bool scrollBackShown) {
  ScreenCellRange r;
  const int w = std::max(1, cellWidth), h = std::max(1, cellHeight);
  const int half = w / 2;
  r.firstColumn = (half - 4) / w + 1;
  r.lastColumn = (contentWidth + w - 1) / w - 1;
  r.firstRow = (cellDescent + 1) / h + 1;
  r.lastRow = (contentHeight + 4) / h;
  if (scrollBackShown) r.lastRow -= 3;
  // Rows below the screen hold the status lines and the function-key bar,
  // not text; cells start at 1.
  r.lastColumn = std::min({r.lastColumn, int{kMaxCursorCol}, screenColumns});
  r.lastRow = std::min({r.lastRow, int{kMaxCursorRow}, screenRows});
  r.firstColumn = std::clamp(r.firstColumn, 1, int{kMaxCursorCol});
  r.firstRow = std::clamp(r.firstRow, 1, int{kMaxCursorRow});
  return r;
}

std::string ScreenPrintText(Screen& s, const ScreenCellRange& range) {
  std::string out;
  std::string row;
  for (int r = range.firstRow; r <= range.lastRow; ++r) {
    row.clear();
    for (int c = range.firstColumn; c <= range.lastColumn; ++c) {
      int16_t ch = 0;
      if (s.ScrollBackViewShown) {
        const int line = std::clamp(s.ScrollBackViewLine - s.ScreenRows + r, 0, ScrollBackPlanes::kLines - 1);
        ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, c);
      } else {
        ch = s.ScreenChars(r, c);
      }
      row += ch == 0 ? ' ' : static_cast<char>(ch & 0xFF);
    }
    out += CaptureText(row, s.ScreenFontId, false);
    out += '\r';
  }
  return out;
}

}  // namespace korvane::output
