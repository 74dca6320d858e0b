// Runs of plain text are written a line segment at a time; the screen, the
// drawn runs and the echoes must be exactly those of the byte-by-byte path.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostInputFixture.h"
#include "emulation/HostSequences.h"
#include "emulation/VtInterpreter.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryLink.h"
#include "fakes/RecordingPort.h"
#include "fakes/EmulationSession.h"

namespace korvane {
namespace {

struct Outcome {
  std::vector<std::string> draws;
  std::string cells, capture, clipboard;
  int row = 0, col = 0;
  bool operator==(const Outcome&) const = default;
};

struct Setup {
  const char* name;
  int width;  // the window's width in pixels
  int16_t autoWrap;
  int16_t colours;
};

// Feeds `stream` to a VT session; `byteByByte` turns on an option that keeps
// every character on the writer's own path without changing what a stream
// without reverse blanks shows.
Outcome Show(const std::string& stream, const Setup& setup, bool byteByByte) {
  fakes::FakeClock clock;
  fakes::RecordingPort port(setup.width, 414);
  fakes::EmulationSession s(port, clock);
  s.Opt.TextSizeValue = 12;
  s.Opt.AutoWrapOn = setup.autoWrap;
  s.Opt.EmuVt100 = 1;
  s.Opt.AutoAnsiColours = 1;
  s.Opt.ColourModeA = setup.colours;
  s.Opt.SkipReverseBlankOption = byteByByte ? 1 : 0;
  s.screen.ComputeCellMetrics();
  s.screen.WindowColumns = static_cast<int16_t>(std::min(80, setup.width / 7 - 1));
  s.screen.MoveToCell(1, 1);
  HostSequences shared(s.screen, s.Opt, s.vt, s.around.services);
  VtInterpreter vt(s.screen, s.Opt, s.vt, shared);
  fakes::RecordingServices& echo = s.around.record;
  s.input.CaptureFileOn = 1;
  s.input.ClipboardLineCopy = 1;
  s.input.SetInterpreters(nullptr, &vt);
  auto link = std::make_unique<fakes::MemoryLink>(&clock);
  link->Feed(stream);
  s.conn.PtyStream = std::move(link);
  for (int i = 0; i < 20; ++i) s.input.ProcessHostInput();
  Outcome o;
  o.draws = port.Texts();
  for (int r = 1; r <= 24; ++r)
    for (int c = 1; c <= 207; ++c)
      o.cells += std::to_string(s.screen.ScreenChars(r, c)) + ":" + std::to_string(s.screen.ScreenAttrs(r, c)) + ":" +
                 std::to_string(s.screen.ScreenForeColours(r, c)) + ":" +
                 std::to_string(s.screen.ScreenBackColours(r, c)) + " ";
  o.capture = echo.capture;
  o.clipboard = echo.clipboard;
  o.row = s.screen.CursorRow();
  o.col = s.screen.CursorCol();
  return o;
}

class PrintableRun : public ::testing::TestWithParam<Setup> {};

TEST_P(PrintableRun, GivesTheSameScreenDrawingAndEchoesAsOneByteAtATime) {
  std::string stream = "\x1b[1;31;42m";
  for (int i = 0; i < 700; ++i) stream += static_cast<char>('!' + i % 90);
  stream += "\x1b[4m\r\nshort\x1b[5;70Hnear the margin and beyond it\x1b[m" + std::string(300, 'z') + "\r\nend";
  const Outcome fast = Show(stream, GetParam(), false), slow = Show(stream, GetParam(), true);
  EXPECT_EQ(fast.cells, slow.cells);
  EXPECT_EQ(fast.draws, slow.draws);
  EXPECT_EQ(fast.capture, slow.capture);
  EXPECT_EQ(fast.clipboard, slow.clipboard);
  EXPECT_EQ(fast.row, slow.row);
  EXPECT_EQ(fast.col, slow.col);
}

INSTANTIATE_TEST_SUITE_P(Vt, PrintableRun,
                         ::testing::Values(Setup{"Wrapping", 570, 1, 0}, Setup{"WrappingInColour", 570, 1, 1},
                                           Setup{"NoWrap", 570, 0, 1}, Setup{"NarrowWindow", 300, 1, 0},
                                           Setup{"NarrowWindowNoWrap", 300, 0, 0}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(PrintableRunWatch, TheClosedLinkTextIsSeenInsideARun) {
  fakes::FakeClock clock;
  fakes::RecordingPort port(570, 414);
  fakes::EmulationSession s(port, clock);
  s.Opt.EmuVt100 = 1;
  s.Opt.TelnetSession = 1;
  HostSequences shared(s.screen, s.Opt, s.vt, s.around.services);
  VtInterpreter vt(s.screen, s.Opt, s.vt, shared);
  s.input.SetInterpreters(nullptr, &vt);
  auto link = std::make_unique<fakes::MemoryLink>(&clock);
  link->Feed("bye\r\nConnection closed by foreign host.");
  s.conn.PtyStream = std::move(link);
  s.input.ProcessHostInput();
  EXPECT_EQ(s.around.record.Count("CloseConnection"), 1);
}

}  // namespace
}  // namespace korvane
