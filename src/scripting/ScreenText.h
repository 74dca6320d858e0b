#pragma once
// Screen text for scripts: a stretch of one row, or one whole row, of the
// active session's character plane, as 8-bit character codes.
//
// A cell that was never written or has been erased (0) reads as a blank, and
// so does a cell whose low 8 bits are 0, so that a reply never holds a NUL.
// Every row and column is brought inside the planes before a cell is read.

#include <cstdint>
#include <string>

namespace korvane {
class Screen;
}

namespace korvane::scripting {

// Row, first and last column of the GetScreenData sequence, as a script gives
// them (counted from 0); GetScreenDataText makes them 1-based and clamps them,
// and stores the results back.
struct ScreenDataRange {
  int16_t ScreenDataRow = 0;
  int16_t ScreenDataColStart = 0;
  int16_t ScreenDataColEnd = 0;
};

// The characters of row ScreenDataRow from column ScreenDataColStart to
// ScreenDataColEnd. The row is clamped to 0..scriptScreenRows (the rows as the
// idle pass last counted them), the columns to 0..the screen's columns; the
// first cell is always read, so a start beyond the end gives one character.
std::string GetScreenDataText(Screen& screen, ScreenDataRange& range, int16_t scriptScreenRows);

// The characters of one row (counted from 1) from column 1 to column
// sessionColumns - 1: a row above 90 reads row 90, a row below 1 reads row 1;
// the columns are cut to the screen's. The first cell is always read.
std::string GetScreenLineText(Screen& screen, int16_t row, int16_t sessionColumns);

}  // namespace korvane::scripting
