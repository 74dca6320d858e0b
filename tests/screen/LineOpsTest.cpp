// Line feed, scrolling, line insert and delete, and the character shifts.

#include "ScreenFixture.h"

namespace korvane {
namespace {

using testing_support::ScreenTest;

TEST_F(ScreenTest, LineFeedBelowTheLastRowScrollsTheScreenAndItsPixels) {
  FillScreen();
  Cursor(4, 3);
  s.ScrollIfPastBottom();
  EXPECT_EQ(Row(1), "KLMNOPQRST");
  EXPECT_EQ(Row(3), "efghijklmn");
  EXPECT_EQ(Row(4), "..........");
  EXPECT_EQ(s.CursorRow(), 4);
  EXPECT_EQ(s.CursorCol(), 3);
  const auto scrolls = port.Of("ScrollRect");
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].rect, (Rect{0, 0, 80, 60}));
  EXPECT_EQ(scrolls[0].dv, -15);
  EXPECT_EQ(port.Pen(), (platform::Point{18, 57}));
}

TEST_F(ScreenTest, LineFeedInsideTheScreenOnlyMovesTheCursor) {
  FillScreen();
  Cursor(2, 5);
  s.ScrollIfPastBottom();
  EXPECT_EQ(s.CursorRow(), 3);
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_TRUE(port.Of("ScrollRect").empty());
}

TEST_F(ScreenTest, LineFeedOnTheLastRowWithNoScrollKeepsEverything) {
  FillScreen();
  s.NoScrollMode = 1;
  Cursor(4, 1);
  s.ScrollIfPastBottom();
  EXPECT_EQ(s.CursorRow(), 4);
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(Row(4), "efghijklmn");
}

TEST_F(ScreenTest, ScrollWithScrollBackOffStoresNothing) {
  FillScreen();
  opt.ScrollBackOn = 0;
  const int16_t pos = s.ScrollBackLinePos;
  s.ScrollUpIntoScrollback();
  EXPECT_EQ(s.ScrollBackLinePos, pos);
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 1, 1), 0);
  EXPECT_EQ(Row(1), "KLMNOPQRST");
}

TEST_F(ScreenTest, RegionStartingOnRowOneScrollsTheWholeScreen) {
  FillScreen();
  s.ScrollTop = 1;
  s.ScrollBottom = 4;
  s.ScrollUpIntoScrollback();
  EXPECT_EQ(Row(1), "KLMNOPQRST");
  EXPECT_EQ(Row(4), "..........");
}

TEST_F(ScreenTest, RegionBelowRowOneKeepsTheRowsAboveIt) {
  FillScreen();
  s.ScrollTop = 2;
  s.ScrollBottom = 3;
  s.ScrollUpIntoScrollback();
  // A region bottom makes it the last screen row for the scroll.
  EXPECT_EQ(s.ScreenRows, 3);
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(Row(2), "UVWXYZabcd");
  EXPECT_EQ(Row(3), "..........");
  EXPECT_EQ(Row(4), "efghijklmn");
  EXPECT_EQ(s.CursorRow(), 3);
}

TEST_F(ScreenTest, RegionWithOpenBottomPutsTheCursorOnTheLastRowNotRowZero) {
  FillScreen();
  s.ScrollTop = 2;
  s.ScrollBottom = 0;
  s.ScrollUpIntoScrollback();
  EXPECT_EQ(s.CursorRow(), 4);
}

struct RegionCase {
  const char* name;
  int16_t top, bottom;
  bool down;
  std::array<const char*, 4> rows;
};

class RegionScroll : public ScreenTest, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(RegionScroll, MovesOnlyTheRegion) {
  const auto& c = GetParam();
  FillScreen();
  s.ScrollTop = c.top;
  s.ScrollBottom = c.bottom;
  c.down ? s.ScrollRegionDown() : s.ScrollRegionUp();
  for (int r = 0; r < 4; ++r) EXPECT_EQ(Row(r + 1), c.rows[r]) << "row " << r + 1;
  EXPECT_EQ(s.ScrollTop, c.top) << "the region is left as the host set it";
  EXPECT_EQ(s.ScrollBottom, c.bottom);
}

