// Keys through the main loop: function keys decoded after their event and
// sent on the key rerun, Control-P on the idle pass, the host's keypad and
// cursor-key modes, key strings that wait for a delay and stay with their
// session, and the wheel.

#include <algorithm>

#include "app/AppFixture.h"
#include "platform/MacKeys.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

using namespace platform;

UiEvent KeyEvent(int window, int code, uint16_t modifiers = 0, int ch = -1) {
  UiEvent e;
  e.kind = UiEventKind::Dialog;
  e.type = kKeyTyped;
  e.window = static_cast<int16_t>(window);
  e.key.keyCode = code;
  e.key.modifiers = modifiers;
  if (ch < 0) ch = FixedKeyCharacter(code);
  if (ch >= 0) e.key.text = std::string(1, static_cast<char>(ch));
  e.number = static_cast<int16_t>(ch < 0 ? 0 : ch);
  return e;
}

UiEvent Wheel(int window, int lines) {
  UiEvent e;
  e.kind = UiEventKind::Wheel;
  e.window = static_cast<int16_t>(window);
  e.wheelDelta = lines;
  return e;
}

class KeyLoop : public AppFixture {
 protected:
  void StartWithKeys() {
    StartLocal();
    SessionOptions& o = Window(48).session.Opt;
    for (int n = 1; n <= 32; ++n) o.FkeyStrings[static_cast<size_t>(n)] = "<F" + std::to_string(n) + ">";
    LinkOf(48).written.clear();
  }
  std::string Sent(const std::vector<UiEvent>& events, int turns = 2) {
    const size_t before = LinkOf(48).written.size();
    pump.script.push_back(events);
    Turns(turns);
    return LinkOf(48).written.substr(before);
  }
};

TEST_F(KeyLoop, FunctionKeysAreDecodedAfterTheirEventAndSentOnTheRerun) {
  StartWithKeys();
  dispatched.clear();
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF1)}), "<F1>");
  // The typed key (its character stands for no key), the pass after the
  // event, then the function key.
  ASSERT_GE(dispatched.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(dispatched.begin(), dispatched.begin() + 3),
            (std::vector<std::string>{"7 5", "7 8", "7 5"}));
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF5, kShiftModifier)}), "<F21>");
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF16)}), "<F16>");
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF16, kShiftModifier)}), "<F32>");
  // Several in one slice, each once and in order.
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF2), KeyEvent(48, kKeyA, 0, 'a'), KeyEvent(48, kKeyF3)}), "<F2>a<F3>");
  // A held function key is sent once, not again for each repeat.
  UiEvent repeat = KeyEvent(48, kKeyF4);
  repeat.key.autoRepeat = true;
  EXPECT_EQ(Sent({repeat, repeat}), "");
  EXPECT_EQ(app->MacFunctionKeyNumber, 0);
}

TEST_F(KeyLoop, ControlPIsSentOnceByTheIdlePass) {
  StartWithKeys();
  EXPECT_EQ(Sent({KeyEvent(48, kKeyP, kControlModifier, 16)}, 4), "\x10");
  EXPECT_EQ(app->ControlPRequest, 0);
}

TEST_F(KeyLoop, FunctionKeysAndControlPGoToTheWindowTheyWereTypedInto) {
  StartWithKeys();
  UiEvent newWindow;
  newWindow.kind = UiEventKind::Menu;
  newWindow.number = platform::kFileMenu;
  newWindow.item = platform::kFileNewSessionWindowItem;
  // The new window becomes the active one before the keys are handled.
  EXPECT_EQ(Sent({newWindow, KeyEvent(48, kKeyF1), KeyEvent(48, kKeyP, kControlModifier, 16)}, 4), "<F1>\x10");
  ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  ASSERT_EQ(processes.links.size(), 2u);
  EXPECT_EQ(processes.links[1]->written.find("<F1>"), std::string::npos);
  EXPECT_EQ(processes.links[1]->written.find('\x10'), std::string::npos);
}

