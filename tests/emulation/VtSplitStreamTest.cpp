// A VT220 stream gives the same screen, attributes, colours, cursor and
// answers however the connection splits it: a sequence cut by the end of
// what has arrived takes its further bytes as they come.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostInputFixture.h"
#include "emulation/HostSequences.h"
#include "emulation/VtInterpreter.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingPort.h"
#include "fakes/EmulationSession.h"

namespace korvane {
namespace {

// What a session shows after the stream, in one comparable text.
std::string Outcome(fakes::EmulationSession& s, const std::string& answer) {
  std::string out;
  for (int r = 1; r <= s.screen.ScreenRows; ++r) {
    for (int c = 1; c <= 80; ++c) {
      out += std::to_string(s.screen.ScreenChars(r, c)) + "/" + std::to_string(s.screen.ScreenAttrs(r, c));
      out += "/" + std::to_string(s.screen.ScreenForeColours(r, c)) + "/" +
             std::to_string(s.screen.ScreenBackColours(r, c)) + " ";
    }
    out += "\n";
  }
  out += "cursor " + std::to_string(s.screen.CursorRow()) + " " + std::to_string(s.screen.CursorCol()) + "\n";
  out += "region " + std::to_string(s.screen.ScrollTop) + " " + std::to_string(s.screen.ScrollBottom) + "\n";
  return out + "answer " + answer;
}

std::string Replay(const std::string& stream, size_t split) {
  fakes::FakeClock clock;
  fakes::RecordingPort port(570, 414);
  fakes::EmulationSession s(port, clock);
  s.Opt.TextSizeValue = 12;
  s.Opt.AutoWrapOn = 1;
  s.Opt.EmuVt100 = s.Opt.EmuVt220 = 1;
  s.Opt.AutoAnsiColours = 1;
  s.Opt.ProgramFontOption = 1;
  s.Opt.ExtendedAnsiMode = 1;
  s.Opt.CurrentForeColour = 17;
  s.Opt.BackgroundColour = 18;
  s.screen.ComputeCellMetrics();
  s.screen.MoveToCell(1, 1);
  HostSequences shared(s.screen, s.Opt, s.vt, s.around.services);
  VtInterpreter vt(s.screen, s.Opt, s.vt, shared);
  s.input.SetInterpreters(nullptr, &vt);
  s.input.SetSharedSequences(&shared);
  auto link = std::make_unique<testing_support::TimedLink>(clock);
  auto* raw = link.get();
  link->FeedAt(clock.Milliseconds(), stream.substr(0, split));
  link->FeedAt(clock.Milliseconds() + 40, stream.substr(split));
  s.conn.PtyStream = std::move(link);
  s.input.ProcessHostInput();
  clock.AdvanceMs(200);
  s.input.ProcessHostInput();
  return Outcome(s, raw->written);
}

TEST(VtSplitStream, AnySplitGivesTheSameResult) {
  const std::string stream =
      "\x1b[H\x1b[2J\x1b[1;24r\x1b[?7h"
      "login: guest\r\n"
      "\x1b[7m Menu \x1b[0m\x1b[0;34m blue \x1b[01;32mgreen\x1b[m\r\n"
      "\x1b(0lqqqk\x1b(B\x1b[3;1H\x1b[1;4mbold under\x1b[27m\r\n"
      "\x1b"
      "7\x1b[10;20Hsaved\x1b"
      "8here\t|tab\x1b[6n\x1b[c\x1b[>c"
      "\x1b[5;10r\x1b[10;1H\nscrolled\x1b[r"
      "\x1b[12;5H\x1b[4hins\x1b[4l\x1b[12;1H\x1b[2P\x1b[3X"
      "\x1b#6wide\n\x1b[15;1H\x1b[.7mdot\x1b[.1;33m33"
      "\x1b[>16;2;17;8;65x\x1b[=5c\x1bPq\"1;1#0;2;0;0;0\x1b\\"
      "\x1b[20;70H" +
      std::string(15, 'w') + "\r\nend\x1b[K";
  const std::string whole = Replay(stream, stream.size());
  // In the extended mode ESC [ > c is a private sequence, not a question.
  ASSERT_NE(whole.find("answer \x1b[4;13R\x1b[?62;1;2;6;7;8c\x02\r38\r"), std::string::npos) << whole;
  for (size_t split = 1; split < stream.size(); ++split)
    EXPECT_EQ(Replay(stream, split), whole) << "split at " << split;
}

}  // namespace
}  // namespace korvane
