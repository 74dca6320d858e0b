// The replay tool's pieces: its command line, how it prints a screen and the
// bytes sent back to the host.

#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/RecordingPort.h"
#include "tools/korvane-replay/Replay.h"
#include "fakes/WindowlessSession.h"

namespace korvane::replay {
namespace {

TEST(ReplayArguments, AreReadWithTheirDefaults) {
  Options o;
  std::string error;
  ASSERT_TRUE(ParseArguments({"--rows", "30", "--attrs", "a.bytes", "b.bytes"}, o, error)) << error;
  EXPECT_EQ(o.rows, 30);
  EXPECT_EQ(o.cols, 80);
  EXPECT_TRUE(o.attrs);
  EXPECT_FALSE(o.bench);
  EXPECT_EQ(o.emulation, "");
  EXPECT_EQ(o.files, (std::vector<std::string>{"a.bytes", "b.bytes"}));
}

TEST(ReplayArguments, AreRefusedWithAReason) {
  struct Bad {
    std::vector<std::string> args;
    const char* reason;
  };
  const Bad cases[] = {
      {{}, "no input file"},
      {{"--rows", "0", "f"}, "--rows takes a number from 1 to 71"},
      {{"--rows", "72", "f"}, "--rows takes a number from 1 to 71"},
      {{"--cols", "x", "f"}, "--cols takes a number from 1 to 206"},
      {{"--cols", "207", "f"}, "--cols takes a number from 1 to 206"},
      {{"--emulation"}, "option --emulation needs a value"},
      {{"--colour", "f"}, "unknown option --colour"},
  };
  for (const Bad& b : cases) {
    Options o;
    std::string error;
    EXPECT_FALSE(ParseArguments(b.args, o, error));
    EXPECT_NE(error.find(b.reason), std::string::npos) << error;
  }
}

TEST(ReplayOutput, BytesSentBackAreEscapedAsInC) {
  EXPECT_EQ(EscapeBytes("\x1b[?1;2c"), "\\033[?1;2c");
  EXPECT_EQ(EscapeBytes("a\r\n\t\\\""), "a\\r\\n\\t\\\\\\\"");
  EXPECT_EQ(EscapeBytes(std::string("\0\xff", 2)), "\\000\\377");
}

TEST(ReplayOutput, TheScreenIsPrintedTrimmedWithBase36Attributes) {
  fakes::FakeClock clock;
  fakes::RecordingPort port;
  fakes::WindowlessSession window(port, clock);
  Session& s = window.session;
  const char* text = "ab";
  s.screen.ScreenChars(1, 1) = text[0];
  s.screen.ScreenChars(1, 3) = text[1];
  s.screen.ScreenChars(2, 2) = 230;  // the screen font's horizontal line
  s.screen.ScreenAttrs(1, 1) = 1;
  s.screen.ScreenAttrs(1, 2) = 10;
  s.screen.ScreenAttrs(1, 3) = 25;
  s.screen.ScreenAttrs(2, 1) = 7;
  s.screen.SetCursorRow(2);
  s.screen.SetCursorCol(3);
  EXPECT_EQ(FormatScreen(s, 3, 5, true), "a b\n \u2500\n\ncursor 2 3\n1ap\n7\n\n");
  EXPECT_EQ(FormatScreen(s, 1, 5, false), "a b\ncursor 2 3\n");
}

TEST(ReplayEmulations, EveryTermNameIsAcceptedWithItsFlags) {
  const char* names[] = {"vp", "wy50", "wy60", "wy370", "tvi925", "vt100", "vt220", "Prism"};
  ASSERT_EQ(Emulations().size(), std::size(names));
  for (size_t i = 0; i < std::size(names); ++i) {
    const Emulation& e = Emulations()[i];
    EXPECT_STREQ(e.name, names[i]);
    SessionOptions o;
    e.setFlags(o);
    fakes::FakeClock clock;
    fakes::RecordingPort port;
    fakes::WindowlessSession window(port, clock);
    Session& s = window.session;
    s.Opt = o;
    const auto route = s.input.RouteByEmulation();
    EXPECT_EQ(route, e.vtFamily ? HostInput::Route::VtFamily : HostInput::Route::WyseFamily) << e.name;
  }
}

}  // namespace
}  // namespace korvane::replay
