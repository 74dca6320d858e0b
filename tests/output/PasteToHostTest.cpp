// Pasting the clipboard's text to the host: what the host receives, at what
// pace, and that a long text goes out in pieces between which the main loop
// has its turn.

#include "output/PasteToHost.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeClock.h"
#include "fakes/RecordingClipboard.h"

namespace korvane {
namespace {

// A session that records what is sent; with `echoes` its host echoes every
// line end as soon as it arrives, as a shell does.
class RecordingPasteHost final : public output::PasteHost {
 public:
  std::string sent;
  std::vector<size_t> pieces;  // the size of every SendToHost
  std::vector<int64_t> pieceTicks;
  bool echoes = false, connectionOpens = true, sending = false;
  int beeps = 0, discards = 0, busy = 0;
  platform::Clock* clock = nullptr;

  // How many more pieces the line takes before it is full; -1: no end.
  int room = -1;

  bool EnsureConnectionOpen() override { return connectionOpens; }
  bool ReadyToSend() override { return room != 0; }
  void SendToHost(std::string_view bytes) override {
    sent.append(bytes);
    if (room > 0) --room;
    pieces.push_back(bytes.size());
    pieceTicks.push_back(clock ? clock->Ticks() : 0);
    if (echoes && bytes.find('\r') != std::string_view::npos) echo_ = true;
  }
  void SetSendInProgress(bool on) override { sending = on; }
  bool TakeLineEchoSeen() override { return std::exchange(echo_, false); }
  void DiscardHostInput() override { ++discards; }
  void ShowBusyCursor() override { ++busy; }
  void RestoreArrowCursor() override { --busy; }
  void Beep() override { ++beeps; }

 private:
  bool echo_ = false;
};

class PasteToHostTest : public ::testing::Test {
 protected:
  PasteToHostTest() {
    opt.ClipboardLineDelay = 1;  // the defaults of the paste delays
    opt.ClipboardCharDelay = 4;
    host.clock = &clock;
  }
  // Steps the paste as the main loop would, one tick a turn; the number of turns.
  int RunToEnd(int limit = 10000000) {
    int steps = 0;
    while (paste.Step()) {
      clock.AdvanceTicks(1);
      if (++steps > limit) break;
    }
    return steps;
  }