const RegionCase kRegionCases[] = {
    {"DownWholeScreen", 0, 0, true, {"..........", "ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd"}},
    {"UpWholeScreen", 0, 0, false, {"KLMNOPQRST", "UVWXYZabcd", "efghijklmn", ".........."}},
    {"DownInsideRegion", 2, 3, true, {"ABCDEFGHIJ", "..........", "KLMNOPQRST", "efghijklmn"}},
    {"UpInsideRegion", 2, 3, false, {"ABCDEFGHIJ", "UVWXYZabcd", "..........", "efghijklmn"}},
    {"BottomBeyondTheScreenIsCut", 3, 90, false, {"ABCDEFGHIJ", "KLMNOPQRST", "efghijklmn", ".........."}},
    {"InvertedRegionDoesNothing", 3, 2, true, {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"}},
};
INSTANTIATE_TEST_SUITE_P(LineOps, RegionScroll, ::testing::ValuesIn(kRegionCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ScreenTest, DeleteLineMovesRowsUpAndEndsInColumnOne) {
  FillScreen();
  Put(5, 1, "STATUS");
  s.ScrollTop = 3;  // line edits ignore the region
  Cursor(2, 7);
  s.DeleteLineAtCursor();
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(Row(2), "UVWXYZabcd");
  EXPECT_EQ(Row(3), "efghijklmn");
  EXPECT_EQ(Row(4), "..........") << "the status row is not pulled into the screen";
  EXPECT_EQ(Row(5, 6), "STATUS");
  EXPECT_EQ(s.CursorRow(), 2);
  EXPECT_EQ(s.CursorCol(), 1);
  const auto scrolls = port.Of("ScrollRect");
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].rect, (Rect{0, 15, 80, 60}));
  EXPECT_EQ(scrolls[0].dv, -15);
}

TEST_F(ScreenTest, InsertLineMovesRowsDownAndLeavesTheCursor) {
  FillScreen();
  Cursor(2, 7);
  s.InsertLineAtCursor();
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(Row(2), "..........");
  EXPECT_EQ(Row(3), "KLMNOPQRST");
  EXPECT_EQ(Row(4), "UVWXYZabcd");
  EXPECT_EQ(s.CursorRow(), 2);
  EXPECT_EQ(s.CursorCol(), 7);
  EXPECT_EQ(port.Of("ScrollRect").at(0).dv, 15);
}

TEST_F(ScreenTest, InsertLineOnRowOneStaysInsideThePlanes) {
  FillScreen();
  Cursor(1, 1);
  s.InsertLineAtCursor();
  EXPECT_EQ(Row(1), "..........");
  EXPECT_EQ(Row(2), "ABCDEFGHIJ");
}

TEST_F(ScreenTest, LineEditsDoNothingInWyseColourModeWithWriteProtect) {
  FillScreen();
  s.WyseColourAttributes = 1;
  s.WriteProtectMode = 1;
  Cursor(2, 1);
  s.DeleteLineAtCursor();
  s.InsertLineAtCursor();
  EXPECT_EQ(Row(2), "KLMNOPQRST");
  EXPECT_EQ(Row(3), "UVWXYZabcd");
}

TEST_F(ScreenTest, WyseColourLineEditsKeepAttributesRightOfTheLineWidth) {
  FillScreen();
  s.WyseColourAttributes = 1;
  s.ColumnsSetting = 6;
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 10; ++c) s.ScreenAttrs(r, c) = static_cast<int16_t>(r);
  s.HiddenAttrMark(2, 3) = 1;
  s.CurrentAttributeCode = 12;
  Cursor(2, 1);
  s.InsertLineAtCursor();
  EXPECT_EQ(Row(3), "KLMNOPQRST");
  EXPECT_EQ(Attrs(3), "2222223333") << "attributes moved only up to the line width";
  EXPECT_EQ(Attrs(2), "<<<<<<0000");
  EXPECT_EQ(s.HiddenAttrMark(3, 3), 1) << "the marker moved with its row";
  EXPECT_EQ(s.HiddenAttrMark(2, 3), 0);
  EXPECT_EQ(s.RepaintPending, 1);
}

TEST_F(ScreenTest, DeleteCharacterShiftsTheRestOfTheLineLeft) {
  Put(1, 1, "ABCDEFGHIJ", kAttrBold);
  s.ScreenForeColours(1, 5) = 7;
  Cursor(1, 1);
  s.ShiftLineLeftAtCursor();
  EXPECT_EQ(Row(1), "BCDEFGHIJ.");
  EXPECT_EQ(s.ScreenForeColours(1, 5), 7) << "colours stay where they are";
  EXPECT_EQ(s.RedrawCounter, 1);
}

TEST_F(ScreenTest, InsertCharacterShiftsRightAndPastTheMargin) {
  Put(1, 1, "ABCDEFGHIJ");
  Cursor(1, 3);
  s.ShiftLineRightAtCursor();
  EXPECT_EQ(Row(1, 11), "ABCCDEFGHIJ");
  EXPECT_EQ(s.CursorCol(), 2) << "the writer stores at the column before the pen";
}

TEST_F(ScreenTest, ShiftDrawsThePendingRunFirst) {
  Put(1, 1, "ABC");
  s.PendingRun = "ABC";
  Cursor(1, 1);
  s.ShiftLineLeftAtCursor();
  EXPECT_EQ(port.Texts(), std::vector<std::string>{"ABC"});
  EXPECT_TRUE(s.PendingRun.empty());
}

// ---- Scroll-back side of the scroll --------------------------------------------

class ScrollBackScreen : public ScreenTest {
 protected:
  ScrollBackScreen() : ScreenTest(570, 414) {
    opt.ScrollBackOn = 1;
    s.ScreenCols = 80;
    s.ColumnsSetting = 80;
  }
  void NumberRow(int row, int n) { Put(row, 1, "L" + std::to_string(n)); }
};

TEST_F(ScrollBackScreen, FirstScrollMirrorsTheScreenThenStoresEachLine) {
  ASSERT_EQ(s.ScreenRows, 24);
  ASSERT_EQ(s.ScrollBackLinePos, 24);
  for (int r = 1; r <= 24; ++r) NumberRow(r, r);
  s.ScrollUpIntoScrollback();
  EXPECT_EQ(s.ScrollBackLinePos, 25);
  EXPECT_EQ(s.ScrollBackViewLine, 25);
  EXPECT_EQ(s.ScrollBarUpdateNeeded, 1);
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 1, 2), '1');
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 24, 3), '4');
}

TEST_F(ScrollBackScreen, AFullStoreDropsAScreenfulOfTheOldestLines) {
  // Give every store line its number, then put the position at 958.
  for (int line = 1; line <= 960; ++line) s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, 1) = line;
  s.ScrollBackLinePos = 958;
  s.ScrollUpIntoScrollback();
  EXPECT_EQ(s.ScrollBackLinePos, 935);
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 1, 1), 25) << "old line 25 is now line 1";
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 933, 1), 957);
}

}  // namespace
}  // namespace korvane
