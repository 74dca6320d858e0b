// The Wyse family's attributes and colours: ESC G in both forms, protected
// fields, the ANSI-based colour command and the CSI colour parameters.

#include <gtest/gtest.h>

#include "WyseFixture.h"
#include "emulation/HostSequences.h"
#include "screen/Palette.h"

namespace korvane {
namespace {

using testing_support::WyseTest;

class WyseAttributes : public WyseTest {
 protected:
  void SetUp() override {
    opt().HiddenAttributes = 1;
    in().SetSharedSequences(&shared);
  }
  HostSequences shared{screen(), opt(), session.vt, session.around.services};
};

struct PlainCase {
  char c;
  int8_t reverseUnderlineOff;
  int16_t code;
};

class PlainAttribute : public WyseAttributes, public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainAttribute, SetsTheFlagsOfTheLastMatchingRow) {
  opt().ReverseUnderlineOff = GetParam().reverseUnderlineOff;
  Feed(std::string("\x1bG") + GetParam().c + "T");
  EXPECT_EQ(screen().ScreenAttrs(1, 1), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(WyseAttributes, PlainAttribute,
                         ::testing::Values(PlainCase{'0', 0, 0}, PlainCase{'p', 0, 2}, PlainCase{'4', 0, 1},
                                           PlainCase{'?', 0, 1}, PlainCase{'2', 0, 4}, PlainCase{'v', 0, 7},
                                           PlainCase{'6', 0, 7}, PlainCase{'x', 0, 3}, PlainCase{'|', 0, 5},
                                           PlainCase{'|', 1, 1}, PlainCase{'<', 1, 1}),
                         [](const auto& c) {
                           return "Byte" + std::to_string(static_cast<int>(c.param.c)) +
                                  (c.param.reverseUnderlineOff ? "ReverseUnderlineOff" : "");
                         });

TEST_F(WyseAttributes, AnUnknownByteKeepsTheAttribute) {
  Feed("\x1bG4a\x1bGQb");
  EXPECT_EQ(Attrs(1, 2), "11");
}

TEST_F(WyseAttributes, ANonHiddenAttributeTakesABlankCellAndTheTextFollowsIt) {
  opt().HiddenAttributes = 0;
  Cursor(1, 10);
  Feed("\x1bG4ab");
  EXPECT_EQ(Row(1), std::string(9, ' ') + " ab");
  EXPECT_EQ(Attrs(1, 12).substr(9), "111");
  EXPECT_EQ(screen().CursorCol(), 13);
  // "ab" is drawn where it is stored, after the attribute's blank.
  const auto draws = port.Of("DrawText");
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().text, "ab");
  EXPECT_EQ(draws.back().pen.h, 7 * 10 + 4);
}

TEST_F(WyseAttributes, TheColourFormEmbedsItsCodeAndSetsItsColours) {
  screen().WyseColourAttributes = 1;
  screen().BackgroundColour = 18;
  Cursor(40, 10);
  wyse.AttributeCommand('<');
  EXPECT_EQ(screen().CursorRow(), 30);
  EXPECT_EQ(screen().ScreenAttrs(30, 10), 22);
  EXPECT_EQ(screen().HiddenAttrMark(30, 10), 1);
  EXPECT_EQ(screen().CurrentForeColour, 17);
  EXPECT_EQ(screen().CurrentBackColour, 18);
  EXPECT_EQ(port.fore(), kScreenPalette[17]);
  EXPECT_EQ(port.back(), kScreenPalette[18]);
  // Its code differs from the cell after it: the colours spread, and the
  // repaint draws them over what is there.
  EXPECT_EQ(screen().RepaintPending, 1);
  EXPECT_EQ(screen().RepaintWithoutErase, 1);

  wyse.AttributeCommand('0');
  EXPECT_EQ(screen().CurrentForeColour, 4);
  EXPECT_EQ(screen().CurrentBackColour, 18);  // the session background
}

TEST_F(WyseAttributes, TheColourFormAtTheLastColumnGoesOnWithTheNextRow) {
  screen().WyseColourAttributes = 1;
  opt().AutoWrapOn = 1;
  struct Case {
    int col, embedRow, embedCol;
  };
  for (const Case c : {Case{80, 5, 80}, Case{81, 6, 1}}) {
    Cursor(5, c.col);
    wyse.AttributeCommand('1');
    EXPECT_EQ(screen().ScreenAttrs(c.embedRow, c.embedCol), 11) << c.col;
    EXPECT_EQ(screen().HiddenAttrMark(c.embedRow, c.embedCol), 1) << c.col;
    EXPECT_EQ(screen().CursorRow(), 6) << c.col;
    // The writer brings a column of 0 to 1 before the next character.
    EXPECT_EQ(screen().CursorCol(), 0) << c.col;
  }
}

TEST_F(WyseAttributes, PrintingOverAnEmbeddedAttributeRemovesIt) {
  screen().WyseColourAttributes = 1;
  Cursor(2, 5);
  wyse.AttributeCommand('3');
  const int16_t spread = screen().ScreenAttrs(2, 6);
  screen().RepaintPending = 0;
  Cursor(2, 5);
  Feed("z");
  EXPECT_EQ(screen().HiddenAttrMark(2, 5), 0);
  // The attribute before it spreads over the cells it governed.
  EXPECT_NE(screen().ScreenAttrs(2, 6), spread);
  EXPECT_EQ(screen().RepaintPending, 1);
}

TEST_F(WyseAttributes, AProtectedFieldIsMarkedAndSkippedInProtectMode) {
  opt().ProtectShownAs = 2;
  Cursor(1, 1);
  wyse.ProtectFieldBegin();
  EXPECT_EQ(screen().DimOn, 1);
  Feed("Name");
  wyse.ProtectFieldEnd();
  EXPECT_EQ(screen().DimOn, 0);
  // From the field's start to the cursor.
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(screen().ScreenProtect(1, c), 1) << c;
  EXPECT_EQ(Attrs(1, 4), "2222");

  wyse.ProtectModeOn();
  screen().ScreenProtect(1, 6) = 1;
  Cursor(1, 1);
  screen().FinishCursorMove();
  Feed("xy");
  EXPECT_EQ(Row(1), "Name  xy");
  EXPECT_EQ(screen().CursorCol(), 9);
}

TEST_F(WyseAttributes, TheAnsiColourCommandSwitchesTheColourPlanesOn) {
  screen().CurrentForeColour = 5;
  opt().ColourModeA = 1;
  EXPECT_EQ(shared.ExtendedAnsiColour('1'), SharedSequences::AnsiColourEnd::AttributeStep);
  EXPECT_EQ(screen().CurrentForeColour, 5);
  EXPECT_EQ(opt().ColourModeB, 1);
  EXPECT_EQ(opt().ColourModeA, 0);
  shared.ExtendedAnsiColour(')');
  EXPECT_EQ(screen().CurrentForeColour, 17);
  shared.ExtendedAnsiColour('@');
  EXPECT_EQ(screen().CurrentForeColour, 18);
  shared.ExtendedAnsiColour('!');
  EXPECT_EQ(screen().CurrentBackColour, 14);
  // The session's colour settings are not the host's to change.
  EXPECT_EQ(opt().CurrentForeColour, 0);
  EXPECT_EQ(opt().BackgroundColour, 0);

  screen().WriteProtectMode = 1;
  EXPECT_EQ(shared.ExtendedAnsiColour(27), SharedSequences::AnsiColourEnd::RestartEscape);
  EXPECT_EQ(screen().WriteProtectMode, 0);
}

TEST_F(WyseAttributes, CsiColourPairsReadTheirBytesFromTheHost) {
  opt().AutoAnsiColours = 1;
  // ESC [ 0 ; 3 1 m: the pair read after "0" ";" is "3" "1".
  pty->Feed("31m" "m" "text");
  EXPECT_TRUE(wyse.CsiColourPair('0', ';'));
  EXPECT_EQ(opt().ColourModeA, 1);
  EXPECT_EQ(screen().CurrentForeColour, 2);
  // ESC [ 4 2 m: background 4 for the text that follows, the final dropped;
  // the window's background and the settings stay.
  EXPECT_TRUE(wyse.CsiColourPair('4', '2'));
  EXPECT_EQ(screen().CurrentBackColour, 4);
  EXPECT_EQ(screen().BackgroundColour, 18);
  EXPECT_EQ(opt().BackgroundColour, 0);
  EXPECT_EQ(opt().CurrentForeColour, 0);
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 't');
  // Not a colour pair: nothing is read.
  EXPECT_FALSE(wyse.CsiColourPair('2', 'J'));
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 'e');
}

