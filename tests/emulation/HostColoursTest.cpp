// Colours the host sets belong to the cells written after them: they never
// change the session's colour settings or the window's own background, an
// erase fills with the background the host set, and all attributes off,
// the default colours and a reset bring back the session's own colours.

#include <gtest/gtest.h>

#include <string>

#include "VtFixture.h"

namespace korvane {
namespace {

using testing_support::VtTest;

// The session's own colours in these tests: yellow on blue.
constexpr int16_t kFore = 6, kBack = 9;
// Palette indexes of the ANSI colours used below.
constexpr int16_t kBlack = 18, kRed = 2, kGreen = 4;

class HostSetColours : public VtTest {
 protected:
  HostSetColours() {
    opt().CurrentForeColour = kFore;
    opt().BackgroundColour = kBack;
    opt().ReverseColour = 12;
    // What the program does when it applies a session's settings.
    screen().TakeSessionColours();
  }
  void ExpectSettingsUntouched() {
    EXPECT_EQ(opt().CurrentForeColour, kFore);
    EXPECT_EQ(opt().BackgroundColour, kBack);
    EXPECT_EQ(opt().ReverseColour, 12);
    EXPECT_EQ(screen().BackgroundColour, kBack) << "the window's own background";
  }
};

struct ColourCase {
  const char* name;
  std::string bytes;   // sent first; "X" is written at row 5, column 10 after them
  int16_t fore, back;  // the colours of that X
  int16_t erasedBack;  // background plane of an erased cell far from it (row 20, column 70)
};

class HostSetColourCases : public HostSetColours, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(HostSetColourCases, GoWithTheCellsAndLeaveTheSessionsColours) {
  const ColourCase& c = GetParam();
  Feed("\x1b[H\x1b[2J" + c.bytes + "\x1b[5;10HX");
  EXPECT_EQ(screen().ScreenForeColours(5, 10), c.fore);
  EXPECT_EQ(screen().ScreenBackColours(5, 10), c.back);
  EXPECT_EQ(screen().ScreenBackColours(20, 70), c.erasedBack);
  ExpectSettingsUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Vt, HostSetColourCases,
    ::testing::Values(
        ColourCase{"BackgroundGoesWithTheText", "\x1b[42m", kFore, kGreen, 0},
        ColourCase{"BlackTextGoesWithTheText", "\x1b[30m", kBlack, kBack, 0},
        ColourCase{"ClearFillsWithTheHostsBackground", "\x1b[42m\x1b[2J\x1b[42m", kFore, kGreen, kGreen},
        ColourCase{"EraseToEndOfLineFillsWithIt", "\x1b[20;60H\x1b[41m\x1b[K\x1b[0m", kFore, kBack, kRed},
        ColourCase{"ResetBringsBackTheSessionsColours", "\x1b[30;42m\x1b[0m", kFore, kBack, 0},
        ColourCase{"ResetThenClearIsTheSessionsScreen", "\x1b[30;42m\x1b[2J\x1b[0m\x1b[H\x1b[2J", kFore, kBack, 0},
        ColourCase{"DefaultForeground", "\x1b[30;42m\x1b[39m", kFore, kGreen, 0},
        ColourCase{"DefaultBackground", "\x1b[30;42m\x1b[49m", kBlack, kBack, 0},
        ColourCase{"ListWithResetInIt", "\x1b[31;42m\x1b[0;1m", kFore, kBack, 0},
        ColourCase{"TerminalReset",
                   "\x1b[30;42m\x1b"
                   "c",
                   kFore, kBack, 0},
        ColourCase{"LsColorOutput", "\x1b[0m\x1b[01;34mdir\x1b[0m  \x1b[01;32mrun\x1b[0m\r\n", kFore, kBack, 0}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostSetColours, ScoColourCommandsLeaveTheSettings) {
  opt().ScoAnsiMode = 1;
  opt().ColourModeA = 1;
  // Foreground 4 and background 2 of the console's numbers, reverse colour 1.
  Feed("\x1b[=4F\x1b[=2G\x1b[=1HA");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), kRed);
  EXPECT_EQ(screen().ScreenBackColours(1, 1), kGreen);
  Feed("\x1b[2J");
  EXPECT_EQ(screen().ScreenBackColours(20, 70), kGreen) << "the clear fills with the host's background";
  ExpectSettingsUntouched();
  // A reset of the terminal brings the session's colours back.
  Feed(
      "\x1b"
      "c"
      "B");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), kFore);
  EXPECT_EQ(screen().ScreenBackColours(1, 1), kBack);
  EXPECT_EQ(screen().ReverseColourNow(), 12);
}

TEST_F(HostSetColours, ASettingsChangeTakesTheNewColours) {
  Feed("\x1b[30;42m");
  opt().CurrentForeColour = 17;
  opt().BackgroundColour = 18;
  screen().TakeSessionColours();
  Feed("X");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 17);
  EXPECT_EQ(screen().ScreenBackColours(1, 1), 18);
  EXPECT_EQ(screen().BackgroundColour, 18);
}

}  // namespace
}  // namespace korvane
