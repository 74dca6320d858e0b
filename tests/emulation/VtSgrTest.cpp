// Select graphic rendition: the attribute code, the colours and the cursor
// after each form of parameter list this terminal knows.

#include <gtest/gtest.h>

#include <string>

#include "VtFixture.h"

namespace korvane {
namespace {

using testing_support::VtTest;

struct SgrCase {
  const char* name;
  std::string before;  // renditions set first
  std::string sgr;     // the parameters of the SGR under test
  int16_t attr;        // code of the character written after it
  int16_t fore, back;  // its colours (0: the colour planes untouched)
};

class VtSgr : public VtTest, public ::testing::WithParamInterface<SgrCase> {};

TEST_P(VtSgr, GivesTheCellItsAttributeAndColours) {
  const SgrCase& c = GetParam();
  Feed("\x1b[5;10H" + c.before + "\x1b[" + c.sgr + "mX");
  EXPECT_EQ(screen().ScreenAttrs(5, 10), c.attr);
  EXPECT_EQ(screen().ScreenForeColours(5, 10), c.fore);
  EXPECT_EQ(screen().ScreenBackColours(5, 10), c.back);
  // No form is taken for a cursor address.
  EXPECT_EQ(CursorAt(), std::make_pair(5, 11));
}

INSTANTIATE_TEST_SUITE_P(
    Sole, VtSgr,
    ::testing::Values(
        SgrCase{"NoParameterResets", "\x1b[7m", "", 0, 0, 0}, SgrCase{"ZeroResets", "\x1b[7m", "0", 0, 0, 0},
        SgrCase{"DoubleZeroResets", "\x1b[7m", "00", 0, 0, 0}, SgrCase{"TwoResets", "\x1b[7m", "2", 0, 0, 0},
        SgrCase{"Bold", "", "1", kAttrBold, 0, 0}, SgrCase{"BlinkShowsAsBold", "", "5", kAttrBold, 0, 0},
        SgrCase{"Underline", "", "4", kAttrUnderline, 0, 0}, SgrCase{"Reverse", "", "7", kAttrReverse, 0, 0},
        SgrCase{"BoldAndReverseShowReverse", "\x1b[1m", "7", kAttrReverse, 0, 0},
        SgrCase{"BoldUnderlineAndReverse", "\x1b[1m\x1b[4m", "7", kAttrBoldUnderline, 0, 0},
        SgrCase{"UnderlineOffEndsUnderlineOnly", "\x1b[1m\x1b[4m", "24", kAttrBold, 0, 0},
        SgrCase{"ReverseOffEndsReverseInTheCells", "\x1b[4m\x1b[7m", "27", kAttrUnderline, 0, 0},
        SgrCase{"NormalIntensityEndsBold", "\x1b[1m\x1b[7m", "22", kAttrReverse, 0, 0},
        SgrCase{"BlinkOffEndsTheBoldItShows", "\x1b[5m\x1b[4m", "25", kAttrUnderline, 0, 0},
        SgrCase{"UnknownValuesDoNothing", "\x1b[4m", "9", kAttrUnderline, 0, 0},
        SgrCase{"Foreground", "", "31", 0, 2, 18}, SgrCase{"WhiteForeground", "", "37", 0, 14, 18},
        SgrCase{"WhiteBackground", "", "47", 0, 17, 17},
        SgrCase{"BlackForegroundAndBackground", "\x1b[30m", "40", 0, 18, 18},
        SgrCase{"DefaultForegroundIsTheSessions", "\x1b[34m", "39", 0, 17, 18},
        SgrCase{"ThreeDigitValuesDoNothing", "\x1b[4m", "107", kAttrUnderline, 0, 0}),
    [](const auto& c) { return std::string(c.param.name); });

// Every parameter of a list takes effect, in order.
INSTANTIATE_TEST_SUITE_P(
    Lists, VtSgr,
    ::testing::Values(SgrCase{"ResetThenBold", "\x1b[4m", "0;1", kAttrBold, 0, 0},
                      SgrCase{"ReverseAndBlink", "\x1b[4m", "7;5", kAttrBoldUnderline, 0, 0},
                      SgrCase{"BoldThenUnderline", "\x1b[1m", "1;4", kAttrBoldUnderline, 0, 0},
                      SgrCase{"ResetThenReverse", "\x1b[4m", "0;7", kAttrReverse, 0, 0},
                      SgrCase{"BoldAndColour", "", "1;31", kAttrBold, 2, 18},
                      SgrCase{"ColourAfterZero", "", "0;34", 0, 9, 18},
                      SgrCase{"LeadingZeroCounts", "", "01;34", kAttrBold, 9, 18},
                      SgrCase{"ResetThenUnderlineOff", "\x1b[4m", "0;24", 0, 0, 0},
                      SgrCase{"ResetBoldColour", "\x1b[4m", "0;1;33", kAttrBold, 6, 18},
                      SgrCase{"ResetBoldUnderline", "", "0;1;4", kAttrBoldUnderline, 0, 0},
                      SgrCase{"ColourInTheMiddle", "\x1b[4m", "0;31;1", kAttrBold, 2, 18},
                      SgrCase{"ForegroundAndBackground", "", "0;31;42", 0, 2, 4},
                      SgrCase{"UnknownParametersAreSkipped", "\x1b[4m", "10;1", kAttrBoldUnderline, 0, 0},
                      SgrCase{"BlackThenBold", "\x1b[4m", "30;1", kAttrBoldUnderline, 18, 18},
                      SgrCase{"StandoutOfTheVt220Description", "\x1b[4m", "0;7", kAttrReverse, 0, 0},
                      SgrCase{"EverythingOfTheVt100Description", "", "0;1;4;7;5", kAttrBoldUnderline, 0, 0},
                      SgrCase{"IndexedColoursAreNotRenditions", "\x1b[4m", "38;5;1", kAttrUnderline, 0, 0},
                      SgrCase{"IndexedColourThenBold", "", "38;5;4;1", kAttrBold, 0, 0},
                      SgrCase{"DirectColoursAreNotRenditions", "\x1b[4m", "48;2;0;0;1", kAttrUnderline, 0, 0}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(VtTest, ListsThatLookLikeAddressesLeaveTheCursorAndTheCapturesAlone) {
  in().CaptureFileOn = 1;
  in().ClipboardLineCopy = 1;
  Feed("ab\x1b[0;34mcd\x1b[1;31;4mef\r");
  EXPECT_EQ(Row(1), "abcdef");
  EXPECT_EQ(echo.capture, "abcdef");
  EXPECT_EQ(echo.clipboard, "abcdef");
}

TEST_F(VtTest, DimColoursComeFromTheirOwnTable) {
  screen().DimOn = 1;
  Feed("\x1b[35mA\x1b[31mB");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 1);
  EXPECT_EQ(screen().ScreenForeColours(1, 2), 1);
}

TEST_F(VtTest, ColoursNeedTheAnsiColourMode) {
  opt().AutoAnsiColours = 0;
  Feed("\x1b[31mA");
  EXPECT_EQ(opt().ColourModeA, 0);
  EXPECT_EQ(screen().CurrentForeColour, 17);
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 0);
  opt().ColourModeA = 1;
  Feed("\x1b[31mB");
  EXPECT_EQ(screen().ScreenForeColours(1, 2), 2);
}

TEST_F(VtTest, UnderSCOAnsiAListDoesNotUnderline) {
  opt().ScoAnsiMode = 1;
  Feed("\x1b[0;4mA\x1b[4mB");
  EXPECT_EQ(screen().ScreenAttrs(1, 1), 0);
  EXPECT_EQ(screen().ScreenAttrs(1, 2), kAttrUnderline);
}

struct DottedCase {
  const char* name;
  std::string sgr;
  int16_t attr, fore;
};

class VtDottedSgr : public VtTest, public ::testing::WithParamInterface<DottedCase> {};

TEST_P(VtDottedSgr, TakesThePairThatCounts) {
  Feed("\x1b[4m\x1b[." + GetParam().sgr + "X");
  EXPECT_EQ(screen().ScreenAttrs(1, 1), GetParam().attr);
  EXPECT_EQ(screen().ScreenForeColours(1, 1), GetParam().fore);
}

INSTANTIATE_TEST_SUITE_P(Vt, VtDottedSgr,
                         ::testing::Values(DottedCase{"OneDigit", "1m", kAttrBold, 0},
                                           DottedCase{"Reverse", "7m", kAttrReverseUnderline, 0},
                                           DottedCase{"SecondOfTwoDigits", "01m", kAttrBold, 0},
                                           DottedCase{"TwoDigitsAreNoColour", "31m", kAttrBold, 0},
                                           DottedCase{"ColourAfterASemicolon", "1;33m", kAttrUnderline, 6},
                                           DottedCase{"AnUnknownShapeIsDropped", "1;2;3m", kAttrUnderline, 0}),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace korvane