TEST_F(WyseAttributes, ScoLineGraphicsTextsTakeOneAttributeAfterTheSemicolon) {
  EXPECT_TRUE(shared.ScoLineGraphicsAttributes("12;7"));
  EXPECT_EQ(screen().LineGraphicsOn, 1);
  EXPECT_EQ(screen().ReverseOn, 1);
  EXPECT_TRUE(shared.ScoLineGraphicsAttributes("10;1"));
  EXPECT_EQ(screen().LineGraphicsOn, 0);
  EXPECT_EQ(screen().BoldOn, 1);
  EXPECT_FALSE(shared.ScoLineGraphicsAttributes("31"));
}

TEST_F(WyseAttributes, ScoColourCommandsChooseColoursAndClearTheFlags) {
  screen().BoldOn = 1;
  screen().CurrentForeColour = 17;
  EXPECT_TRUE(shared.ScoColourCommand('H', "2"));
  EXPECT_EQ(screen().ReverseColourNow(), kHostColourToPalette[2]);
  EXPECT_EQ(opt().ReverseColour, 0) << "the setting stays";
  EXPECT_EQ(screen().CurrentForeColour, 17);
  EXPECT_EQ(screen().BoldOn, 0);
  EXPECT_EQ(screen().RepaintPending, 1);
  EXPECT_TRUE(shared.ScoColourCommand('F', "4"));
  EXPECT_EQ(screen().CurrentForeColour, kHostColourToPalette[4]);
  EXPECT_FALSE(shared.ScoColourCommand('D', "1"));
}

}  // namespace
}  // namespace korvane
