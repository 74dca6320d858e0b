// The host byte stream: order and pacing of sent bytes, flow control, and the
// tests for waiting input, on both kinds of connection.

#include <gtest/gtest.h>

#include "connection/Connection.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryLink.h"
#include "fakes/RecordingConnectionHost.h"

namespace korvane {
namespace {

class HostStream : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  fakes::RecordingConnectionHost host;
  Connection conn{clock, host};
  fakes::MemoryLink* OpenPty() {
    auto link = std::make_unique<fakes::MemoryLink>(&clock);
    auto* raw = link.get();
    conn.UsesPty = 1;
    conn.PtyStream = std::move(link);
    return raw;
  }
  fakes::MemoryLink* OpenSerial() {
    auto link = std::make_unique<fakes::MemoryLink>(&clock);
    auto* raw = link.get();
    conn.UsesPty = 0;
    conn.ConnectionPort = -1;
    conn.ConnectionOpen = 1;
    conn.SerialChannel = std::move(link);
    return raw;
  }
};

// ---- A break ----------------------------------------------------------------

struct BreakCase {
  const char* name;
  int8_t telnet, ssh, localShell;
  int16_t altBreak, altBreakC, sendAbort;
  std::string breakString;
  std::string written;
};

class BreakToHost : public HostStream, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(BreakToHost, SendsWhatTheSessionKindTakesAsABreak) {
  const BreakCase& c = GetParam();
  auto* pty = OpenPty();
  SessionOptions o;
  o.TelnetSession = c.telnet;
  o.SshSession = c.ssh;
  o.LocalShellSession = c.localShell;
  o.AltBreak = c.altBreak;
  o.AltBreakC = c.altBreakC;
  o.SendAbortOption = c.sendAbort;
  o.BreakString = c.breakString;
  conn.SendBreakToHost(o);
  EXPECT_EQ(pty->written, c.written);
}

INSTANTIATE_TEST_SUITE_P(HostStream, BreakToHost,
                         ::testing::Values(BreakCase{"Telnet", 1, 0, 0, 0, 0, 0, "", "\x1dsend brk\r"},
                                           BreakCase{"TelnetAbort", 1, 0, 0, 0, 0, 1, "", "\x1dsend abort\r\r"},
                                           BreakCase{"SecureShellGetsNoTypedCommand", 0, 1, 0, 0, 0, 0, "", ""},
                                           BreakCase{"LocalShell", 0, 0, 1, 0, 0, 0, "", ""},
                                           BreakCase{"AltBreakAndEtx", 1, 0, 0, 1, 1, 0, "", "\x10\x03"},
                                           BreakCase{"BreakString", 1, 0, 0, 0, 0, 0, "~B", "~B"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostStream, ASerialBreakHoldsTheLine270Ms) {
  auto* port = OpenSerial();
  conn.SendBreakToHost(SessionOptions{});
  EXPECT_EQ(host.calls, std::vector<std::string>{"SendSerialBreak 270"});
  EXPECT_EQ(port->written, "");
}

// ---- Sending -------------------------------------------------------------------

TEST_F(HostStream, PacedTextThenTheExtraByteWithoutAWait) {
  auto* pty = OpenPty();
  conn.PerByteDelay = 10;
  const int64_t t0 = clock.Milliseconds();
  conn.SendToHost("abc", 13);
  EXPECT_EQ(pty->written, "abc\r");
  EXPECT_EQ(pty->writtenAtMs, (std::vector<int64_t>{t0, t0 + 10, t0 + 20, t0 + 30}));
  EXPECT_EQ(conn.PerByteDelay, 0);
}

TEST_F(HostStream, OneByteTextIsNotPacedButResetsTheDelay) {
  auto* pty = OpenPty();
  conn.PerByteDelay = 100;
  const int64_t t0 = clock.Milliseconds();
  conn.SendToHost("x");
  EXPECT_EQ(pty->written, "x");
  EXPECT_EQ(clock.Milliseconds(), t0);
  EXPECT_EQ(conn.PerByteDelay, 0);
  conn.PerByteDelay = 5;
  conn.SendToHost("", 0);
  EXPECT_EQ(pty->written, "x");
  EXPECT_EQ(conn.PerByteDelay, 0);
}

TEST_F(HostStream, WithoutAStreamNothingIsSentAndTheDelayStays) {
  conn.UsesPty = 1;
  conn.PerByteDelay = 10;
  conn.SendToHost("abc", 13);
  EXPECT_EQ(conn.PerByteDelay, 10);
  EXPECT_EQ(conn.ConnectionIsOpen(), 0);
  EXPECT_EQ(conn.ConnectedFlag, 0);
}

TEST_F(HostStream, SerialSendKeepsTheEndByteOfAFullText) {
  auto* port = OpenSerial();
  // A 255-byte function-key string still ends in its carriage return.
  conn.SendToHost(std::string(255, 'a'), 13);
  EXPECT_EQ(port->written, std::string(255, 'a') + "\r");
  port->written.clear();
  conn.SendToHost("ok", 13);
  EXPECT_EQ(port->written, "ok\r");
  conn.ConnectionPort = 0;
  conn.SendToHost("lost", 13);
  EXPECT_EQ(port->written, "ok\r");
  EXPECT_EQ(conn.SerialBytesWaiting(), 0);
  EXPECT_EQ(conn.HostDataWaiting(), 0);
}

TEST_F(HostStream, FlowControlBytes) {
  auto* pty = OpenPty();
  conn.SendXoff();
  conn.SendXoffXon();
  EXPECT_EQ(pty->written, "\x13\x13\x11");
  auto* port = OpenSerial();
  conn.SendXoffXon();
  EXPECT_EQ(port->written, "\x13\x11");
}

// A serial line that can send XON and XOFF ahead of the output it holds.
class AheadLink final : public HostLink {
 public:
  std::string written, ahead;
  void Write(const uint8_t* data, int n) override { written.append(reinterpret_cast<const char*>(data), n); }
  int Read(uint8_t*, int) override { return 0; }
  int Waiting() override { return 0; }
  bool SendFlowControlNow(bool xoff) override {
    ahead += xoff ? "<xoff>" : "<xon>";
    return true;
  }
};

TEST_F(HostStream, ASerialLineGetsXoffAndXonAheadOfWhatItHolds) {
  auto line = std::make_unique<AheadLink>();
  AheadLink* raw = line.get();
  conn.UsesPty = 0;
  conn.ConnectionPort = -1;
  conn.ConnectionOpen = 1;
  conn.SerialChannel = std::move(line);
  conn.SendToHost("paste");
  conn.SendXoff();
  conn.SendXoffXon();
  EXPECT_EQ(raw->ahead, "<xoff><xoff><xon>");
  EXPECT_EQ(raw->written, "paste");  // nothing queued behind the paste
}

TEST_F(HostStream, WaitingInputIsMinusOneOnAPtyAndOneOnSerial) {
  auto* pty = OpenPty();
  EXPECT_EQ(conn.HostDataWaiting(), 0);
  pty->Feed("x");
  EXPECT_EQ(conn.HostDataWaiting(), -1);
  auto* port = OpenSerial();
  port->Feed("yz");
  EXPECT_EQ(conn.HostDataWaiting(), 1);
  EXPECT_EQ(conn.SerialBytesWaiting(), 2);
}

TEST_F(HostStream, WaitForDataGivesUpAfterFiveSeconds) {
  OpenPty();
  const int64_t t0 = clock.Ticks();
  conn.WaitHostData5s();
  EXPECT_GE(clock.Ticks() - t0, 300);
  EXPECT_LE(clock.Ticks() - t0, 302);
}

TEST_F(HostStream, FlushDiscardsWhatWaitsOnBothKinds) {
  auto* pty = OpenPty();
  pty->Feed(std::string(3000, 'p'));
  conn.FlushHostInput();
  EXPECT_EQ(pty->Waiting(), 0);
  auto* port = OpenSerial();
  port->Feed(std::string(600, 's'));
  conn.FlushHostInput();
  EXPECT_EQ(port->Waiting(), 0);
}

TEST_F(HostStream, OpenStateFollowsTheKindOfConnection) {
  OpenPty();
  conn.ConnectionOpen = 0;
  EXPECT_EQ(conn.ConnectionIsOpen(), 1);
  conn.PtyStream.reset();
  conn.ConnectionOpen = 1;
  EXPECT_EQ(conn.ConnectionIsOpen(), 0);
  EXPECT_EQ(conn.ConnectedFlag2, 0);
  conn.UsesPty = 0;
  EXPECT_EQ(conn.ConnectionIsOpen(), 1);
}

TEST_F(HostStream, AChildThatEndedIsOpenUntilItsLastOutputIsRead) {
  auto* pty = OpenPty();
  pty->Feed("logout\r\n");
  pty->End();
  EXPECT_EQ(conn.ConnectionIsOpen(), 1);
  uint8_t buf[64];
  EXPECT_EQ(pty->Read(buf, sizeof buf), 8);
  EXPECT_EQ(conn.ConnectionIsOpen(), 0);
  EXPECT_EQ(conn.ConnectedFlag, 0);
  EXPECT_EQ(conn.ConnectedFlag2, 0);
}

TEST_F(HostStream, PtyFlushAlsoForgetsWhatHostInputTookIn) {
  conn.UsesPty = 1;
  conn.FlushHostInput();  // with no stream as well
  OpenSerial()->Feed("x");
  conn.FlushHostInput();
  EXPECT_EQ(host.calls, std::vector<std::string>{"DiscardReceivedInput"});
}

}  // namespace
}  // namespace korvane
