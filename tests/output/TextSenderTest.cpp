// The text sender on the fake clock: the bytes a file becomes on the line,
// when each line goes (the host's echo met or missed, the line delay), the
// acknowledged form's answers, and Ctrl+. in the middle of a file.

#include "output/TextSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClock.h"

namespace korvane::output {
namespace {

struct Sent {
  std::string bytes;
  int64_t tick;
};

class RecordingSendHost final : public SendHost {
 public:
  explicit RecordingSendHost(const platform::Clock& c) : clock(c) {}
  const platform::Clock& clock;
  std::vector<Sent> sent;
  bool open = true, ready = true, sendInProgress = false, acknowledged = false, echo = false;
  int answer = 0, discarded = 0, busy = 0, arrow = 0;
  std::vector<int> countsShown;
  std::vector<std::string> alerts;

  bool EnsureConnectionOpen() override { return open; }
  bool ReadyToSend() override { return ready; }
  void SendToHost(std::string_view bytes) override { sent.push_back({std::string(bytes), clock.Ticks()}); }
  void SetSendInProgress(bool on, bool ack) override {
    sendInProgress = on;
    acknowledged = ack;
  }
  bool TakeLineEchoSeen() override { return std::exchange(echo, false); }
  int TakeHostAnswer() override { return std::exchange(answer, 0); }
  void DiscardHostInput() override { ++discarded; }
  void ShowBusyCursor() override { ++busy; }
  void RestoreArrowCursor() override { ++arrow; }
  void ShowLinesTransmitted(int count) override { countsShown.push_back(count); }
  void StopAlert(const std::string& text, const std::string& second) override { alerts.push_back(text + "|" + second); }

  std::string All() const {
    std::string out;
    for (const Sent& s : sent) out += s.bytes;
    return out;
  }
};

class TextSenderTest : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  SessionOptions opt;
  RecordingSendHost host{clock};
  TextSender sender{opt, host, clock};

