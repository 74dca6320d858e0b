// Drawing during a flood of host output: the gate stops drawing once a frame's
// worth has been drawn, the planes stay exact, and a repaint re-arms it.

#include <gtest/gtest.h>

#include "HostInputFixture.h"
#include "emulation/FloodGate.h"

namespace korvane {
namespace {

// The session draws through a gate into the recording port.
class FloodTest : public ::testing::Test {
 protected:
  FloodTest() : port(570, 414), gate(port), session(gate, clock) {
    session.Opt.TextSizeValue = 12;
    session.Opt.AutoWrapOn = 1;
    session.screen.ComputeCellMetrics();
    session.screen.MoveToCell(1, 1);
    auto link = std::make_unique<fakes::MemoryLink>(&clock);
    pty = link.get();
    session.conn.PtyStream = std::move(link);
    session.input.SetFloodGate(&gate);
  }
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    while (pty->Waiting() > 0) session.input.ProcessHostInput();
  }
  std::string Row(int r) {
    std::string out;
    for (int c = 1; c <= 80; ++c) {
      const int16_t ch = session.screen.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    return out.substr(0, out.find_last_not_of(' ') + 1);
  }

  fakes::FakeClock clock;
  fakes::RecordingPort port;
  FloodGate gate;
  fakes::EmulationSession session;
  fakes::MemoryLink* pty = nullptr;
};

TEST_F(FloodTest, AFloodStopsDrawingButThePlanesKeepEveryLine) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  Feed(text);
  EXPECT_EQ(port.Of("ScrollRect").size(), 3u);
  EXPECT_TRUE(gate.Tripped());
  EXPECT_EQ(session.screen.RepaintPending, 1);
  EXPECT_EQ(Row(1), "line 178");
  EXPECT_EQ(Row(23), "line 200");
  // The cursor, read back from the pen, is where the text left it.
  Feed("end");
  EXPECT_EQ(Row(24), "end");
  EXPECT_EQ(session.screen.CursorCol(), 4);
  EXPECT_EQ(port.Pen().h, 7 * 3 + 4);
}

TEST_F(FloodTest, ARepaintReArmsTheGate) {
  std::string text;
  for (int i = 1; i <= 50; ++i) text += "x\r\n";
  Feed(text);
  ASSERT_TRUE(gate.Tripped());
  {
    FloodGate::RepaintScope repaint(gate);
    // What the repaint draws is not counted and not dropped.
    for (int i = 0; i < 200; ++i) gate.EraseRect({0, 0, 10, 10});
  }
  EXPECT_FALSE(gate.Tripped());
  port.Clear();
  session.screen.RepaintPending = 0;
  Feed("$ ");
  EXPECT_EQ(port.Texts(), std::vector<std::string>{"$ "});
  EXPECT_EQ(session.screen.RepaintPending, 0);
}

TEST_F(FloodTest, LightOutputInEveryFrameIsDrawnAtOnce) {
  for (int i = 0; i < 40; ++i) {
    Feed("ok\r\n");
    clock.AdvanceMs(20);
  }
  EXPECT_FALSE(gate.Tripped());
  EXPECT_EQ(port.Texts().size(), 40u);
  EXPECT_EQ(session.screen.RepaintPending, 0);
}

TEST(FloodGate, DroppedTextStillMovesThePenAndStateCallsPassThrough) {
  fakes::RecordingPort port;
  FloodGate gate(port);
  gate.TextCell(7, 12, 3);
  gate.SetLimits(1, 1);
  gate.BeginPass(0);
  const uint8_t text[] = {'a', 'b', 'c'};
  gate.MoveTo(4, 12);
  gate.DrawText(text, 3);
  gate.DrawText(text, 3);
  EXPECT_TRUE(gate.Tripped());
  EXPECT_EQ(port.Texts().size(), 1u);
  EXPECT_EQ(port.Pen().h, 4 + 6 * 7);
  gate.ForeColour({1, 2, 3});
  EXPECT_EQ(port.fore(), (platform::RGB{1, 2, 3}));
  gate.LineTo(50, 50);
  EXPECT_TRUE(port.Of("LineTo").empty());
  EXPECT_EQ(port.Pen(), (platform::Point{50, 50}));
  EXPECT_TRUE(gate.EndPass());
  // Outside a pass nothing is dropped, tripped or not.
  gate.EraseRect({0, 0, 5, 5});
  EXPECT_EQ(port.Of("EraseRect").size(), 1u);
}

}  // namespace
}  // namespace korvane
