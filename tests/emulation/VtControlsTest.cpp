// The VT interpreter's control characters and escape sequences: byte streams
// in, the screen's cells and cursor out.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "VtFixture.h"
#include "emulation/StxCommands.h"

namespace korvane {
namespace {

using testing_support::VtTest;

struct ScreenCase {
  const char* name;
  std::string stream;
  std::vector<std::pair<int, std::string>> rows;  // row number, its text (trailing blanks trimmed)
  int row, col;                                   // the cursor afterwards
};

class VtScreen : public VtTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(VtScreen, ShowsTheStreamAsTheTerminalDoes) {
  const ScreenCase& c = GetParam();
  Feed(c.stream);
  for (const auto& [row, text] : c.rows) EXPECT_EQ(Row(row), text) << "row " << row;
  EXPECT_EQ(CursorAt(), std::make_pair(c.row, c.col));
}

const std::string kFullLine(80, 'x');

INSTANTIATE_TEST_SUITE_P(
    Controls, VtScreen,
    ::testing::Values(
        ScreenCase{"BackspaceStepsLeft", "abc\bX", {{1, "abX"}}, 1, 4},
        ScreenCase{"BackspaceAtColumnOneGoesToTheEndOfTheRowAbove", "ab\r\n\b", {{1, "ab"}}, 1, 80},
        ScreenCase{"BackspaceAtTheHomePositionStays", "\bX", {{1, "X"}}, 1, 2},
        ScreenCase{"TabGoesToTheNextStopOfEight", "a\tb\tc", {{1, "a       b       c"}}, 1, 18},
        ScreenCase{"TabAfterTheLastStopStays", "\x1b[1;75H\tX", {{1, std::string(74, ' ') + "X"}}, 1, 76},
        ScreenCase{"CrLfAfterAFullLineGivesOneNewLine", kFullLine + "\r\nY", {{1, kFullLine}, {2, "Y"}, {3, ""}}, 2, 2},
        // A full line leaves the cursor waiting past the last column; the
        // wrap comes with the next character.
        ScreenCase{"AFullLineWaitsToWrap", kFullLine, {{1, kFullLine}, {2, ""}}, 1, 81},
        ScreenCase{"TheNextCharacterWraps", kFullLine + "a", {{1, kFullLine}, {2, "a"}}, 2, 2},
        ScreenCase{"AByteAfterTheWrapLetsTheNextLineFeedCount", kFullLine + "a\nb", {{2, "a"}, {3, " b"}}, 3, 3},
        ScreenCase{
            "FillingTheLastRowScrollsNothing", "top\x1b[24;1H" + kFullLine, {{1, "top"}, {24, kFullLine}}, 24, 81},
        ScreenCase{"ACharacterAfterTheLastRowScrolls",
                   "top\x1b[24;1H" + kFullLine + "z",
                   {{1, ""}, {23, kFullLine}, {24, "z"}},
                   24,
                   2},
        ScreenCase{"BackspaceAfterAFullLineStepsFromTheLastColumn",
                   kFullLine + "\bY",
                   {{1, kFullLine.substr(0, 78) + "Yx"}},
                   1,
                   80},
        ScreenCase{"LineFeedAfterAFullLineKeepsTheLastColumn",
                   kFullLine + "\nY",
                   {{1, kFullLine}, {2, std::string(79, ' ') + "Y"}},
                   2,
                   81},
        ScreenCase{"LineFeedAtTheBottomScrolls", "top\x1b[24;1HA\nB", {{1, ""}, {23, "A"}, {24, " B"}}, 24, 3},
        ScreenCase{"FormFeedClearsAndHomes", "abc\r\ndef\fX", {{1, "X"}, {2, ""}}, 1, 2},
        ScreenCase{"ShiftOutTakesG1", "\x1b)0\x0fq\x0eq\x0fq", {{1, "q\xe6q"}}, 1, 4},
        // G0 designated while G1 is in use changes nothing on the screen.
        ScreenCase{"DesignatingG0UnderShiftOutKeepsG1", "\x1b)0\x0e\x1b(Bq\x0fq", {{1, "\xe6q"}}, 1, 3},
        ScreenCase{"DesignatingG1UnderShiftInKeepsText", "\x1b(B\x1b)0q\x0eq", {{1, "q\xe6"}}, 1, 3},
        ScreenCase{
            "TabStopsSetAndCleared", "\x1b[3g\x1b[1;5H\x1bH\x1b[1;12H\x1bH\r\tA\tB\tC", {{1, "    A      BC"}}, 1, 14},
        ScreenCase{"TabStopClearedAtTheCursor", "\x1b[1;9H\x1b[g\r\tA", {{1, "                A"}}, 1, 18},
        ScreenCase{"SaveAndRestoreCursor",
                   "\x1b[5;10H\x1b"
                   "7\x1b[1;1H\x1b"
                   "8X",
                   {{5, "         X"}},
                   5,
                   11},
        ScreenCase{"RestoreWithoutSaveHomes",
                   "\x1b[5;5H\x1b"
                   "8X",
                   {{1, "X"}},
                   1,
                   2},
        ScreenCase{"IndexMovesDown",
                   "\x1b[3;4H\x1b"
                   "DX",
                   {{4, "   X"}},
                   4,
                   5},
        ScreenCase{"IndexAtTheBottomScrolls",
                   "top\x1b[24;4H\x1b"
                   "DX",
                   {{1, ""}, {24, "   X"}},
                   24,
                   5},
        ScreenCase{"ReverseIndexMovesUp", "\x1b[3;4H\x1bMX", {{2, "   X"}}, 2, 5},
        ScreenCase{"ReverseIndexAtTheTopScrollsDown", "top\x1b[1;2H\x1bMX", {{1, " X"}, {2, "top"}}, 1, 3},
        ScreenCase{"NextLine",
                   "abc\x1b"
                   "EX",
                   {{2, "X"}},
                   2,
                   2},
        ScreenCase{"ResetClearsTheScreenAndTheRegion",
                   "abc\x1b[2;5r\x1b"
                   "cX",
                   {{1, "X"}},
                   1,
                   2},
        // A reset puts both character sets back to text and G0 in use: what
        // follows, even an address that shows the invoked set again, is text.
        ScreenCase{"ResetTakesTheCharacterSetsBackToText",
                   "\x1b)0\x0e\x1b"
                   "cq\x1b[2;1fq\x0eq",
                   {{1, "q"}, {2, "qq"}},
                   2,
                   3},
        ScreenCase{"DeviceControlStringsAreNotShown", "a\x1bPq#0;1;2$hidden\x1b\\b", {{1, "ab"}}, 1, 3},
        ScreenCase{"UnknownEscapesAreDropped", "a\x1bNb\x1b&c\x1bmd", {{1, "abcd"}}, 1, 5},
        ScreenCase{"AControlAfterEscActsAsItself", "ab\x1b\rX", {{1, "Xb"}}, 1, 2},
        ScreenCase{"EscapeInsideAnEscapeStartsAgain", "\x1b(\x1b[2;2HX", {{2, " X"}}, 2, 3},
        ScreenCase{"EscSohSkipsToTheLineEnd", "a\x1b\x01junk\rb", {{1, "ab"}}, 1, 3},
        ScreenCase{"EscZDropsTheBytesAfterIt",
                   "a\x1bz12\x7f"
                   "b",
                   {{1, "ab"}},
                   1,
                   3},
        ScreenCase{"EscLessThanClearsTheScreen", "abc\x1b<X", {{1, "X"}}, 1, 2},
        ScreenCase{"EscJAndKErase", "abcdef\r\nghi\x1b[1;3H\x1bK", {{1, "ab"}, {2, "ghi"}}, 1, 3},
        ScreenCase{"CellsOfOtherControlsStayEmpty",
                   "a\x01\x02\x0b\x10\x1f"
                   "b",
                   {{1, "ab"}},
                   1,
                   3}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, DoubleWidthPutsEachCharacterInTwoCellsUntilALineFeed) {
  Feed("\x1b#6ab\r\ncd");
  EXPECT_EQ(Row(1), "aabb");
  EXPECT_EQ(Row(2), "cd");
  // The drawn run shows the second cell of each character as a blank.
  EXPECT_EQ(port.Texts().front(), "a b ");
}

TEST_F(VtTest, TheRenditionOutlastsCarriageReturnAndLineFeed) {
  // Hosts move in reverse or bold and go on writing in it.
  Feed("\x1b[7mab\r\ncd\x1b[m\ref");
  EXPECT_EQ(Attrs(1, 2), "11");
  EXPECT_EQ(Attrs(2, 2), "00");
  EXPECT_EQ(Row(2), "ef");
  Feed("\x1b[3;1H\x1b[1;4mgh\r\n\x1b[1;3Hi");
  EXPECT_EQ(Attrs(3, 2), "66");
  EXPECT_EQ(Attrs(1, 3), "116");
}

TEST_F(VtTest, BellBeeps) {
  Feed("a\ab");
  EXPECT_EQ(commands.calls, std::vector<std::string>{"Beep"});
  EXPECT_EQ(Row(1), "ab");
}

struct GraphicsCase {
  const char* name;
  int16_t altSet, fontOption;
  std::string bytes;
  std::vector<int> glyphs;
};

class VtLineGraphics : public VtTest, public ::testing::WithParamInterface<GraphicsCase> {};

TEST_P(VtLineGraphics, DrawsTheGlyphsOfTheFont) {
  const GraphicsCase& c = GetParam();
  opt().AltGraphicsSet = c.altSet;
  opt().ProgramFontOption = c.fontOption;
  Feed("\x1b(0" + c.bytes);
  for (size_t i = 0; i < c.glyphs.size(); ++i)
    EXPECT_EQ(screen().ScreenChars(1, static_cast<int>(i) + 1), c.glyphs[i]) << "byte " << c.bytes[i];
}

INSTANTIATE_TEST_SUITE_P(
    Vt, VtLineGraphics,
    ::testing::Values(
        GraphicsCase{"ProgramFont", 0, 1, "_`afgjklmnoqstuvwxyz{|}~", {32,  215, 231, 161, 177, 225, 223, 222,
                                                                       221, 228, 230, 230, 230, 224, 229, 233,
                                                                       220, 226, 178, 179, 185, 173, 163, 165}},
        GraphicsCase{"UnmappedBytesStay", 0, 1, "hiA3", {'h', 'i', 'A', '3'}},
        GraphicsCase{"AlternateSet", 1, 1, "35<>ABZ[\\^", {226, 255, 246, 246, 233, 220, 222, 227, 219, 218}},
        GraphicsCase{"PcFont", 0, 2, "lqkxmj`", {218, 196, 191, 179, 192, 217, 215}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, EightBitCodesAreControlsOnlyAfterTheHostTurnsThemOn) {
  opt().NationalCharsOff = 1;  // bytes above 127 keep their eighth bit
  Feed(
      "\x9b"
      "4mA");
  EXPECT_EQ(screen().ScreenChars(1, 1), 155);
  EXPECT_EQ(Row(1).substr(1), "4mA");
  Feed(
      "\r\n\x1b F\x9b"
      "4mB\x1b G\x9b");
  EXPECT_EQ(screen().ScreenChars(2, 1), 'B');
  EXPECT_EQ(screen().ScreenAttrs(2, 1), kAttrUnderline);
  EXPECT_EQ(screen().ScreenChars(2, 2), 155);
}

TEST_F(VtTest, EightBitControlsStandForEscapeSequences) {
  opt().NationalCharsOff = 1;
  in().C1ControlsOn = 1;
  Feed(
      "\x1b[3;3Ha\x8d"
      "b\x84"
      "c\x85"
      "d");
  EXPECT_EQ(Row(2), "   b");
  EXPECT_EQ(Row(3), "  a c");
  EXPECT_EQ(Row(4), "d");
}

TEST_F(VtTest, DecMultinationalCharactersAreDrawnWithTheScreenFont) {
  opt().NationalCharsOff = 1;
  opt().DecMultinational = 1;
  Feed("\xc4\xe4\xc5");
  EXPECT_EQ(screen().ScreenChars(1, 1), 128);
  EXPECT_EQ(screen().ScreenChars(1, 2), 138);
  EXPECT_EQ(screen().ScreenChars(1, 3), ' ');
}

TEST_F(VtTest, WithoutEightBitsHighBytesLoseTheirTopBit) {
  Feed("\xc1\xe2");
  EXPECT_EQ(Row(1), "Ab");
}

TEST_F(VtTest, KeypadAndCursorKeyModesAreKeptForTheKeyboard) {
  Feed("\x1b=\x1b[?1h");
  EXPECT_EQ(in().KeypadApplicationMode, 1);
  EXPECT_EQ(in().KeypadNumericMode, 0);
  EXPECT_EQ(session.vt.CursorKeyApplicationMode, 1);
  Feed("\x1b>\x1b[?1l");
  EXPECT_EQ(in().KeypadApplicationMode, 0);
  EXPECT_EQ(in().KeypadNumericMode, 1);
  EXPECT_EQ(session.vt.CursorKeyApplicationMode, 0);
}

TEST_F(VtTest, OnlyTheVt220TakesEightBitControlsOn) {
  opt().EmuVt220 = 0;
  Feed("\x1b Fa");
  EXPECT_EQ(in().C1ControlsOn, 0);
  EXPECT_EQ(Row(1), "a");
}

TEST_F(VtTest, EscapesForThePrinter) {
  Feed("\x1bi\x1b]");
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"PrintScreen", "PrintScreen"}));
  commands.calls.clear();
  Feed("a\x1b^");
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"ShowCaptureModes", "OpenPrinterCapture"}));
  EXPECT_EQ(screen().DisplayOn, 0);
  in().PrinterOn = 1;  // as the printer capture sets it
  Feed("hidden\x1bXb");
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
  EXPECT_EQ(Row(1), "ab");
  EXPECT_EQ(echo.printer, "hidden");
  opt().ExtendedAnsiMode = 1;
  Feed("\x1bW\x1b_c");
  EXPECT_EQ(screen().DisplayOn, 0) << "ESC _ is no printer command in the extended mode";
}