  SessionOptions opt;
  fakes::FakeClock clock;
  fakes::RecordingClipboard board;
  output::ClipboardText clip{board};
  RecordingPasteHost host;
  output::PasteToHost paste{clip, opt, host, clock};
};

TEST_F(PasteToHostTest, MegabyteReachesTheHostByteForByteInPieces) {
  // About 1 MB of lines of varying length, ending in LF or CR LF as other
  // programs write them, some with characters outside ASCII.
  std::string text, expected;
  for (int i = 0; text.size() < (1u << 20); ++i) {
    std::string line = "line " + std::to_string(i) + " " + std::string(static_cast<size_t>(i % 97), 'a' + i % 26);
    if (i % 11 == 0) {
      line += " café";
    }
    text += line + (i % 3 == 0 ? "\r\n" : "\n");
    std::string hostLine = line;
    if (i % 11 == 0) hostLine.replace(hostLine.size() - 2, 2, "\x8E");
    expected += hostLine + "\r";
  }
  board.text = text;
  host.echoes = true;
  ASSERT_TRUE(paste.StartTextUpload());
  EXPECT_TRUE(host.sending);
  const int steps = RunToEnd();

  EXPECT_EQ(host.sent.size(), expected.size());
  EXPECT_TRUE(host.sent == expected);
  EXPECT_FALSE(paste.Active());
  EXPECT_FALSE(host.sending);
  EXPECT_EQ(host.busy, 0);
  // One line at most per turn of the main loop: it had a turn between every
  // two pieces.
  const size_t lines = static_cast<size_t>(std::count(expected.begin(), expected.end(), '\r'));
  EXPECT_EQ(host.pieces.size(), lines);
  EXPECT_GE(static_cast<size_t>(steps), lines);
  EXPECT_LE(*std::max_element(host.pieces.begin(), host.pieces.end()), output::PasteToHost::kLineMax);
}

TEST_F(PasteToHostTest, LinesWithoutEndsGoInPiecesOf255Bytes) {
  board.text = std::string(600, 'x');
  opt.NoEchoWait = 1;
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  EXPECT_EQ(host.pieces, (std::vector<size_t>{255, 255, 90}));
  EXPECT_EQ(host.sent, std::string(600, 'x'));
}

TEST_F(PasteToHostTest, TabGoesAsRecordSeparatorWhenSet) {
  board.text = "a\tb\n";
  opt.TabAsRecordSeparator = 1;
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  EXPECT_EQ(host.sent,
            "a\x1E"
            "b\r");
}

TEST_F(PasteToHostTest, EachLineWaitsForItsEchoOrFifteenTicks) {
  board.text = "one\ntwo\n";
  // A host that never echoes: each line waits 15 ticks, then the line delay.
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  ASSERT_EQ(host.pieceTicks.size(), 2u);
  EXPECT_EQ(host.pieceTicks[1] - host.pieceTicks[0], 15 + 1);
  // A host that echoes at once: only the line delay.
  host = RecordingPasteHost{};
  host.clock = &clock;
  host.echoes = true;
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  ASSERT_EQ(host.pieceTicks.size(), 2u);
  EXPECT_EQ(host.pieceTicks[1] - host.pieceTicks[0], 1 + 1);
}

TEST_F(PasteToHostTest, SlowCharacterPaceSendsOneCharacterAtATime) {
  board.text = "abc\n";
  opt.ClipboardCharDelay = 50;  // 3 ticks after each character
  opt.NoEchoWait = 1;
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  EXPECT_EQ(host.sent, "abc\r");
  EXPECT_EQ(host.pieces, (std::vector<size_t>{1, 1, 1, 1}));
  EXPECT_EQ(host.pieceTicks[1] - host.pieceTicks[0], 3);
}

TEST_F(PasteToHostTest, CancelStopsAtOnceAndDiscardsHostInput) {
  board.text = "one\ntwo\nthree\n";
  ASSERT_TRUE(paste.StartTextUpload());
  paste.Step();
  paste.Cancel();
  EXPECT_FALSE(paste.Active());
  EXPECT_FALSE(paste.Step());
  EXPECT_EQ(host.sent, "one\r");
  EXPECT_EQ(host.discards, 1);
  EXPECT_FALSE(host.sending);
  EXPECT_EQ(host.busy, 0);
}

TEST_F(PasteToHostTest, ALineWithoutRoomHoldsThePasteAndLosesNothing) {
  board.text = "one\ntwo\nthree\n";
  opt.NoEchoWait = 1;
  opt.ClipboardLineDelay = 0;
  host.room = 1;
  ASSERT_TRUE(paste.StartTextUpload());
  for (int turn = 0; turn < 50; ++turn) {
    EXPECT_TRUE(paste.Step());
    clock.AdvanceTicks(1);
  }
  // The host took one line and nothing since: the paste waits, nothing is
  // sent into a full line and nothing is dropped.
  EXPECT_EQ(host.sent, "one\r");
  EXPECT_TRUE(paste.Active());
  EXPECT_EQ(paste.BytesLeft(), 10u);
  host.room = -1;
  RunToEnd();
  EXPECT_EQ(host.sent, "one\rtwo\rthree\r");
}

TEST_F(PasteToHostTest, TextIsTakenWhenThePasteStarts) {
  board.text = "one\ntwo\n";
  ASSERT_TRUE(paste.StartTextUpload());
  paste.Step();
  board.OtherProgramSets("something else");
  RunToEnd();
  EXPECT_EQ(host.sent, "one\rtwo\r");
  // The next paste starts again from the beginning of the clipboard's text.
  host.sent.clear();
  board.text = "again\n";
  ASSERT_TRUE(paste.StartTextUpload());
  RunToEnd();
  EXPECT_EQ(host.sent, "again\r");
}

TEST_F(PasteToHostTest, PasteThatCannotStartBeepsAndSendsNothing) {
  board.text.reset();
  EXPECT_FALSE(paste.StartTextUpload());
  board.text = "";
  EXPECT_FALSE(paste.StartTextUpload());
  EXPECT_EQ(host.beeps, 2);
  board.text = "x";
  host.connectionOpens = false;
  EXPECT_FALSE(paste.StartTextUpload());
  host.connectionOpens = true;
  ASSERT_TRUE(paste.StartTextUpload());
  EXPECT_FALSE(paste.StartTextUpload());  // one paste at a time
  EXPECT_EQ(host.beeps, 3);
  RunToEnd();
  EXPECT_EQ(host.sent, "x");
}

}  // namespace
}  // namespace korvane