TEST_F(KeyLoop, TheHostsKeypadAndCursorKeyModesReachTheKeys) {
  StartWithKeys();
  Window(48).session.Opt.UpArrowString = "{ES[A";
  EXPECT_EQ(Sent({KeyEvent(48, kKeypad5)}), "5");
  EXPECT_EQ(Sent({KeyEvent(48, kKeyUp)}), "\x1b[A");
  // The host asks for application keypad and cursor keys.
  LinkOf(48).Feed("\x1b=\x1b[?1h");
  Turns(3);
  EXPECT_EQ(Sent({KeyEvent(48, kKeypad5)}), "\x1bOu");
  EXPECT_EQ(Sent({KeyEvent(48, kKeyUp)}), "\x1bOA");
  LinkOf(48).Feed("\x1b>\x1b[?1l");
  Turns(3);
  EXPECT_EQ(Sent({KeyEvent(48, kKeypad5)}), "5");
  EXPECT_EQ(Sent({KeyEvent(48, kKeyUp)}), "\x1b[A");
}

TEST_F(KeyLoop, ADelayedKeyStringGoesOnToItsOwnSessionAfterASwitch) {
  StartWithKeys();
  Window(48).session.Opt.FkeyStrings[1] = "user{CR{DLsecret{CR";
  EXPECT_EQ(Sent({KeyEvent(48, kKeyF1)}), "user\r");
  // The user opens another window while the key string waits.
  Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
  Turns(3);
  ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  ASSERT_EQ(processes.links.size(), 2u);
  fakes::MemoryLink& other = *processes.links[1];
  const std::string otherBefore = other.written;
  clock.AdvanceTicks(61);
  Turns(3);
  EXPECT_EQ(LinkOf(48).written, "user\rsecret\r");
  EXPECT_EQ(other.written, otherBefore);
  EXPECT_TRUE(Window(48).session.keys.PendingKeyStrings.empty());
}

TEST_F(KeyLoop, WheelStepsThatArriveTogetherAddUpAndAHugeOneEnds) {
  StartLocal();
  Screen& s = Window(48).session.screen;
  for (int i = 0; i < 300; ++i) LinkOf(48).Feed("line\r\n");
  Turns(20);
  const int live = s.ScrollBackLinePos;
  ASSERT_GT(live, 200);
  pump.script.push_back({Wheel(48, 1), Wheel(48, 1), Wheel(48, 2)});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live - 4);
  // However far the wheel says, the view stops at the oldest line.
  pump.script.push_back({Wheel(48, 2000000000), Wheel(48, 2000000000)});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, s.ScreenRowsForHeight());
  EXPECT_EQ(app->WheelMoved, 0);
  pump.script.push_back({Wheel(48, -2000000000), Wheel(48, -2000000000)});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live);
}

TEST_F(KeyLoop, TheWheelIsDroppedInTheBackgroundAndWithADialogInFront) {
  StartLocal();
  Screen& s = Window(48).session.screen;
  for (int i = 0; i < 100; ++i) LinkOf(48).Feed("line\r\n");
  Turns(20);
  const int live = s.ScrollBackLinePos;
  UiEvent inactive;
  inactive.kind = UiEventKind::Dialog;
  inactive.type = kAppActivated;
  inactive.number = 2;
  pump.script.push_back({inactive, Wheel(48, 3)});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live);
  EXPECT_EQ(app->WheelMoved, 0);
  // Back in front, the dropped movement does not come back.
  UiEvent active = inactive;
  active.number = 1;
  pump.script.push_back({active});
  Turns(2);
  EXPECT_EQ(s.ScrollBackViewLine, live);
  app->numbered.OpenAppWindow(43);
  pump.script.push_back({Wheel(48, 3)});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live);
  EXPECT_EQ(app->WheelMoved, 0);
}

}  // namespace
}  // namespace korvane::testing