  TextSenderTest() {
    opt.EchoPacedSend = 1;
    opt.NoEchoWait = 1;
    opt.LineDelay = 0;
  }
  // Steps the sender until it ends (at most `steps` steps, a tick apart).
  void RunToEnd(int steps = 10000) {
    for (int i = 0; i < steps && sender.Step(); ++i) clock.AdvanceTicks(1);
  }
};

TEST_F(TextSenderTest, LineEndsOfEveryKindBecomeOneCarriageReturnEach) {
  struct Case {
    const char* name;
    std::string file;
    int16_t tabAsRs, addLf;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"CR ends", "ab\rcd\r", 0, 0, {"ab\r", "cd\r"}},
      {"LF ends", "ab\ncd\n", 0, 0, {"ab\r", "cd\r"}},
      {"CR LF ends", "ab\r\ncd\r\n", 0, 0, {"ab\r", "cd\r"}},
      {"empty line kept", "ab\r\n\r\ncd", 0, 0, {"ab\r", "\r", "cd\r"}},
      {"LF CR is two ends", "ab\n\rcd", 0, 0, {"ab\r", "\r", "cd\r"}},
      {"last line without an end", "ab\ncd", 0, 0, {"ab\r", "cd\r"}},
      {"empty file", "", 0, 0, {"\r"}},
      {"CR LF asked for", "ab\ncd\r\n", 0, 1, {"ab\r\n", "cd\r\n"}},
      {"TAB as RS",
       "a\tb\n",
       1,
       0,
       {"a\x1e"
        "b\r"}},
      {"TAB kept", "a\tb\n", 0, 0, {"a\tb\r"}},
      {"8-bit bytes as they are", "\x8e\xff\n", 0, 0, {"\x8e\xff\r"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    opt.TabAsRecordSeparator = c.tabAsRs;
    opt.SendLineAddsLf = c.addLf;
    host.sent.clear();
    ASSERT_TRUE(sender.Start(c.file));
    RunToEnd();
    ASSERT_FALSE(sender.Active());
    std::vector<std::string> lines;
    for (const Sent& s : host.sent) lines.push_back(s.bytes);
    EXPECT_EQ(lines, c.lines);
    EXPECT_FALSE(host.sendInProgress);
  }
}

TEST_F(TextSenderTest, EchoMetSendsTheNextLineAfterTheLineDelay) {
  opt.NoEchoWait = 0;
  opt.LineDelay = 5;
  ASSERT_TRUE(sender.Start("one\ntwo\nthree\n"));
  EXPECT_TRUE(host.sendInProgress);
  const int64_t t0 = clock.Ticks();
  sender.Step();
  ASSERT_EQ(host.sent.size(), 1u);
  EXPECT_EQ(host.sent[0].tick, t0);
  // The host echoes the line end two ticks later; the delay starts then.
  clock.AdvanceTicks(2);
  sender.Step();
  EXPECT_EQ(host.sent.size(), 1u);
  host.echo = true;
  sender.Step();
  for (int i = 0; i < 4; ++i) {
    clock.AdvanceTicks(1);
    sender.Step();
  }
  EXPECT_EQ(host.sent.size(), 1u) << "the line delay is not over";
  clock.AdvanceTicks(1);
  sender.Step();
  ASSERT_EQ(host.sent.size(), 2u);
  EXPECT_EQ(host.sent[1].bytes, "two\r");
  EXPECT_EQ(host.sent[1].tick, t0 + 2 + 5);
}

TEST_F(TextSenderTest, AMissedEchoHoldsEachLineForThreeSecondsPlusTheDelay) {
  opt.NoEchoWait = 0;
  opt.LineDelay = 2;
  ASSERT_TRUE(sender.Start("a\nb\n"));
  const int64_t t0 = clock.Ticks();
  sender.Step();
  ASSERT_EQ(host.sent.size(), 1u);
  // One tick before the echo wait and the delay are over: nothing.
  clock.AdvanceTicks(TextSender::kEchoWaitTicks + 2 - 1);
  sender.Step();
  sender.Step();
  EXPECT_EQ(host.sent.size(), 1u);
  clock.AdvanceTicks(1);
  sender.Step();
  sender.Step();
  ASSERT_EQ(host.sent.size(), 2u);
  EXPECT_EQ(host.sent[1].tick - t0, TextSender::kEchoWaitTicks + 2);
  // An echo that came before the line went does not count for it.
  host.echo = true;
  RunToEnd();
  EXPECT_FALSE(sender.Active());
}

TEST_F(TextSenderTest, CtrlPeriodInTheMiddleSendsNothingMoreAndDiscardsWaitingInput) {
  opt.NoEchoWait = 0;
  ASSERT_TRUE(sender.Start("first\nsecond\nthird\n"));
  sender.Step();
  ASSERT_EQ(host.All(), "first\r");
  host.echo = true;
  sender.Cancel();
  EXPECT_FALSE(sender.Active());
  EXPECT_EQ(host.discarded, 1);
  EXPECT_FALSE(host.sendInProgress);
  EXPECT_GE(host.arrow, 1);
  for (int i = 0; i < 400; ++i) {
    clock.AdvanceTicks(1);
    EXPECT_FALSE(sender.Step());
  }
  EXPECT_EQ(host.All(), "first\r");
}

TEST_F(TextSenderTest, ALineWaitsWhileTheLineHasNoRoomAndNothingIsLost) {
  ASSERT_TRUE(sender.Start("x\ny\n"));
  host.ready = false;
  for (int i = 0; i < 20; ++i) {
    clock.AdvanceTicks(1);
    sender.Step();
  }
  EXPECT_TRUE(host.sent.empty());
  host.ready = true;
  RunToEnd();
  EXPECT_EQ(host.All(), "x\ry\r");
}

TEST_F(TextSenderTest, AClosedConnectionThatCannotBeOpenedSendsNothing) {
  host.open = false;
  EXPECT_FALSE(sender.Start("x\n"));
  EXPECT_FALSE(sender.Active());
  EXPECT_TRUE(host.sent.empty());
}

TEST_F(TextSenderTest, AcknowledgedFormFollowsTheHostsAnswers) {
  opt.EchoPacedSend = 0;
  opt.LineDelay = 1;
  ASSERT_TRUE(sender.Start("one\ntwo\n"));
  EXPECT_TRUE(host.acknowledged);
  sender.Step();
  ASSERT_EQ(host.All(), "one\r");
  // The host asks for the line again, then takes it.
  host.answer = 'R';
  sender.Step();
  EXPECT_EQ(host.All(), "one\rone\r");
  host.answer = 'J';
  sender.Step();
  EXPECT_EQ(host.countsShown, std::vector<int>{1});
  // The line delay and three ticks more pass before the next line.
  clock.AdvanceTicks(opt.LineDelay + TextSender::kAnsweredLineExtraTicks - 1);
  sender.Step();
  EXPECT_EQ(host.All(), "one\rone\r");
  clock.AdvanceTicks(1);
  sender.Step();
  EXPECT_EQ(host.All(), "one\rone\rtwo\r");
  host.answer = 'J';
  sender.Step();
  clock.AdvanceTicks(10);
  sender.Step();
  // The file is complete: the host is told.
  EXPECT_FALSE(sender.Active());
  EXPECT_EQ(host.All(), "one\rone\rtwo\rEND\r");
  EXPECT_EQ(host.countsShown, (std::vector<int>{1, 2}));
  EXPECT_TRUE(host.alerts.empty());
  EXPECT_EQ(host.discarded, 0);
}

TEST_F(TextSenderTest, AcknowledgedFormStopsOnAProblemOrSilenceAndTellsTheHost) {
  opt.EchoPacedSend = 0;
  struct Case {
    const char* name;
    int answer;        // the host's letter after the first line (0: none)
    bool alert;        // "Data transfer problem"
    std::string sent;  // everything the host received
    int discarded;     // waiting host input thrown away
  };
  const Case cases[] = {
      {"problem reported", 'N', true, "a\rEND\r", 1},
      {"no answer at all", 0, true, "a\rEND\r", 1},
      {"the host has enough", 'X', false, "a\r", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.sent.clear();
    host.alerts.clear();
    host.discarded = 0;
    ASSERT_TRUE(sender.Start("a\nb\n"));
    sender.Step();
    host.answer = c.answer;
    if (c.answer == 0) {
      clock.AdvanceTicks(TextSender::kAnswerWaitTicks - 1);
      EXPECT_TRUE(sender.Step());
      clock.AdvanceTicks(1);
    }
    sender.Step();
    EXPECT_FALSE(sender.Active());
    EXPECT_EQ(host.All(), c.sent);
    EXPECT_EQ(host.alerts.size(), c.alert ? 1u : 0u);
    if (c.alert) {
      EXPECT_EQ(host.alerts[0], "Data transfer problem|(Aborting Transfer)   ");
    }
    EXPECT_EQ(host.discarded, c.discarded);
  }
}

TEST_F(TextSenderTest, CtrlPeriodInAnAcknowledgedSendTellsTheHostItIsOver) {
  opt.EchoPacedSend = 0;
  ASSERT_TRUE(sender.Start("a\nb\n"));
  sender.Step();
  sender.Cancel();
  EXPECT_EQ(host.All(), "a\rEND\r");
  EXPECT_EQ(host.discarded, 1);
  EXPECT_FALSE(sender.Active());
}

}  // namespace
}  // namespace korvane::output
