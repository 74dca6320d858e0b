// The screen drawn through the Qt port: where cells land in pixels.

#include <gtest/gtest.h>

#include "platform/qt/QtImagePort.h"
#include "fakes/FakeScreenHost.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

uint32_t Px(const platform::QtImagePort& p, int x, int y) { return p.Image().pixel(x, y) & 0xFFFFFFu; }
uint32_t Rgb(int palette) {
  const RGB c = kScreenPalette[palette];
  return (uint32_t(c.red >> 8) << 16) | (uint32_t(c.green >> 8) << 8) | uint32_t(c.blue >> 8);
}

class ScreenOnQt : public ::testing::Test {
 protected:
  ScreenOnQt() : port(570, 414), s(opt, port, host) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    s.ComputeCellMetrics();
    s.ScreenCols = s.ColumnsSetting = 80;
  }
  SessionOptions opt;
  platform::QtImagePort port;
  fakes::FakeScreenHost host;
  Screen s;
};

TEST_F(ScreenOnQt, ClearedScreenShowsTheSessionBackground) {
  s.ClearScreenAndHome();
  EXPECT_EQ(Px(port, 100, 100), Rgb(18));
  EXPECT_EQ(Px(port, 3, 1), Rgb(18));
}

TEST_F(ScreenOnQt, ACellsGlyphStandsOnItsBaseline) {
  s.ClearScreenAndHome();
  // A full block at row 3, column 5: x = 7 * 4 + 4 = 32, baseline y = 3 * 15 - 3 = 42.
  s.MoveToCell(3, 5);
  s.SetDrawColoursForAttribute();
  s.PendingRun = std::string(1, char(227));
  s.DrawPendingRun();
  EXPECT_EQ(Px(port, 32, 42), Rgb(17)) << "baseline pixel of the cell";
  EXPECT_EQ(Px(port, 38, 42), Rgb(17)) << "last column of the cell";
  EXPECT_EQ(Px(port, 31, 42), Rgb(18)) << "left of the cell";
  EXPECT_EQ(Px(port, 39, 42), Rgb(18)) << "right of the cell";
  EXPECT_EQ(Px(port, 32, 42 - 12), Rgb(17)) << "top of the band";
  EXPECT_EQ(Px(port, 32, 42 - 13), Rgb(18)) << "above the band";
}

TEST_F(ScreenOnQt, ErasingALineUsesTheBackgroundUnderTheText) {
  s.ClearScreenAndHome();
  s.MoveToCell(2, 1);
  s.PendingRun = std::string(10, char(227));
  s.DrawPendingRun();
  ASSERT_EQ(Px(port, 10, 27), Rgb(17));
  s.SetCursorRow(2);
  s.SetCursorCol(1);
  s.MoveToCell(2, 1);
  s.EraseCursorLine();
  for (int x : {4, 10, 70}) EXPECT_EQ(Px(port, x, 27), Rgb(18)) << x;
}

TEST_F(ScreenOnQt, LineFeedAtTheBottomScrollsThePixelsWithTheCells) {
  s.ClearScreenAndHome();
  s.MoveToCell(24, 1);
  s.PendingRun = std::string(1, char(227));
  s.DrawPendingRun();
  s.ScreenChars(24, 1) = 227;
  s.SetCursorRow(24);
  s.SetCursorCol(1);
  s.ScrollIfPastBottom();
  EXPECT_EQ(s.ScreenChars(23, 1), 227);
  EXPECT_EQ(Px(port, 4, 23 * 15 - 3), Rgb(17)) << "the block moved up one row of pixels";
}

}  // namespace
}  // namespace korvane
