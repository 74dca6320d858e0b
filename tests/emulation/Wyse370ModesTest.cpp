// The Wyse 370's mode letters after ESC ~ change its personality and colour
// mode and nothing else: none of them answers the host. The same letters on
// other Wyse models are host-programming commands.

#include <gtest/gtest.h>

#include <string>

#include "WyseFixture.h"
#include "emulation/HostSequences.h"

namespace korvane::testing_support {
namespace {

class Wyse370Modes : public WyseTest {
 protected:
  Wyse370Modes() : shared(session.screen, session.Opt, session.vt, session.around.services) {
    in().SetSharedSequences(&shared);
  }
  HostSequences shared;
};

TEST_F(Wyse370Modes, EachModeLetterChangesTheModeAndAnswersNothing) {
  struct Case {
    char letter;
    int16_t colourAttributes, tvi925, viewpoint, wyse60;
  };
  const Case cases[] = {
      {'A', 1, 0, 1, 1},  // colour attributes
      {'@', 0, 0, 1, 1},  // Wyse 370 personality
      {'(', 0, 1, 1, 1},  // TeleVideo 925 personality
      {'$', 0, 0, 1, 0},  // Viewpoint personality
  };
  for (const Case& c : cases) {
    Use(EmulationKind::Wyse370);
    screen().WyseColourAttributes = c.letter == 'A' ? 0 : 1;
    pty->written.clear();
    Feed(std::string("\x1b~") + c.letter + "ok");
    EXPECT_EQ(Answer(), "") << "ESC ~ " << c.letter << " typed into the host";
    EXPECT_EQ(screen().WyseColourAttributes, c.colourAttributes) << c.letter;
    EXPECT_EQ(opt().EmuTvi925, c.tvi925) << c.letter;
    EXPECT_EQ(opt().EmuViewpoint, c.viewpoint) << c.letter;
    EXPECT_EQ(opt().EmuWyse60, c.wyse60) << c.letter;
    // The text after the command prints.
    EXPECT_NE(Row(1).find("ok"), std::string::npos) << c.letter << ": " << Row(1);
    screen().ClearScreenAndHome();
  }
}

TEST_F(Wyse370Modes, OnAWyse60TheLetterAIsTheIdentityCommand) {
  Use(EmulationKind::Wyse60);
  Feed("\x1b~A");
  EXPECT_EQ(Answer(), "Korvane\r");
  EXPECT_EQ(screen().WyseColourAttributes, 0);
}

}  // namespace
}  // namespace korvane::testing_support
