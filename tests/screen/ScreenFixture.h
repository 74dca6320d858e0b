#pragma once
// A small session screen for tests: 12-point cells (7 x 15 pixels) in a window
// that holds 4 rows of 10 columns, drawn into a recording port.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "fakes/RecordingPort.h"
#include "fakes/FakeScreenHost.h"
#include "screen/Screen.h"

namespace korvane::testing_support {

class ScreenTest : public ::testing::Test {
 protected:
  static constexpr int kCols = 10;

  explicit ScreenTest(int width = 80, int height = 114) : port(width, height), s(opt, port, host) {
    opt.TextSizeValue = 12;
    s.ComputeCellMetrics();
    s.ScreenCols = kCols;
    s.ColumnsSetting = kCols;
  }

  // Writes text into a row of the character plane from a column on.
  void Put(int row, int col, std::string_view text, int16_t attr = 0) {
    for (char ch : text) {
      s.ScreenChars(row, col) = static_cast<uint8_t>(ch);
      s.ScreenAttrs(row, col) = attr;
      ++col;
    }
  }
  // Rows 1..4 get "ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn".
  void FillScreen() {
    const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    for (int r = 1; r <= 4; ++r) Put(r, 1, all.substr((r - 1) * kCols, kCols));
  }
  // A row of the character plane, columns 1..n; erased cells (0) show as '.'.
  std::string Row(int row, int n = kCols) {
    std::string out;
    for (int c = 1; c <= n; ++c) {
      const int16_t ch = s.ScreenChars(row, c);
      out += ch == 0 ? '.' : static_cast<char>(ch);
    }
    return out;
  }
  std::string Attrs(int row, int n = kCols) {
    std::string out;
    for (int c = 1; c <= n; ++c) out += static_cast<char>('0' + s.ScreenAttrs(row, c));
    return out;
  }
  std::string Protected(int row, int n = kCols) {
    std::string out;
    for (int c = 1; c <= n; ++c) out += s.ScreenProtect(row, c) ? 'P' : '-';
    return out;
  }
  void Cursor(int row, int col) {
    s.SetCursorRow(static_cast<int16_t>(row));
    s.SetCursorCol(static_cast<int16_t>(col));
    s.MoveToCell(row, col);
  }

  SessionOptions opt;
  fakes::RecordingPort port;
  fakes::FakeScreenHost host;
  Screen s;
};

}  // namespace korvane::testing_support
