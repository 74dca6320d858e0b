// Control sequences of the VT interpreter: cursor addressing and movement,
// scroll regions, erasing, modes, device answers, stored pages, the dotted
// forms and the SCO console sequences; with their parameter edge cases
// (missing, zero, overlong, beyond the screen).

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "VtFixture.h"

namespace korvane {
namespace {

using testing_support::VtTest;

struct SequenceCase {
  const char* name;
  std::string stream;
  std::vector<std::pair<int, std::string>> rows;  // row number, its text
  int row, col;                                   // the cursor afterwards
  std::string answer = "";                        // what went back to the host
};

class VtSequence : public VtTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(VtSequence, ActsAsTheTerminalDoes) {
  const SequenceCase& c = GetParam();
  Feed(c.stream);
  for (const auto& [row, text] : c.rows) EXPECT_EQ(Row(row), text) << "row " << row;
  EXPECT_EQ(CursorAt(), std::make_pair(c.row, c.col));
  EXPECT_EQ(Answer(), c.answer);
}

std::string Spaces(int n) { return std::string(static_cast<size_t>(n), ' '); }

// Rows 1..5 read "1".."5".
const std::string kFiveRows = "1\r\n2\r\n3\r\n4\r\n5";

INSTANTIATE_TEST_SUITE_P(
    Addressing, VtSequence,
    ::testing::Values(
        SequenceCase{"RowAndColumn", "\x1b[5;10HX", {{5, Spaces(9) + "X"}}, 5, 11},
        SequenceCase{"HomeWithoutParameters", "abc\x1b[HX", {{1, "Xbc"}}, 1, 2},
        SequenceCase{"RowAloneMeansColumnOne", "\x1b[7HX", {{7, "X"}}, 7, 2},
        SequenceCase{"TwoDigitRowAlone", "\x1b[12HX", {{12, "X"}}, 12, 2},
        SequenceCase{"MissingRowIsOne", "\x1b[;5HX", {{1, Spaces(4) + "X"}}, 1, 6},
        SequenceCase{"MissingColumnIsOne", "\x1b[5;HX", {{5, "X"}}, 5, 2},
        SequenceCase{"ZerosAreOne", "\x1b[0;0HX", {{1, "X"}}, 1, 2},
        SequenceCase{"ColumnBeyondTheScreenStopsAtTheLast", "\x1b[2;99HX", {{2, Spaces(79) + "X"}, {3, ""}}, 2, 81},
        SequenceCase{"ColumnOfThreeDigits", "\x1b[1;100H", {}, 1, 80},
        SequenceCase{"TheLineBelowTheScreenIsAccepted", "\x1b[25;3H", {}, 25, 3},
        SequenceCase{"RowsFurtherDownAreRefused", "\x1b[4;4H\x1b[26;1H", {}, 4, 4},
        SequenceCase{"HugeRowsAreRefused", "\x1b[4;4H\x1b[99999999999;1H", {}, 4, 4},
        SequenceCase{"AThreeDigitRowKeepsItsLastTwoDigits", "\x1b[123;5H", {}, 23, 5},
        SequenceCase{"RowOneHundredIsRowOne", "\x1b[100;5H", {}, 1, 5},
        SequenceCase{"HvpAddressesAsWell", "\x1b[3;4fX", {{3, "   X"}}, 3, 5},
        SequenceCase{"HvpTakesLineGraphicsAway", "\x1b(0\x1b[1;1fq", {{1, "q"}}, 1, 2},
        SequenceCase{"MoreThanTwoParametersAreNoAddress", "\x1b[3;3H\x1b[5;6;7HX", {{3, "  X"}}, 3, 4}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Movement, VtSequence,
    ::testing::Values(SequenceCase{"UpByCount", "\x1b[10;10H\x1b[3A", {}, 7, 10},
                      SequenceCase{"UpStopsAtRowOne", "\x1b[3;3H\x1b[99A", {}, 1, 3},
                      SequenceCase{"UpWithoutParameterMovesOne", "\x1b[3;3H\x1b[A", {}, 2, 3},
                      SequenceCase{"UpByZeroMovesOne", "\x1b[3;3H\x1b[0A", {}, 2, 3},
                      SequenceCase{"DownStopsAtTheLastRow", "\x1b[3;3H\x1b[99B", {}, 24, 3},
                      SequenceCase{"RightStopsAtTheLastColumn", "\x1b[3;3H\x1b[99C", {}, 3, 80},
                      SequenceCase{"RightWithoutParameterMovesOne", "ab\x1b[CX", {{1, "ab X"}}, 1, 5},
                      SequenceCase{"LeftStopsAtColumnOne", "\x1b[3;3H\x1b[99D", {}, 3, 1},
                      SequenceCase{"LeftByCount", "abcdef\x1b[2DX", {{1, "abcdXf"}}, 1, 6},
                      SequenceCase{"ThreeDigitCountsClampAtTheEdge", "\x1b[3;3H\x1b[200C", {}, 3, 80},
                      SequenceCase{"UpStopsAtTheRegionTop", "\x1b[5;10r\x1b[8;1H\x1b[9A", {}, 5, 1}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Erasing, VtSequence,
    ::testing::Values(
        SequenceCase{"LineToEnd", "abcdef\x1b[1;3H\x1b[K", {{1, "ab"}}, 1, 3},
        SequenceCase{"LineToEndExplicit", "abcdef\x1b[1;3H\x1b[0K", {{1, "ab"}}, 1, 3},
        SequenceCase{"LineStartToCursor", "abcdef\x1b[1;3H\x1b[1K", {{1, "   def"}}, 1, 3},
        SequenceCase{"WholeLine", "abcdef\r\nxy\x1b[1;3H\x1b[2K", {{1, ""}, {2, "xy"}}, 1, 3},
        SequenceCase{"ScreenToEnd", kFiveRows + "\x1b[3;1H\x1b[J", {{2, "2"}, {3, ""}, {4, ""}}, 3, 1},
        SequenceCase{"ScreenToEndGoesToColumnOne", kFiveRows + "\x1b[3;2H\x1b[0J", {{3, "3"}, {4, ""}}, 3, 1},
        SequenceCase{"ScreenStartToCursor", kFiveRows + "\x1b[3;1H\x1b[1J", {{2, ""}, {3, ""}, {4, "4"}}, 3, 1},
        SequenceCase{"WholeScreenKeepsTheRow", kFiveRows + "\x1b[3;4H\x1b[2J", {{1, ""}, {5, ""}}, 3, 1},
        SequenceCase{"UnknownEraseIsDropped", "abc\x1b[1;2H\x1b[3J", {{1, "abc"}}, 1, 2},
        SequenceCase{"Characters", "abcdef\x1b[1;2H\x1b[3X", {{1, "a   ef"}}, 1, 2},
        SequenceCase{"CharactersStopAtTheMargin", "\x1b[1;78Habc\x1b[1;79H\x1b[999X", {{1, Spaces(77) + "a"}}, 1, 79},
        SequenceCase{"CharactersWithoutACount", "abcdef\x1b[1;2H\x1b[X", {{1, "a cdef"}}, 1, 2},
        SequenceCase{"DeleteCharacterKeepsTheCursor", "abcdef\x1b[1;3H\x1b[1P", {{1, "abdef"}}, 1, 3},
        SequenceCase{"DeleteCharactersByCount", "abcdefgh\x1b[1;3H\x1b[3P", {{1, "abfgh"}}, 1, 3},
        SequenceCase{"DeleteWithoutOrWithZeroCountDeletesOne", "abcdef\x1b[1;2H\x1b[P\x1b[0P", {{1, "adef"}}, 1, 2},
        SequenceCase{
            "DeletePullsInBlanksAtTheMargin", Spaces(75) + "abcde\x1b[1;77H\x1b[9P", {{1, Spaces(75) + "a"}}, 1, 77},
        SequenceCase{"InsertBlanksByCount", "abcdef\x1b[1;3H\x1b[2@", {{1, "ab  cdef"}}, 1, 3},
        SequenceCase{"InsertWithoutCountInsertsOne", "abcdef\x1b[1;3H\x1b[@X", {{1, "abXcdef"}}, 1, 4},
        SequenceCase{"InsertPushesCharactersPastTheMarginOut",
                     Spaces(75) + "abcde\x1b[1;77H\x1b[2@",
                     {{1, Spaces(75) + "a  bc"}, {2, ""}},
                     1,
                     77},
        SequenceCase{"InsertLine", kFiveRows + "\x1b[2;1H\x1b[L", {{2, ""}, {3, "2"}}, 2, 1},
        SequenceCase{"InsertLinesByCountGoesToColumnOne",
                     kFiveRows + "\x1b[2;3H\x1b[2L",
                     {{2, ""}, {3, ""}, {4, "2"}, {7, "5"}},
                     2,
                     1},
        SequenceCase{"DeleteLine", kFiveRows + "\x1b[2;1H\x1b[M", {{2, "3"}, {5, ""}}, 2, 1},
        SequenceCase{"DeleteLinesByCount", kFiveRows + "\x1b[2;1H\x1b[3M", {{1, "1"}, {2, "5"}, {3, ""}}, 2, 1},
        SequenceCase{"DeleteMoreLinesThanThereAre",
                     kFiveRows + "\x1b[22;1Hx\x1b[24;1Hy\x1b[22;1H\x1b[99M",
                     {{5, "5"}, {22, ""}, {24, ""}},
                     22,
                     1}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Regions, VtSequence,
    ::testing::Values(
        SequenceCase{"ALineFeedScrollsOnlyTheRegion",
                     kFiveRows + "\x1b[2;4r\x1b[4;1H\nX",
                     {{1, "1"}, {2, "3"}, {3, "4"}, {4, "X"}, {5, "5"}},
                     4,
                     2},
        SequenceCase{"SettingARegionHomes", "\x1b[5;5H\x1b[2;4r", {}, 1, 1},
        SequenceCase{"TopWithoutBottomTakesTheRegionAway",
                     kFiveRows + "\x1b[2;4r\x1b[2;r\x1b[4;1H\n",
                     {{2, "2"}, {5, "5"}},
                     5,
                     1},
        SequenceCase{
            "NoParametersTakeTheRegionAway", kFiveRows + "\x1b[2;4r\x1b[r\x1b[4;1H\n", {{2, "2"}, {5, "5"}}, 5, 1},
        SequenceCase{"AnInvertedRegionIsIgnored", "\x1b[3;3H\x1b[9;4r", {}, 3, 3},
        SequenceCase{
            "ABottomBeyondTheScreenStopsAtItsEnd", "\x1b[20;99r\x1b[24;1Hz\nX", {{23, "z"}, {24, " X"}}, 24, 3},
        SequenceCase{"LineFeedsBelowTheRegionMoveDown", "\x1b[1;10r\x1b[12;1H\n\nX", {{12, ""}, {14, "X"}}, 14, 2},
        SequenceCase{
            "LineFeedBelowTheRegionStopsAtTheLastRow", "top\x1b[1;10r\x1b[24;1HA\nB", {{1, "top"}, {24, "AB"}}, 24, 3},
        SequenceCase{"InsertLinesStayWithinTheRegion",
                     kFiveRows + "\x1b[2;4r\x1b[3;1H\x1b[5L",
                     {{2, "2"}, {3, ""}, {4, ""}, {5, "5"}},
                     3,
                     1},
        SequenceCase{"DeleteLinesStayWithinTheRegion",
                     kFiveRows + "\x1b[2;4r\x1b[2;1H\x1b[M",
                     {{2, "3"}, {3, "4"}, {4, ""}, {5, "5"}},
                     2,
                     1},
        SequenceCase{"LinesOutsideTheRegionAreNotInserted", kFiveRows + "\x1b[2;4r\x1b[5;2H\x1b[L", {{5, "5"}}, 5, 2},
        SequenceCase{"AWrapAtTheRegionBottomScrollsTheRegion",
                     kFiveRows + "\x1b[2;4r\x1b[4;80Hab",
                     {{1, "1"}, {2, "3"}, {3, "4" + Spaces(78) + "a"}, {4, "b"}, {5, "5"}},
                     4,
                     2},
        SequenceCase{"IndexAtTheRegionBottomScrollsIt",
                     kFiveRows + "\x1b[2;4r\x1b[4;1H\x1b"
                                 "DX",
                     {{1, "1"}, {2, "3"}, {4, "X"}, {5, "5"}},
                     4,
                     2},
        SequenceCase{"ReverseIndexAtTheRegionTopScrollsIt",
                     kFiveRows + "\x1b[2;4r\x1b[2;1H\x1bMX",
                     {{1, "1"}, {2, "X"}, {3, "2"}, {4, "3"}, {5, "5"}},
                     2,
                     2},
        SequenceCase{"OriginModeAddressesWithinTheRegion",
                     "\x1b[5;10r\x1b[?6h\x1b[1;1HX\x1b[99;1HY",
                     {{5, "X"}, {10, "Y"}},
                     10,
                     2},
        SequenceCase{"OriginModeOffHomes", "\x1b[5;10r\x1b[?6h\x1b[?6lX", {{1, "X"}}, 1, 2}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Answers, VtSequence,
    ::testing::Values(
        SequenceCase{"CursorPositionReport", "\x1b[5;12H\x1b[6n", {}, 5, 12, "\x1b[5;12R"},
        SequenceCase{
            "CursorReportWithinTheRegionInOriginMode", "\x1b[5;10r\x1b[?6h\x1b[3;7H\x1b[6n", {}, 7, 7, "\x1b[3;7R"},
        SequenceCase{"PrimaryAttributes", "\x1b[c", {}, 1, 1, "\x1b[?62;1;2;6;7;8c"},
        SequenceCase{"PrimaryAttributesWithZero", "\x1b[0c", {}, 1, 1, "\x1b[?62;1;2;6;7;8c"},
        SequenceCase{"SecondaryAttributes", "\x1b[>c\x1b[>0c", {}, 1, 1, "\x1b[>1;10;0c\x1b[>1;10;0c"},
        SequenceCase{"OtherReportsAreNotAnswered", "\x1b[5n\x1b[1c\x1b[>1c", {}, 1, 1, ""}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Malformed, VtSequence,
    ::testing::Values(SequenceCase{"UnknownFinalsAreDropped", "a\x1b[5~b\x1b[?1049hc\x1b[3;2tx", {{1, "abcx"}}, 1, 5},
                      SequenceCase{"IntermediatesAreDropped", "a\x1b[62;1\"pb", {{1, "ab"}}, 1, 3},
                      SequenceCase{"SubParametersAreDropped", "a\x1b[4:3mb", {{1, "ab"}}, 1, 3},
                      SequenceCase{"AControlEndsTheSequenceAndActs", "abc\x1b[2\rX", {{1, "Xbc"}}, 1, 2},
                      SequenceCase{"AnEscapeStartsANewSequence", "\x1b[5\x1b[2;2HX", {{2, " X"}}, 2, 3},
                      SequenceCase{"DeleteInsideIsIgnored", "\x1b[2\x7f;3HX", {{2, "  X"}}, 2, 4},
                      SequenceCase{
                          "ARowOfManyDigitsIsRefused", "\x1b[4;4H\x1b[" + std::string(200, '9') + ";1H", {}, 4, 4}),
    [](const auto& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dotted, VtSequence,
    ::testing::Values(SequenceCase{"OneCharacterColumn", "\x1b[4;4H\x1b[.5HX", {{1, "    X"}}, 1, 6},
                      SequenceCase{"TwoCharacterColumn", "\x1b[.12HX", {{1, Spaces(11) + "X"}}, 1, 13},
                      SequenceCase{"ANonDigitColumnIsOne", "\x1b[3;3H\x1b[.:HX", {{1, "X"}}, 1, 2},
                      SequenceCase{"RegionOff", kFiveRows + "\x1b[2;4r\x1b[.r\x1b[4;1H\n", {{2, "2"}}, 5, 1}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, AListOfManyParametersIsReadWithoutOverrunning) {
  std::string many = "\x1b[";
  for (int i = 0; i < 100; ++i) many += "0;";
  Feed(many + "4mX");
  // Of all the parameters only the last takes effect.
  EXPECT_EQ(screen().ScreenAttrs(1, 1), kAttrUnderline);
}

TEST_F(VtTest, WideModeInANarrowWindowGives128Columns) {
  Feed("abc\x1b[?3h");
  EXPECT_EQ(screen().ColumnsSetting, 128);
  EXPECT_EQ(opt().FontSizeMode, 1);
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(commands.calls,
            (std::vector<std::string>{"ShowWideModeMarks wide", "RedrawWindow", "SetWindowRect 20 0 399 590"}));
  EXPECT_EQ(pty->rows, 0) << "only a local shell is told its size";
  Feed("\x1b[?3l");
  EXPECT_EQ(screen().ColumnsSetting, 80);
  EXPECT_EQ(opt().FontSizeMode, 0);
}

TEST_F(VtTest, WideModeInAWideWindowGives156OrWith9Points132) {
  port.SetSize(1200, 414);
  Feed("\x1b[?3h");
  EXPECT_EQ(screen().ColumnsSetting, 156);
  Feed("\x1b[?3l");
  opt().PlainFaceSwitch = 1;
  Feed("\x1b[?3h");
  EXPECT_EQ(screen().ColumnsSetting, 132);
}

TEST_F(VtTest, AutoWrapOffKeepsTheCursorOnItsRow) {
  Feed("\x1b[?7l" + std::string(85, 'x'));
  EXPECT_EQ(opt().AutoWrapOn, 0);
  EXPECT_EQ(Row(2), "");
  EXPECT_EQ(commands.calls, std::vector<std::string>{"ShowAutoWrapMark off"});
  Feed("\x1b[?7h");
  EXPECT_EQ(opt().AutoWrapOn, 1);
}

TEST_F(VtTest, TheCursorCanBeHidden) {
  Feed("\x1b[?25l");
  EXPECT_EQ(screen().CursorHidden, 1);
  Feed("\x1b[?25h");
  EXPECT_EQ(screen().CursorHidden, 0);
}

TEST_F(VtTest, InsertModeShiftsTheRestOfTheLine) {
  Feed("abc\x1b[1;1H\x1b[4hXY\x1b[4lZ");
  EXPECT_EQ(Row(1), "XYZbc");
}

TEST_F(VtTest, InsertOneInsertsTheNextCharacterOnly) {
  Feed("abc\x1b[1;1H\x1b[1@XY");
  EXPECT_EQ(Row(1), "XYbc");
}

TEST_F(VtTest, InsertingAtTheMarginLosesOnlyTheLastCell) {
  Feed("\x1b[1;79Hab\x1b[1;79H\x1b[4hX");
  EXPECT_EQ(Row(1), Spaces(78) + "Xa");
}

TEST_F(VtTest, StoredPagesByNumberAndAsAStack) {
  Feed("one\x1b[=p\x1b[2Jtwo\x1b[=p\x1b[2Jthree\x1b[=7p\x1b[2J");
  Feed("\x1b[=q");
  EXPECT_EQ(Row(1), "two");
  Feed("\x1b[=q");
  EXPECT_EQ(Row(1), "one");
  Feed("\x1b[=7q");
  EXPECT_EQ(Row(1), "three");
  Feed("\x1b[=99p");  // clamped to page 13
  EXPECT_EQ(session.screen.Pages.Cell(13, ScreenPlanes::kChars, 1, 1), 't');
}

TEST_F(VtTest, ScreenReverseVideoNeverTurnsThePrinterOn) {
  Feed("\x1b[?5hvisible\x1b[?5l");
  EXPECT_EQ(Row(1), "visible");
  EXPECT_EQ(screen().DisplayOn, 1);
  EXPECT_EQ(commands.calls, std::vector<std::string>{});
  EXPECT_EQ(echo.printer, "");
}

TEST_F(VtTest, MediaCopySendsTheHostTextToThePrinterOnly) {
  commands.printerCaptureResult = true;
  // The recording printer capture turns the printer flag on as the real one does.
  Feed("a\x1b[5i");
  in().PrinterOn = 1;
  Feed("printed\r\n\x1b[4ib");
  EXPECT_EQ(Row(1), "ab");
  EXPECT_EQ(echo.printer, "printed");
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
  EXPECT_EQ(screen().DisplayOn, 1);
}

TEST_F(VtTest, WithoutAPrinterTheTextStaysOnTheScreen) {
  commands.printerCaptureResult = false;
  Feed("\x1b[?5iseen");
  EXPECT_EQ(Row(1), "seen");
  EXPECT_EQ(screen().DisplayOn, 1);
}

TEST_F(VtTest, PrintingWhileTheClipboardRecordsStopsTheClipboard) {
  in().ClipboardCapture = 1;
  in().ClipboardLineCopy = 1;
  Feed("\x1b[5i");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);
  EXPECT_EQ(in().ClipboardCapture, 0);
  EXPECT_EQ(in().ClipboardLineCopy, 0);
}

TEST_F(VtTest, PassThroughPrintingEndsAtEitherTerminator) {
  opt().PclPassThrough = 1;
  in().PrinterOn = 1;
  Feed(
      std::string("\x1b"
                  "E\x1b&l1O\n\0\x1b[4ishown",
                  18));
  // Printer data is binary: LF and NUL reach the printer as they came.
  EXPECT_EQ(echo.printer, std::string("\x1b"
                                      "E\x1b&l1O\n\0",
                                      9));
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
  EXPECT_EQ(Row(1), "shown");
  echo.printer.clear();
  in().PrinterOn = 1;
  Feed("\r\n\x1b[2J\x1b[?4iagain");
  // A sequence that starts like a terminator but is none still reaches the
  // printer whole; the terminator itself does not.
  EXPECT_EQ(echo.printer, "\r\n\x1b[2J");
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 2);
  EXPECT_EQ(Row(1), "shownagain");
}

TEST_F(VtTest, ATabEchoesTheRunAndTheTab) {
  in().CaptureFileOn = 1;
  in().ClipboardLineCopy = 1;
  Feed("ab\tc\r");
  EXPECT_EQ(echo.capture, "ab\tc");
  EXPECT_EQ(echo.clipboard, "ab\tc");
}

TEST_F(VtTest, AddressingEndsACapturedLine) {
  in().CaptureFileOn = 1;
  Feed("ab\x1b[3;1Hcd\r");
  EXPECT_EQ(echo.capture, std::string("ab") + fakes::RecordingServices::kLineEnd + "cd");
}

struct ScoCase {
  const char* name;
  std::string stream;
  std::vector<std::pair<int, std::string>> rows;
  int row, col;
};

class VtSco : public VtTest, public ::testing::WithParamInterface<ScoCase> {
 protected:
  void SetUp() override {
    opt().ScoAnsiMode = 1;
    opt().ColourModeA = 1;
  }
};

TEST_P(VtSco, ActsAsTheScoConsoleDoes) {
  const ScoCase& c = GetParam();
  Feed(c.stream);
  for (const auto& [row, text] : c.rows) EXPECT_EQ(Row(row), text) << "row " << row;
  EXPECT_EQ(CursorAt(), std::make_pair(c.row, c.col));
}

INSTANTIATE_TEST_SUITE_P(
    Sco, VtSco,
    ::testing::Values(ScoCase{"BackTabStepsFiveColumns", "\x1b[1;20H\x1b[2Z", {}, 1, 10},
                      ScoCase{"BackTabStopsAtColumnOne", "\x1b[1;3H\x1b[Z", {}, 1, 1},
                      ScoCase{"NextAndPreviousLine", "\x1b[5;5H\x1b[2E", {}, 7, 1},
                      ScoCase{"PreviousLineStopsAtRowOne", "\x1b[5;5H\x1b[9F", {}, 1, 1},
                      ScoCase{"ColumnAbsolute", "\x1b[3;3H\x1b[40G", {}, 3, 40},
                      ScoCase{"ColumnAbsoluteByGrave", "\x1b[3;3H\x1b[40`", {}, 3, 40},
                      ScoCase{"ColumnRelative", "\x1b[3;3H\x1b[4a", {}, 3, 7},
                      ScoCase{"RowAbsoluteAndRelative", "\x1b[3;3H\x1b[9d\x1b[2e", {}, 11, 3},
                      ScoCase{"ScrollUp", kFiveRows + "\x1b[2S", {{1, "3"}, {3, "5"}}, 5, 2},
                      ScoCase{"ScrollDown", kFiveRows + "\x1b[T", {{1, ""}, {2, "1"}}, 5, 2},
                      ScoCase{"InsertLines", kFiveRows + "\x1b[2;1H\x1b[2L", {{2, ""}, {3, ""}, {4, "2"}}, 2, 1},
                      ScoCase{"DeleteLines", kFiveRows + "\x1b[2;1H\x1b[2M", {{2, "4"}, {3, "5"}}, 2, 1},
                      ScoCase{"EraseCharacters", "abcdef\x1b[1;2H\x1b[2X", {{1, "a  def"}}, 1, 2},
                      ScoCase{"DisplaysACharacterByCode", "\x1b[65g\x1b[66g", {{1, "AB"}}, 1, 3},
                      ScoCase{"AddressingStillWorks", "\x1b[4;6HX", {{4, "     X"}}, 4, 7},
                      ScoCase{"CursorShapeIsIgnored", "a\x1b[=10;12Cb", {{1, "ab"}}, 1, 3},
                      ScoCase{"OtherSequencesAreTheVtOnes", "abc\x1b[1;2H\x1b[K", {{1, "a"}}, 1, 2}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, ScoColoursAndLineGraphics) {
  opt().ScoAnsiMode = 1;
  opt().ColourModeA = 1;
  Feed("\x1b[=4F\x1b[=1GA\x1b[12mq\x1b[10mq");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 2);
  EXPECT_EQ(screen().ScreenBackColours(1, 1), 9);
  EXPECT_EQ(screen().ScreenChars(1, 2), 230);
  EXPECT_EQ(screen().ScreenChars(1, 3), 'q');
}

}  // namespace
}  // namespace korvane
