// The sequences both interpreter families share: fills and boxes at the
// cursor (whose parameters the host codes as value + 31), and the private
// sequences of the extended ANSI mode. Whatever the host asks, nothing is
// written beyond the screen.

#include <gtest/gtest.h>

#include <string>

#include "VtFixture.h"

namespace korvane {
namespace {

using testing_support::VtTest;

// A byte that codes `value` for the ESC c forms.
std::string Coded(int value) { return std::string(1, static_cast<char>(value + 31)); }

class SharedSequences : public VtTest {
 protected:
  // Calls a shared handler with its parameter bytes waiting on the connection,
  // as an interpreter does after reading the command's letters.
  void Run(void (HostSequences::*handler)(HostInput&), const std::string& bytes) {
    pty->Feed(bytes);
    (shared.*handler)(in());
  }
  // True when no cell outside rows 1..24 and columns 1..80 holds anything.
  bool NothingBeyondTheScreen() {
    for (int r = 1; r < ScreenPlanes::kRows; ++r)
      for (int c = 1; c < ScreenPlanes::kCols; ++c)
        if ((r > 24 || c > 80) && (screen().ScreenChars(r, c) != 0 || screen().ScreenAttrs(r, c) != 0)) return false;
    return true;
  }
};

TEST_F(SharedSequences, FillWritesTheBlockFromTheCursor) {
  Cursor(2, 3);
  Run(&HostSequences::PutCharAtAddress, Coded(3) + Coded(6) + "#");
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(Row(2), "  ####");
  EXPECT_EQ(Row(3), "  ####");
  EXPECT_EQ(Row(4), "");
  EXPECT_EQ(CursorAt(), std::make_pair(2, 3));
  EXPECT_EQ(port.Pen(), (platform::Point{screen().CellWidth * 2 + 4, 2 * screen().CellHeight - 3}));
}

TEST_F(SharedSequences, FillReadsADashBetweenItsValues) {
  Cursor(1, 1);
  Run(&HostSequences::PutCharAtAddress, Coded(1) + "-" + Coded(3) + "*");
  EXPECT_EQ(Row(1), "***");
}

TEST_F(SharedSequences, AFillWhoseCornerLiesBeforeTheCursorFillsTheCursorCell) {
  Cursor(5, 10);
  Run(&HostSequences::PutCharAtAddress, Coded(2) + Coded(3) + "=");
  EXPECT_EQ(Row(4), "");
  EXPECT_EQ(Row(5), std::string(9, ' ') + "=");
  EXPECT_EQ(Row(6), "");
}

TEST_F(SharedSequences, AFillBeyondTheScreenStopsAtItsEdges) {
  opt().NationalCharsOff = 1;  // the values keep their eighth bit: up to 224
  Cursor(20, 70);
  Run(&HostSequences::PutCharAtAddress, "\xff\xff@");
  EXPECT_EQ(Row(24), std::string(69, ' ') + std::string(11, '@'));
  EXPECT_TRUE(NothingBeyondTheScreen());
}

TEST_F(SharedSequences, TheSecondFillLeavesProtectedCellsAlone) {
  Feed("abcdef");
  screen().ScreenProtect(1, 3) = 1;
  screen().WriteProtectMode = 1;
  Cursor(1, 1);
  Run(&HostSequences::PutCharAtAddress2, Coded(1) + Coded(5) + ".");
  EXPECT_EQ(Row(1), "..c..f");
}

TEST_F(SharedSequences, AHostThatStopsMidFillChangesNothing) {
  Cursor(1, 1);
  Run(&HostSequences::PutCharAtAddress, Coded(3));
  EXPECT_EQ(Row(1), "");
}

TEST_F(SharedSequences, TheSmallestBoxHasCornersAndOneLineEach) {
  Cursor(3, 4);
  Run(&HostSequences::DrawBoxFromHost, Coded(1) + Coded(1));
  // Top-left, horizontal, top-right; bottom-left, horizontal, bottom-right.
  EXPECT_EQ(Row(3), "   \xde\xe6\xdf");
  EXPECT_EQ(Row(4), "   \xdd\xe6\xe1");
  EXPECT_EQ(Row(5), "");
  EXPECT_EQ(CursorAt(), std::make_pair(3, 4));
}

TEST_F(SharedSequences, ABoxHasItsRightEdgeWidthMinusOneColumnsOn) {
  Cursor(1, 1);
  Run(&HostSequences::DrawBoxFromHost, Coded(5) + Coded(4));
  EXPECT_EQ(Row(1), "\xde\xe6\xe6\xe6\xdf");
  EXPECT_EQ(Row(2), "\xe2   \xe2");
  EXPECT_EQ(Row(3), "\xe2   \xe2");
  EXPECT_EQ(Row(4), "\xdd\xe6\xe6\xe6\xe1");
}

TEST_F(SharedSequences, BoxesUseTheCodePageGlyphsWithoutTheProgramFont) {
  opt().ProgramFontOption = 0;
  Cursor(1, 1);
  Run(&HostSequences::DrawBoxFromHost, Coded(3) + Coded(2));
  EXPECT_EQ(Row(1), "\xda\xc4\xbf");
  EXPECT_EQ(Row(2), "\xc0\xc4\xd9");
}

TEST_F(SharedSequences, ABoxAtTheScreenEdgeIsCutThere) {
  opt().NationalCharsOff = 1;
  Cursor(24, 80);
  Run(&HostSequences::DrawBoxFromHost, "\xff\xff");
  EXPECT_EQ(screen().ScreenChars(24, 80), 0xde);
  for (const auto& [row, col] : {std::pair{24, 1}, std::pair{1, 80}, std::pair{23, 79}}) {
    Cursor(row, col);
    Run(&HostSequences::DrawBoxFromHost, "\xff\xff");
  }
  EXPECT_TRUE(NothingBeyondTheScreen());
}

TEST_F(SharedSequences, TheSecondBoxReachesTheCornerItNames) {
  Cursor(2, 2);
  Run(&HostSequences::DrawBoxFromHost2, Coded(4) + "-" + Coded(6));
  EXPECT_EQ(Row(2), " \xde\xe6\xe6\xe6\xdf");
  EXPECT_EQ(Row(4), " \xdd\xe6\xe6\xe6\xe1");
}

struct PrivateAnswerCase {
  const char* name;
  std::string bytes;
  int16_t colourModeB;
  int8_t extendedActive;
  std::string answer;
};

class PrivateAnswers : public VtTest, public ::testing::WithParamInterface<PrivateAnswerCase> {};

TEST_P(PrivateAnswers, AnswerWithTheStatus) {
  opt().ExtendedAnsiMode = 1;
  opt().ColourModeB = GetParam().colourModeB;
  session.vt.ExtendedAnsiActive = GetParam().extendedActive;
  Feed(GetParam().bytes + "x");
  EXPECT_EQ(Answer(), GetParam().answer);
  EXPECT_EQ(Row(1), "x");
}

INSTANTIATE_TEST_SUITE_P(Extended, PrivateAnswers,
                         ::testing::Values(PrivateAnswerCase{"Identity", "\x1b[=5c", 0, 0, "\x02\r38\r"},
                                           PrivateAnswerCase{"ColourStatus", "\x1b[=10n", 1, 1, "\x02\r0;1;0;1\r"},
                                           PrivateAnswerCase{"ColourStatusOff", "\x1b[=10n", 0, 0, "\x02\r0;0;0;0\r"},
                                           PrivateAnswerCase{"SelectorNine", "\x1b[=9n", 0, 0, "\x02\r1;\r"},
                                           PrivateAnswerCase{"Unknown", "\x1b[=7q", 0, 0, ""}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, APrivateBoxClearsItsRegionAndFramesItOneCellOutside) {
  opt().ExtendedAnsiMode = 1;
  for (int r = 1; r <= 7; ++r) Feed(std::string(12, 'o') + (r < 7 ? "\r\n" : ""));
  Feed("\x1b[4;5H\x1b[>2;3;5;10;65x");
  EXPECT_EQ(Row(1), "o\xde\xe6\xe6\xe6\xe6\xe6\xe6\xe6\xe6\xcao");
  for (int r = 2; r <= 5; ++r) EXPECT_EQ(Row(r), "o\xe2        \xdao") << "row " << r;
  EXPECT_EQ(Row(6), "o\xdd\xdb\xdb\xdb\xdb\xdb\xdb\xdb\xdb\xefo");
  EXPECT_EQ(Row(7), std::string(12, 'o'));
  EXPECT_EQ(CursorAt(), std::make_pair(4, 5));
}

TEST_F(VtTest, AReverseBoxHasNoShadowAndADoubleStyleHasDoubleLines) {
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b[7m\x1b[>2;2;2;3;70x");
  EXPECT_EQ(Row(1), "\xde\xe6\xe6\xdf");
  EXPECT_EQ(screen().ScreenAttrs(2, 3), kAttrReverse);
  Feed("\x1b[0m\x1b[>6;2;6;3;66x");
  EXPECT_EQ(Row(5), "\xf3\xe8\xe8\xf4");
  EXPECT_EQ(Row(7), "\xf2\xe8\xe8\xf6");
}

TEST_F(VtTest, StyleZeroOnlyClearsTheRegion) {
  opt().ExtendedAnsiMode = 1;
  Feed("abcdef\x1b[>1;2;1;3;0x");
  EXPECT_EQ(Row(1), "    ef");
}

TEST_F(VtTest, APrivateBoxBeyondTheScreenIsCutAtItsEdges) {
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b[>0;0;99999999;99999999;1x\x1b[>30;70;9999;9999;66x");
  EXPECT_EQ(screen().ScreenChars(1, 1), 0);  // the frame's corner lies outside
  for (int r = 1; r < ScreenPlanes::kRows; ++r)
    for (int c = 81; c < ScreenPlanes::kCols; ++c) ASSERT_EQ(screen().ScreenChars(r, c), 0) << r << "," << c;
  for (int c = 1; c < ScreenPlanes::kCols; ++c) ASSERT_EQ(screen().ScreenChars(25, c), 0) << c;
}

TEST_F(VtTest, PrivatePagesSaveAndRecallByNumber) {
  opt().ExtendedAnsiMode = 1;
  Feed("page three\x1b[>3p\x1b[2Jother\x1b[>3q");
  EXPECT_EQ(Row(1), "page three");
  Feed("\x1b[>0p");  // clamped to page 1
  EXPECT_EQ(session.screen.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 'p');
}

TEST_F(VtTest, ABrokenPrivateSequenceDrawsNothing) {
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b[>2;3h\x1b[>2;3;4c\x1b[>2;3;4;5;6yZ");
  EXPECT_EQ(Row(1), "Z");
  EXPECT_EQ(Row(2), "");
}

TEST_F(VtTest, OrdinarySequencesStillWorkInTheExtendedMode) {
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b[3;4HX\x1b[1mY\x1b[6n");
  EXPECT_EQ(Row(3), "   XY");
  EXPECT_EQ(screen().ScreenAttrs(3, 5), kAttrBold);
  EXPECT_EQ(Answer(), "\x1b[3;6R");
}

TEST_F(VtTest, ExtendedColourSelectionByEscStar) {
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b*,A\x1b*$B");
  EXPECT_EQ(opt().ColourModeB, 1);
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 1);
  EXPECT_EQ(screen().ScreenBackColours(1, 2), 2);
}

}  // namespace
}  // namespace korvane