class RecordingStx final : public StxCommands {
 public:
  std::string seen;
  void StxCommand(HostInput& in) override {
    in.GetNextHostByte();
    seen += static_cast<char>(in.NextHostByte);
  }
};

TEST_F(VtTest, EscStxGoesToItsHandler) {
  RecordingStx stx;
  vt.SetStxCommands(&stx);
  Feed("a\x1b\x02Ib");
  EXPECT_EQ(stx.seen, "I");
  EXPECT_EQ(Row(1), "ab");
}

TEST_F(VtTest, WithoutAnEscStxHandlerThePageCommandStillRuns) {
  Feed("page\x1b\x02jS,0,0,79,23,x\r\x1b[2J\x1b\x02jR,0,0,x\r\x1b\x02Iz");
  // The saved page came back; the other ESC STX command was dropped whole.
  EXPECT_EQ(Row(1), "zage");
}

TEST_F(VtTest, AHostThatStopsInsideASequenceChangesNothing) {
  Feed("ab\x1b[5;");
  EXPECT_EQ(Row(1), "ab");
  EXPECT_EQ(CursorAt(), std::make_pair(1, 3));
  Feed("X");
  EXPECT_EQ(Row(1), "abX");
}

TEST_F(VtTest, EscSohWithoutALineEndGivesUpAndShowsTheRest) {
  Feed("\x1b\x01" + std::string(2000, 'z'));
  // 1024 bytes are skipped; the other 976 are shown.
  EXPECT_EQ(Row(12), std::string(80, 'z'));
  EXPECT_EQ(Row(13), std::string(16, 'z'));
  EXPECT_EQ(CursorAt(), std::make_pair(13, 17));
}

}  // namespace
}  // namespace korvane
