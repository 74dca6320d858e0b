// Cell metrics per text size, rows that fit the window, and the pen.

#include "ScreenFixture.h"

namespace korvane {
namespace {

using testing_support::ScreenTest;

struct MetricsCase {
  const char* name;
  int16_t size, sizeMode, plainFace;
  int8_t option139;
  int16_t height, ascent, descent, adjust, width, statusOffset;
};

class CellMetrics : public ScreenTest, public ::testing::WithParamInterface<MetricsCase> {};

TEST_P(CellMetrics, FollowTheTextSizeAndSmallTypeSwitches) {
  const auto& c = GetParam();
  opt.TextSizeValue = c.size;
  opt.FontSizeMode = c.sizeMode;
  opt.PlainFaceSwitch = c.plainFace;
  opt.FontOption139 = c.option139;
  s.ComputeCellMetrics();
  EXPECT_EQ(s.CellHeight, c.height);
  EXPECT_EQ(s.CellAscent, c.ascent);
  EXPECT_EQ(s.CellDescent, c.descent);
  EXPECT_EQ(s.CellBaselineAdjust, c.adjust);
  EXPECT_EQ(s.CellWidth, c.width);
  EXPECT_EQ(s.StatusLineOffset, c.statusOffset);
  EXPECT_EQ(port.cellWidth(), c.width);
  EXPECT_EQ(port.cellAbove() + port.cellBelow(), c.height) << "the port's cell is one row tall";
}

const MetricsCase kMetricsCases[] = {
    {"Nine", 9, 0, 0, 0, 11, 9, 1, 1, 6, 11},
    {"Twelve", 12, 0, 0, 0, 15, 12, 2, 0, 7, 0},
    {"Sixteen", 16, 0, 0, 0, 16, 14, 2, 0, 9, 0},
    {"Eighteen", 18, 0, 0, 0, 24, 18, 5, -5, 12, -11},
    {"TwentyFour", 24, 0, 0, 0, 30, 18, 5, -5, 14, -17},
    {"SmallType", 18, 1, 0, 0, 11, 9, 1, 1, 4, 0},
    {"SmallPlain", 24, 1, 1, 0, 11, 9, 1, 1, 6, 0},
    {"SmallWide", 9, 1, 1, 1, 15, 12, 2, 0, 7, 0},
};
INSTANTIATE_TEST_SUITE_P(Geometry, CellMetrics, ::testing::ValuesIn(kMetricsCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ScreenTest, SmallTypeWithAllSwitchesDrawsTwelvePoints) {
  opt.FontSizeMode = 1;
  opt.PlainFaceSwitch = 1;
  opt.FontOption139 = 1;
  s.ComputeCellMetrics();
  EXPECT_EQ(port.textSize(), 12);
}

struct RowsCase {
  const char* name;
  int height;
  int16_t fontSize, rowsSetting, scrollBottom;
  int16_t rows;
};

class RowsForWindow : public ScreenTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(RowsForWindow, CountsTheRowsThatFit) {
  const auto& c = GetParam();
  port.SetSize(570, c.height);
  opt.FontSize = c.fontSize;
  opt.ScreenRowsSetting = c.rowsSetting;
  s.ScrollBottom = c.scrollBottom;
  EXPECT_EQ(s.ScreenRowsForWindow(), c.rows);
  EXPECT_EQ(s.ScreenRows, c.rows);
}

// 15-pixel cells.
const RowsCase kRowsCases[] = {
    {"ThreeHundredPixels", 300, 0, 0, 0, 16},
    {"LargeFontAddsARow", 300, 18, 0, 0, 17},
    {"AboveTwentyFourLosesOne", 600, 0, 0, 0, 35},
    {"RowsSettingCapsAtTwentyFour", 600, 0, 1, 0, 24},
    {"ScrollBottomSetsTheRows", 9 + 15 * 33, 0, 0, 20, 20},
    {"ScrollBottomWithLargeFont", 9 + 15 * 33, 18, 0, 20, 21},
    {"ScrollBottomBeyondTheWindow", 300, 0, 0, 40, 16},
    {"NeverMoreThanSeventyOne", 2000, 0, 0, 0, 71},
    {"LargeFontStaysWithinSeventyOne", 2000, 18, 0, 0, 71},
    {"TinyWindowGetsTwentyFour", 30, 0, 0, 0, 24},
};
INSTANTIATE_TEST_SUITE_P(Geometry, RowsForWindow, ::testing::ValuesIn(kRowsCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ScreenTest, RowsForHeightStoresOnlyTheSecondStatusRow) {
  port.SetSize(570, 300);
  s.ScreenRows = 10;
  EXPECT_EQ(s.ScreenRowsForHeight(), 16);  // (300 - 9) div 15 - 3
  EXPECT_EQ(s.ScreenRows, 10);
  EXPECT_EQ(s.StatusLine2Row, 15);
  opt.FontSize = 19;
  port.SetSize(570, 2000);
  EXPECT_EQ(s.ScreenRowsForHeight(), 71);
}

// The repaint, the scroll-back and the status area count the window's rows
// with ScreenRowsForHeight, everything else with ScreenRowsForWindow: without
// a scroll region both give the same count, for every text size and height.
TEST_F(ScreenTest, RowsForHeightAndForWindowFollowOneRule) {
  for (const int16_t size : {9, 12, 16, 18, 24}) {
    opt.TextSizeValue = size;
    opt.FontSize = size;
    s.ComputeCellMetrics();
    for (int height = 40; height <= 1800; height += 7) {
      port.SetSize(570, height);
      const int16_t window = s.ScreenRowsForWindow();
      EXPECT_EQ(s.ScreenRowsForHeight(), window) << size << " points, " << height << " pixels";
    }
  }
}

// The window a session opens with at the default 18-point type (24-pixel
// cells) shows 24 rows to both counts.
TEST_F(ScreenTest, TheDefaultWindowHasTwentyFourRowsByBothCounts) {
  opt.TextSizeValue = opt.FontSize = 18;
  s.ComputeCellMetrics();
  port.SetSize(996, 9 + 24 * 26);
  EXPECT_EQ(s.ScreenRowsForWindow(), 24);
  EXPECT_EQ(s.ScreenRowsForHeight(), 24);
}

TEST_F(ScreenTest, PenPlacementAndItsInverse) {
  for (int16_t size : {9, 12, 16, 18, 24}) {
    opt.TextSizeValue = size;
    s.ComputeCellMetrics();
    for (int row : {1, 2, 24, 71})
      for (int col : {1, 2, 80, 206}) {
        s.MoveToCell(row, col);
        EXPECT_EQ(port.Pen(), (platform::Point{s.CellWidth * (col - 1) + 4, row * s.CellHeight - 3}));
        EXPECT_EQ(s.PenRow(), row) << "size " << size;
        EXPECT_EQ(s.PenColumn(), col) << "size " << size;
      }
  }
}

TEST_F(ScreenTest, PenPlacementVariants) {
  s.MoveToCellFixed(2, 3);
  EXPECT_EQ(port.Pen(), (platform::Point{18, 27}));
  s.MoveToCellUnder(2, 3);
  EXPECT_EQ(port.Pen(), (platform::Point{18, 25}));
  s.MoveToStatusLine(9, 1);
  EXPECT_EQ(port.Pen(), (platform::Point{4, 114 - 14 + 15 + 0 - 2}));
  // Only 16 pixels are left below row 6: the margin lifts the pen to keep 19.
  s.MoveToCellClamped(6, 1, 12);
  const int y0 = 6 * 15 - 6, e = 114 - y0 - 14;
  EXPECT_EQ(s.StatusMargin, 19 - e);
  EXPECT_EQ(port.Pen().v, y0 - (19 - e));
  s.MoveToCellOffset(6, 1);
  EXPECT_EQ(port.Pen().v, y0 - (19 - e));
  s.MoveToCellClamped(1, 1, 9);
  EXPECT_EQ(s.StatusMargin, 0);
}

TEST_F(ScreenTest, FinishCursorMoveRecordsWhereTheRunStarts) {
  s.WriteProtectMode = 1;
  s.ProtectFieldMode = 1;
  s.ScreenProtect(2, 4) = 1;
  Cursor(2, 4);
  s.FinishCursorMove();
  EXPECT_EQ(s.CursorCol(), 5);
  EXPECT_EQ(s.ProtectFieldStart, 5);
  EXPECT_EQ(s.LastMoveCol, 5);
  EXPECT_EQ(s.LastMoveRow, 2);
}

}  // namespace
}  // namespace korvane
