#include "scripting/ScreenText.h"

#include <algorithm>

#include "screen/Screen.h"

namespace korvane::scripting {

namespace {

char CellCharacter(Screen& s, int row, int col) {
  const auto code = static_cast<uint8_t>(s.ScreenChars(row, col) & 0xFF);
  return code == 0 ? ' ' : static_cast<char>(code);
}

// The screen's columns, never more than the planes hold.
int ScreenColumns(const Screen& s) { return std::clamp<int>(s.ScreenCols, 0, kMaxScreenCols); }

}  // namespace

std::string GetScreenDataText(Screen& screen, ScreenDataRange& range, int16_t scriptScreenRows) {
  const int cols = ScreenColumns(screen);
  const int rows = std::clamp<int>(scriptScreenRows, 0, ScreenPlanes::kRows - 1);
  // Counted from 0 by the script, from 1 by the planes; the sums are taken
  // before the 16-bit store so that 32767 does not wrap.
  const int row = std::clamp(range.ScreenDataRow + 1, 0, rows);
  const int start = std::clamp(range.ScreenDataColStart + 1, 0, cols);
  const int end = std::clamp(range.ScreenDataColEnd + 1, 0, cols);
  range.ScreenDataRow = static_cast<int16_t>(row);
  range.ScreenDataColStart = static_cast<int16_t>(start);
  range.ScreenDataColEnd = static_cast<int16_t>(end);
  std::string text;
  int col = start;
  do {
    text += CellCharacter(screen, row, col);
    ++col;
  } while (col <= end);
  return text;
}

std::string GetScreenLineText(Screen& screen, int16_t row, int16_t sessionColumns) {
  const int cols = ScreenColumns(screen);
  const int r = std::clamp<int>(row, 1, 90);
  const int last = std::min<int>(sessionColumns, cols) - 1;
  std::string text;
  int col = 1;
  do {
    text += CellCharacter(screen, r, col);
    ++col;
  } while (col <= last);
  return text;
}

}  // namespace korvane::scripting
