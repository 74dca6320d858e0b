// The function-key sender: key strings with their tokens and delays, one-off
// strings, and ordinary keys with the local echo.

#include <gtest/gtest.h>

#include "input/KeyFixture.h"

namespace korvane::testing {
namespace {

using namespace platform;

class KeyStrings : public KeyFixture {
 protected:
  std::string Continue() {
    const size_t before = link->written.size();
    Translator().ContinueKeyStrings();
    return link->written.substr(before);
  }
  std::string Key(int n, const std::string& definition) {
    s.Opt.FkeyStrings[static_cast<size_t>(n)] = definition;
    return FunctionKey(n);
  }
};

TEST_F(KeyStrings, ADelayHoldsTheRestOfTheStringWhileTheSessionGoesOn) {
  EXPECT_EQ(Key(1, "ab{CRcd{DLef"), "ab\rcd");
  EXPECT_EQ(s.keys.PendingKeyStrings.size(), 1u);
  const int64_t sent = link->writtenAtMs.back();
  clock.AdvanceTicks(59);
  EXPECT_EQ(Continue(), "");
  clock.AdvanceTicks(1);
  EXPECT_EQ(Continue(), "ef");
  EXPECT_GE(link->writtenAtMs.back() - sent, 1000);
  EXPECT_TRUE(s.keys.PendingKeyStrings.empty());

  EXPECT_EQ(Key(2, "{DF!"), "");
  clock.AdvanceTicks(299);
  EXPECT_EQ(Continue(), "");
  clock.AdvanceTicks(1);
  EXPECT_EQ(Continue(), "!");
}

TEST_F(KeyStrings, AKeyAskedForDuringADelayFollowsTheOneThatWaits) {
  s.Opt.FkeyStrings[2] = "c";
  EXPECT_EQ(Key(1, "a{DLb"), "a");
  EXPECT_EQ(FunctionKey(2), "");
  // Typed keys are not held back by the delay.
  EXPECT_EQ(Press({kKeyX, 0, 'x'}), "x");
  clock.AdvanceTicks(60);
  EXPECT_EQ(Continue(), "bc");
  EXPECT_TRUE(s.keys.PendingKeyStrings.empty());
}

TEST_F(KeyStrings, ActionTokens) {
  // A full redraw is asked for; nothing is sent.
  EXPECT_EQ(Key(1, "{CS"), "");
  EXPECT_EQ(s.screen.RedrawCounter, 1);
  // The break, as the break command sends it.
  s.Opt.BreakString = "BRK";
  EXPECT_EQ(Key(1, "a{BKb"), "aBRKb");
  // The clipboard's text.
  EXPECT_EQ(Key(1, "{PA"), "");
  EXPECT_EQ(hooks.pastes, 1);
  // The control letter is taken in either case.
  EXPECT_EQ(Key(1, "{CTc"), "\x03");
}

TEST_F(KeyStrings, ControlKAndLPageTheScrollBackViewAndEndTheString) {
  s.Opt.ScrollBackOn = 0;
  EXPECT_EQ(Key(1, "{CTK{CTLx"), "\x0b\x0cx");
  s.Opt.ScrollBackOn = 1;
  Screen& sc = s.screen;
  sc.ScrollBackLinePos = 200;
  sc.ScrollBackViewLine = sc.ScrollBackViewDrawnLine = 200;
  EXPECT_EQ(Key(1, "{CTKx"), "");
  EXPECT_EQ(sc.ScrollBackViewLine, 200 - sc.ScreenRows);
  EXPECT_EQ(Key(1, "{CTlx"), "");
  EXPECT_EQ(sc.ScrollBackViewLine, 200);
  EXPECT_TRUE(s.keys.PendingKeyStrings.empty());
}

TEST_F(KeyStrings, AOneOffStringThatEndsTheConnectionClosesItHalfASecondLater) {
  input::KeyTranslator t = Translator();
  t.SendKeyString("bye{CR", true);
  EXPECT_EQ(link->written, "bye\r");
  EXPECT_EQ(hooks.closes, 0);
  clock.AdvanceTicks(29);
  EXPECT_TRUE(t.ContinueKeyStrings());
  EXPECT_EQ(hooks.closes, 0);
  clock.AdvanceTicks(1);
  EXPECT_FALSE(t.ContinueKeyStrings());
  EXPECT_EQ(hooks.closes, 1);
  // A key's own string never closes anything, and the one-off left the
  // function keys as they were.
  EXPECT_EQ(Key(32, "z"), "z");
  EXPECT_EQ(hooks.closes, 1);
}

TEST_F(KeyStrings, AStringLongerThanAKeyStringIsCutAt255Bytes) {
  input::KeyTranslator t = Translator();
  t.SendKeyString(std::string(300, 'q'), false);
  EXPECT_EQ(link->written, std::string(255, 'q'));
}

TEST_F(KeyStrings, LocalEchoWritesTypedKeysOnTheScreen) {
  Emulate(EmulationKind::Viewpoint);
  s.keys.LocalEchoMode = 2;
  s.Opt.AutoWrapOn = 1;
  s.input.ClipboardLineCopy = 1;
  s.input.CaptureFileOn = 1;
  Screen& sc = s.screen;
  EXPECT_EQ(Press({kKeyA, 0, 'a'}), "a");
  EXPECT_EQ(Press({kKeyB, 0, 'b'}), "b");
  EXPECT_EQ(Row(1), "ab");
  EXPECT_EQ(sc.CursorCol(), 3);
  EXPECT_EQ(Press({kKeyReturn}), "\r");
  EXPECT_EQ(sc.CursorRow(), 2);
  EXPECT_EQ(sc.CursorCol(), 1);
  // Backspace at the start of a row goes back onto the last character of
  // the row above, and waits a moment after each.
  const int64_t before = clock.Milliseconds();
  EXPECT_EQ(Press({kKeyBackspace}), "\b");
  EXPECT_EQ(Row(1), "a");
  EXPECT_EQ(sc.CursorRow(), 1);
  EXPECT_EQ(sc.CursorCol(), 2);
  EXPECT_EQ(Press({kKeyBackspace}), "\b");
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(clock.Milliseconds() - before, 100);
  EXPECT_EQ(sinks.clipboard, "ab\r");
  EXPECT_EQ(sinks.capture, "\b\b");
  // A full row wraps onto the next.
  for (int i = 0; i < 81; ++i) Press({kKeyX, 0, 'x'});
  EXPECT_EQ(Row(1), std::string(80, 'x'));
  EXPECT_EQ(Row(2), "x");
  // Without local echo nothing is written.
  s.keys.LocalEchoMode = 0;
  Press({kKeyZ, 0, 'z'});
  EXPECT_EQ(Row(2), "x");
}

TEST_F(KeyStrings, LocalEchoAtTheBottomScrollsAndBackspaceAtColumnOneWithoutWrapStays) {
  Emulate(EmulationKind::Viewpoint);
  s.keys.LocalEchoMode = 2;
  Screen& sc = s.screen;
  // The rows the window holds (a scroll takes the row count from it).
  const int last = sc.ScreenRows = sc.ScreenRowsForWindow();
  sc.SetCursorRow(static_cast<int16_t>(last));
  Press({kKeyA, 0, 'a'});
  Press({kKeyReturn});
  EXPECT_EQ(sc.CursorRow(), last);
  EXPECT_EQ(Row(last - 1), "a");
  EXPECT_EQ(Row(last), "");
  s.Opt.AutoWrapOn = 0;
  sc.SetCursorRow(3);
  sc.SetCursorCol(1);
  sc.ScreenChars(2, 1) = 'q';
  EXPECT_EQ(Press({kKeyBackspace}), "\b");
  EXPECT_EQ(sc.CursorRow(), 3);
  EXPECT_EQ(sc.CursorCol(), 1);
  EXPECT_EQ(Row(2), "q");
}

}  // namespace
}  // namespace korvane::testing
