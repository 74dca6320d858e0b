// The Wyse family's attributes and colours: ESC G in both forms, protected
// fields, the ANSI-based colour command and the CSI colour parameters.

#include <gtest/gtest.h>

#include "WyseFixture.h"
#include "emulation/HostSequences.h"
#include "screen/Palette.h"

namespace korvane {
namespace {

using namespace std::string_literals;
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

// The byte's bits: 0x02 blink (shown bold), 0x04 reverse, 0x08 underline,
// 0x40 dim; the codes combine them as far as a code can hold them.
TEST_P(PlainAttribute, ReadsTheAttributeBits) {
  opt().ReverseUnderlineOff = GetParam().reverseUnderlineOff;
  Feed(std::string("\x1bG") + GetParam().c + "T");
  EXPECT_EQ(screen().ScreenAttrs(1, 1), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(WyseAttributes, PlainAttribute,
                         ::testing::Values(PlainCase{'0', 0, 0}, PlainCase{'p', 0, 2}, PlainCase{'4', 0, 1},
                                           PlainCase{'t', 0, 1}, PlainCase{'8', 0, 3}, PlainCase{'2', 0, 4},
                                           PlainCase{'v', 0, 7}, PlainCase{'6', 0, 7}, PlainCase{'x', 0, 3},
                                           PlainCase{'|', 0, 5}, PlainCase{'|', 1, 1}, PlainCase{'<', 1, 1},
                                           // underline with blink keeps its underline
                                           PlainCase{':', 0, 6}, PlainCase{'z', 0, 6},
                                           // standout, underline and blink keep the reverse
                                           PlainCase{'~', 0, 7}, PlainCase{'?', 0, 7}, PlainCase{'=', 0, 5}),
                         [](const auto& c) {
                           return "Byte" + std::to_string(static_cast<int>(c.param.c)) +
                                  (c.param.reverseUnderlineOff ? "ReverseUnderlineOff" : "");
                         });

TEST_F(WyseAttributes, AnUnknownByteKeepsTheAttribute) {
  Feed("\x1bG4a\x1bGQb");
  EXPECT_EQ(Attrs(1, 2), "11");
}

TEST_F(WyseAttributes, TheBlankBitAloneEndsTheAttribute) {
  Feed("\x1bG4a\x1bG1b");
  EXPECT_EQ(Attrs(1, 2), "10");
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

// Curses ends an attribute the TeleVideo cannot show (bold) with ESC G 0
// and counts no cell for it: a command that leaves the attribute as it was
// takes none.
TEST_F(WyseAttributes, ANonHiddenAttributeThatChangesNothingTakesNoCell) {
  opt().HiddenAttributes = 0;
  Feed("a\x1bG0b\x1bG4c\x1bG4d\x1bG0e");
  EXPECT_EQ(Row(1), "ab cd e");
  EXPECT_EQ(Attrs(1, 7), "0011100");
  EXPECT_EQ(screen().CursorCol(), 8);
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
  pty->Feed(
      "31m"
      "m"
      "text");
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

// ---- What curses writes for highlighting ----------------------------------------------------------

// The Wyse 50's standout is a protected field shown in reverse (ESC ` 6),
// its dim text one shown dim (ESC ` 7); ESC ( ends either.
TEST_F(WyseAttributes, TheProtectDisplayChoosesReverseOrDimFields) {
  Use(EmulationKind::Wyse50);
  Feed("\x1b`6\x1b)ab\x1b(c\x1b`7\x1b)d\x1b(e");
  EXPECT_EQ(Row(1), "abcde");
  EXPECT_EQ(Attrs(1, 5), "11020");
  EXPECT_EQ(opt().ProtectShownAs, 2);
}

// The Wyse 60's sgr opens the protected field first and sends the attribute
// after it: the field's dim look stays with the attribute.
TEST_F(WyseAttributes, AnAttributeInsideAProtectedFieldKeepsTheFieldsLook) {
  opt().ProtectShownAs = 2;
  Feed("\x1b)\x1bG0a\x1bG8b\x1b(\x1bG0c");
  EXPECT_EQ(Attrs(1, 3), "230");
}

// Curses moves in standout mode on the Wyse 50 and 60 (their descriptions
// say so): a carriage return keeps the attribute there, and resets it on the
// others as before.
TEST_F(WyseAttributes, ACarriageReturnKeepsTheAttributeOnTheWyse) {
  struct Case {
    EmulationKind kind;
    const char* attrs;
  };
  for (const Case& c : {Case{EmulationKind::Wyse50, "1"}, Case{EmulationKind::Wyse60, "1"},
                        Case{EmulationKind::Wyse370, "1"}, Case{EmulationKind::Viewpoint, "0"}}) {
    SCOPED_TRACE(TermName(c.kind));
    screen().ClearScreenAndHome();
    Use(c.kind);
    Feed("\x1bG4a\r\nb\x1bG0");
    EXPECT_EQ(Attrs(2, 1), c.attrs);
  }
}

// The Viewpoint's SO turns on what ESC 0 chose (bits 0x01 dim, 0x02 blink,
// 0x10 reverse, 0x20 underline), SI turns it off; a choice made while SO is
// on applies at once.
TEST_F(WyseAttributes, ShiftOutShowsTheViewpointAttributeEscZeroChose) {
  Use(EmulationKind::Viewpoint);
  Feed(
      "\x0e"
      "a\x0f"
      "b\x1b"
      "0`\x0e"
      "c\x0f"
      "d\x0e"
      "e\x1b"
      "0Af\x1b"
      "0Qg\x0fh");
  EXPECT_EQ(Row(1), "abcdefgh");
  EXPECT_EQ(Attrs(1, 8), "10303210");
}

// ESC ` 8 and ESC ` 9 (the Wyse's flash) reverse the text area and bring it
// back; a host that asks for both at once still sees the reverse for a
// moment, brought back by the idle pass. The cells never change.
TEST_F(WyseAttributes, TheFlashReversesTheScreenForAMoment) {
  fakes::FakeClock& ticks = session.screenHost.clock;
  Feed("ab\x1b`8\0\0\0\x1b`9c"s);
  EXPECT_EQ(Row(1), "abc");
  EXPECT_EQ(Attrs(1, 3), "000");
  EXPECT_EQ(port.Of("InvertRect").size(), 1u);
  EXPECT_TRUE(screen().ScreenReversed());
  screen().RepaintPending = 0;
  ticks.AdvanceTicks(Screen::kReverseShownTicks - 1);
  screen().ContinueScreenReverse();
  EXPECT_TRUE(screen().ScreenReversed());
  ticks.AdvanceTicks(1);
  screen().ContinueScreenReverse();
  EXPECT_FALSE(screen().ScreenReversed());
  EXPECT_EQ(port.Of("InvertRect").size(), 2u);
  // The text drawn while reversed is drawn again.
  EXPECT_EQ(screen().RepaintPending, 1);
  // A later flash whose wait the host kept itself ends at once.
  Feed("\x1b`8");
  ticks.AdvanceTicks(Screen::kReverseShownTicks);
  Feed("\x1b`9");
  EXPECT_FALSE(screen().ScreenReversed());
  EXPECT_EQ(port.Of("InvertRect").size(), 4u);
}

TEST_F(WyseAttributes, TheTeleVideoFlashReversesTheScreenAndSendsNothing) {
  fakes::FakeClock& ticks = session.screenHost.clock;
  Use(EmulationKind::Tvi925);
  Feed(
      "\x1b"
      "b");
  EXPECT_TRUE(screen().ScreenReversed());
  ticks.AdvanceTicks(Screen::kReverseShownTicks);
  Feed(
      "\x1b"
      "d");
  EXPECT_FALSE(screen().ScreenReversed());
  EXPECT_EQ(Answer(), "");
}

// The TeleVideo's ESC h takes the status line away, and with it what ESC f
// wrote on the second one.
TEST_F(WyseAttributes, TheTeleVideoStatusLineGoesOff) {
  Use(EmulationKind::Tvi925);
  Feed(
      "ab\x1b"
      "Fstatus\r\x1b"
      "flabel\r\x1bg");
  const int statusRow = screen().ScreenRows + 1, labelRow = screen().StatusLine2Row;
  EXPECT_EQ(Row(statusRow), "status");
  EXPECT_EQ(Row(labelRow), "label");
  Feed("\x1bhc");
  EXPECT_EQ(Row(statusRow), "");
  EXPECT_EQ(Row(labelRow), "");
  EXPECT_EQ(Row(1), "abc");
  EXPECT_EQ(screen().CursorCol(), 4);
}

}  // namespace
}  // namespace korvane
