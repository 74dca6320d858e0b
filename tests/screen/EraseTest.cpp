// The erase primitives on a 4 x 10 screen: what they do to the planes, the
// cursor, the protect flags and the pixels.

#include <functional>

#include "ScreenFixture.h"

namespace korvane {
namespace {

using testing_support::ScreenTest;

struct EraseCase {
  const char* name;
  int row, col;
  std::function<void(Screen&)> setup;
  void (Screen::*op)();
  std::array<const char*, 4> rows;
  int cursorRow, cursorCol;
  const char* status = "STATUS";  // the status line row afterwards
};

class EraseOnPlanes : public ScreenTest, public ::testing::WithParamInterface<EraseCase> {};

TEST_P(EraseOnPlanes, ChangesExactlyTheCellsItNames) {
  const EraseCase& c = GetParam();
  FillScreen();
  Put(5, 1, "STATUS");  // the status line row below the screen
  Cursor(c.row, c.col);
  if (c.setup) c.setup(s);
  (s.*c.op)();
  for (int r = 0; r < 4; ++r) EXPECT_EQ(Row(r + 1), c.rows[r]) << "row " << r + 1;
  EXPECT_EQ(Row(5, 6), c.status) << "status line row";
  EXPECT_EQ(s.CursorRow(), c.cursorRow);
  EXPECT_EQ(s.CursorCol(), c.cursorCol);
}

const EraseCase kEraseCases[] = {
    {"LineStartToCursor",
     2,
     4,
     nullptr,
     &Screen::EraseLineStartToCursor,
     {"ABCDEFGHIJ", "....OPQRST", "UVWXYZabcd", "efghijklmn"},
     2,
     4},
    {"ScreenStartToCursor",
     3,
     3,
     nullptr,
     &Screen::EraseScreenStartToCursor,
     {"..........", "..........", "...XYZabcd", "efghijklmn"},
     3,
     3},
    // On row 1 the text right of the cursor survives.
    {"ScreenStartToCursorOnRowOne",
     1,
     4,
     nullptr,
     &Screen::EraseScreenStartToCursor,
     {"....EFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     1,
     4},
    {"CursorLine",
     2,
     5,
     nullptr,
     &Screen::EraseCursorLine,
     {"ABCDEFGHIJ", "..........", "UVWXYZabcd", "efghijklmn"},
     2,
     5},
    {"CharsFromCursor",
     1,
     3,
     [](Screen& s) { s.EraseEndColumn = 5; },
     &Screen::EraseCharsFromCursor,
     {"AB...FGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     1,
     3},
    // An end column before the cursor still erases the cursor cell.
    {"CharsFromCursorEndBeforeCursor",
     1,
     3,
     [](Screen& s) { s.EraseEndColumn = 1; },
     &Screen::EraseCharsFromCursor,
     {"AB.DEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     1,
     3},
    {"ToEndOfLine",
     2,
     4,
     nullptr,
     &Screen::EraseToEndOfLineWithFlags,
     {"ABCDEFGHIJ", "KLM.......", "UVWXYZabcd", "efghijklmn"},
     2,
     4},
    {"CursorToEndOfScreen",
     2,
     4,
     nullptr,
     &Screen::EraseCursorToEndOfScreen,
     {"ABCDEFGHIJ", "KLM.......", "..........", ".........."},
     2,
     4},
    // From the last row nothing below the screen is touched.
    {"CursorToEndOfScreenOnLastRow",
     4,
     5,
     nullptr,
     &Screen::EraseCursorToEndOfScreen,
     {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efgh......"},
     4,
     5},
    {"CharAtCursorDeletesIt",
     1,
     3,
     nullptr,
     &Screen::EraseCharAtCursor,
     {"ABDEFGHIJ.", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     1,
     3},
    {"ClearScreenAndHome",
     3,
     5,
     nullptr,
     &Screen::ClearScreenAndHome,
     {"..........", "..........", "..........", ".........."},
     1,
     1,
     "......"},
    // Cursor values beyond the screen are limited before any cell is touched.
    {"CursorBeyondTheScreenIsLimited",
     3,
     300,
     nullptr,
     &Screen::EraseToEndOfLineWithFlags,
     {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     3,
     206},
    {"CursorOnHiddenRowZeroIsRaised",
     0,
     0,
     nullptr,
     &Screen::EraseCursorLine,
     {"..........", "KLMNOPQRST", "UVWXYZabcd", "efghijklmn"},
     1,
     1},
};

INSTANTIATE_TEST_SUITE_P(Primitives, EraseOnPlanes, ::testing::ValuesIn(kEraseCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ScreenTest, ClearScreenAndHomeResetsAttributesProtectAndStyle) {
  FillScreen();
  s.ReverseOn = s.BoldOn = 1;
  s.ScreenProtect(2, 2) = 1;
  s.ScreenAttrs(3, 3) = kAttrBold;
  s.ClearScreenAndHome();
  EXPECT_EQ(s.ReverseOn + s.BoldOn, 0);
  EXPECT_EQ(s.ScreenProtect(2, 2), 0);
  EXPECT_EQ(s.ScreenAttrs(3, 3), 0);
  EXPECT_EQ(s.CursorDrawn, 0);
  EXPECT_EQ(s.CursorEraseInverse, 1);
  EXPECT_EQ(port.Pen(), (platform::Point{4, 12}));
}

TEST_F(ScreenTest, ClearScreenBuffersLeavesColourPlanesWithoutColourMode) {
  s.ScreenForeColours(1, 1) = 5;
  s.ScreenBackColours(1, 1) = 6;
  s.ClearScreenBuffers();
  EXPECT_EQ(s.ScreenForeColours(1, 1), 5);
  EXPECT_EQ(s.ScreenBackColours(1, 1), 6);
  opt.ColourModeA = 1;
  s.ClearScreenBuffers();
  EXPECT_EQ(s.ScreenForeColours(1, 1), 0);
  EXPECT_EQ(s.ScreenBackColours(1, 1), 0);
}

// ---- Protected fields ----------------------------------------------------

struct ProtectCase {
  const char* name;
  const char* text;
  int start, end;
  const char* flags;
};

class ProtectRange : public ScreenTest, public ::testing::WithParamInterface<ProtectCase> {};

TEST_P(ProtectRange, RunsOfSpacesStayWritable) {
  const auto& c = GetParam();
  Put(2, 1, c.text);
  Cursor(2, 1);
  s.ProtectFieldStart = static_cast<int16_t>(c.start);
  s.ProtectEndColumn = static_cast<int16_t>(c.end);
  s.ProtectColumnRange();
  EXPECT_EQ(Protected(2), c.flags);
  EXPECT_EQ(s.CursorRow(), 2);
}

const ProtectCase kProtectCases[] = {
    {"LettersAndTwoSpaces", "AB  CD", 1, 6, "PP--PP----"},
    {"OnlySpaces", "      ", 1, 6, "----------"},
    {"SingleSpaceStaysProtected", "A B", 1, 3, "PPP-------"},
    {"EndBeforeStartChangesNothing", "ABCDEF", 5, 2, "----------"},
    {"ErasedCellsAreNotSpaces", "A", 1, 4, "PPPP------"},
};
INSTANTIATE_TEST_SUITE_P(Primitives, ProtectRange, ::testing::ValuesIn(kProtectCases),
                         [](const auto& c) { return std::string(c.param.name); });

class ProtectModeErase : public ScreenTest {
 protected:
  // Row 2: "KLMNOPQRST" with columns 3..5 and 8 protected.
  void SetUp() override {
    FillScreen();
    s.WriteProtectMode = 1;
    for (int c : {3, 4, 5, 8}) s.ScreenProtect(2, c) = 1;
  }
};

TEST_F(ProtectModeErase, ToEndOfLineFromInsideAFieldStopsWithoutAcross) {
  Cursor(2, 4);
  s.EraseAcrossProtected = 0;
  s.EraseToEndOfLineWithFlags();
  EXPECT_EQ(Row(2), "KLMNOPQRST");
  EXPECT_EQ(s.CursorRow(), 2);
  EXPECT_EQ(s.CursorCol(), 4);
}

TEST_F(ProtectModeErase, ToEndOfLineAcrossErasesEveryWritableRun) {
  Cursor(2, 4);
  s.EraseAcrossProtected = 1;
  s.EraseToEndOfLineWithFlags();
  EXPECT_EQ(Row(2), "KLMNO..R..");
  EXPECT_EQ(Protected(2), "--PPP--P--");
  // Each run's pixels: from its first cell to the protected cell after it,
  // or to the window's edge for a run that reaches the last column.
  const auto rects = port.Of("EraseRect");
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].rect, (Rect{39, 15, 7 * 7 + 3, 30}));
  EXPECT_EQ(rects[1].rect, (Rect{60, 15, 80, 30}));
}

TEST_F(ProtectModeErase, CursorToEndOfScreenKeepsProtectedCellsAndCursor) {
  s.ScreenProtect(3, 1) = 1;
  Cursor(2, 1);
  s.EraseCursorToEndOfScreen();
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(Row(2), "..MNO..R..");
  EXPECT_EQ(Row(3), "U.........");
  EXPECT_EQ(Row(4), "..........");
  EXPECT_EQ(s.CursorRow(), 2);
  EXPECT_EQ(s.CursorCol(), 1);
}

TEST_F(ScreenTest, ErasingToEndClearsProtectFlagsOnceFieldsWereSeen) {
  FillScreen();
  s.ProtectFieldsSeen = 1;
  s.ScreenProtect(2, 6) = 1;
  s.ScreenProtect(2, 2) = 1;
  Cursor(2, 4);
  s.EraseToEndOfLineWithFlags();
  EXPECT_EQ(Protected(2), "-P--------");
  EXPECT_EQ(Row(2), "KLM.......");
}

TEST_F(ScreenTest, SkipProtectedCellsMovesPastAField) {
  for (int c : {3, 4, 5}) s.ScreenProtect(1, c) = 1;
  Cursor(1, 3);
  s.SkipProtectedCells();
  EXPECT_EQ(s.CursorCol(), 6);
  EXPECT_EQ(s.PenColumn(), 6);
  s.WyseColourAttributes = 1;
  Cursor(1, 3);
  s.SkipProtectedCells();
  EXPECT_EQ(s.CursorCol(), 3);
}

// ---- Wyse colour-attribute mode ------------------------------------------

TEST_F(ScreenTest, WyseColourModeEraseKeepsTheCurrentAttributeAndCursorMarker) {
  FillScreen();
  s.WyseColourAttributes = 1;
  s.CurrentAttributeCode = 14;
  for (int c = 1; c <= 10; ++c) s.HiddenAttrMark(2, c) = 1;
  Cursor(2, 6);
  s.EraseToEndOfLineWithFlags();
  EXPECT_EQ(Row(2), "KLMNO.....");
  EXPECT_EQ(Attrs(2), std::string("00000") + std::string(5, char('0' + 14)));
  EXPECT_EQ(s.HiddenAttrMark(2, 5), 1);
  EXPECT_EQ(s.HiddenAttrMark(2, 6), 1) << "the cursor column keeps its marker";
  EXPECT_EQ(s.HiddenAttrMark(2, 7), 0);
  EXPECT_EQ(s.RepaintPending, 1);
  EXPECT_EQ(s.RepaintWithoutErase, 1);
}

TEST_F(ScreenTest, WyseColourModeKeepsNationalCharactersUnlessTurnedOff) {
  Put(1, 1,
      "AB\xC4\xD6"
      "CD");
  s.WyseColourAttributes = 1;
  s.EraseRow = 1;
  s.EraseFromColumn = 1;
  s.EraseAcrossProtected = 1;
  Cursor(1, 1);
  s.EraseUnprotectedInRow();
  EXPECT_EQ(Row(1), "..\xC4\xD6......");
  opt.NationalCharsOff = 1;
  s.EraseUnprotectedInRow();
  EXPECT_EQ(Row(1), "..........");
}

// ---- Limits -----------------------------------------------------------------

class TallScreen : public ScreenTest {
 protected:
  // 71 rows of 6-pixel wide 9-point cells: (H - 9) div 11 - 3 - 1 = 71.
  TallScreen() : ScreenTest(570, 9 + 11 * 76) {
    opt.TextSizeValue = 9;
    s.ComputeCellMetrics();
  }
};

TEST_F(TallScreen, StatusLineEraseDoesNotTouchTheLastScreenRow) {
  ASSERT_EQ(s.ScreenRows, 71);
  Put(71, 1, "LASTROW");
  Put(72, 1, "STATUS");
  Cursor(72, 1);
  s.EraseCursorLine();
  EXPECT_EQ(Row(71, 7), "LASTROW");
  EXPECT_EQ(Row(72, 6), "......");
}

TEST_F(TallScreen, CursorFarBelowIsLimitedToThePlanes) {
  Put(71, 1, "X");
  Cursor(200, 5);
  s.EraseLineStartToCursor();
  EXPECT_EQ(s.CursorRow(), 76) << "the last status row is the lowest a primitive reaches";
  EXPECT_EQ(Row(71, 1), "X");
}

TEST_F(TallScreen, SecondStatusLineIsErasedAtTheWindowBottom) {
  Cursor(s.ScreenRows + 5, 1);
  s.EraseCursorLine();
  const auto rects = port.Of("EraseRect");
  ASSERT_FALSE(rects.empty());
  const int h = port.Height();
  EXPECT_EQ(rects.back().rect, (Rect{0, h - s.CellAscent - 1, port.Width(), h + s.CellDescent + 1}));
}

using ScreenDeathTest = ScreenTest;
TEST_F(ScreenDeathTest, IndexOutsideThePlanesStopsWithAReport) {
  EXPECT_DEATH(s.ScreenChars(126, 1), "index 126 outside ScreenChars \\(bound 126\\)");
  EXPECT_DEATH(s.ScreenProtect(1, 208), "index 208 outside ScreenProtect");
}

// ---- Pixels -------------------------------------------------------------------

struct PixelCase {
  const char* name;
  int row, col;
  void (Screen::*op)();
  Rect rect;  // the last rectangle erased
};

class ErasePixels : public ScreenTest, public ::testing::WithParamInterface<PixelCase> {};

TEST_P(ErasePixels, ErasesTheCellsBand) {
  const auto& c = GetParam();
  Cursor(c.row, c.col);
  s.EraseEndColumn = 6;
  port.Clear();
  (s.*c.op)();
  const auto rects = port.Of("EraseRect");
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.back().rect, c.rect);
  EXPECT_EQ(s.FrameRedrawPending, 1);
  EXPECT_EQ(s.GrowBoxRedrawPending, 1);
}

// Row 2's baseline is at 2 x 15 - 3 = 27; its band is 15..30.
const PixelCase kPixelCases[] = {
    {"CursorLine", 2, 4, &Screen::EraseCursorLine, {0, 15, 80, 30}},
    {"LineStartToCursorIncludesTheCursorCell", 2, 4, &Screen::EraseLineStartToCursor, {0, 15, 31, 30}},
    {"CharsFromCursor", 2, 4, &Screen::EraseCharsFromCursor, {25, 15, 45, 30}},
    {"ToEndOfLine", 2, 4, &Screen::EraseToEndOfLineWithFlags, {25, 15, 80, 30}},
    {"CursorToEndOfScreen", 2, 4, &Screen::EraseCursorToEndOfScreen, {0, 30, 80, 60}},
};
INSTANTIATE_TEST_SUITE_P(Primitives, ErasePixels, ::testing::ValuesIn(kPixelCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ScreenTest, EraseColourFollowsTheSessionBackgroundOrTheCurrentOne) {
  opt.BackgroundColour = 18;
  s.CurrentBackColour = 2;
  Cursor(1, 1);
  s.EraseCursorLine();
  EXPECT_EQ(port.Of("EraseRect").back().back, kScreenPalette[18]);
  opt.ExtendedAnsiMode = 1;
  s.EraseCursorLine();
  EXPECT_EQ(port.Of("EraseRect").back().back, kScreenPalette[2]);
  // In colour mode A the host's background fills what it erases, in the
  // pixels and in the cells, and the window's own background stays.
  opt.ExtendedAnsiMode = 0;
  opt.ColourModeA = 1;
  s.EraseCursorLine();
  EXPECT_EQ(port.Of("EraseRect").back().back, kScreenPalette[2]);
  EXPECT_EQ(s.ScreenBackColours(1, 1), 2);
  EXPECT_EQ(s.BackgroundColour, 18);
  EXPECT_EQ(opt.BackgroundColour, 18);
  // The session's own background erases to 0: the window's background.
  s.CurrentBackColour = 18;
  s.EraseCursorLine();
  EXPECT_EQ(s.ScreenBackColours(1, 1), 0);
}

}  // namespace
}  // namespace korvane
