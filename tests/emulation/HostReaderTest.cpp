// The input pass: chunk sizes and the pass limit, sequences that cross a chunk
// boundary or are cut off by the one-second wait, the byte transformations of
// GetNextHostByte, and what happens without input.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

class HostReader : public HostInputTest {
 protected:
  std::string SeenBytes() const {
    std::string out;
    for (const auto& s : script.seen) out += static_cast<char>(s.byte);
    return out;
  }
};

TEST_F(HostReader, APtyChunkStopsAt1023BytesAndTheNextChunkTakesTheRest) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed(std::string(1100, 'a'));
  in().ProcessHostInput();
  ASSERT_EQ(script.seen.size(), 1100u);
  EXPECT_EQ(script.seen[1022].chunkCount, 1023);
  EXPECT_EQ(script.seen[1023].chunkCount, 77);
}

TEST_F(HostReader, APassEndsAfter30ChunksUnlessASendIsUnderWay) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed(std::string(31 * 1023 + 5, 'a'));
  in().ProcessHostInput();
  EXPECT_EQ(script.seen.size(), 30u * 1023);
  EXPECT_EQ(pty->Waiting(), 1023 + 5);
  EXPECT_EQ(record.downloadSteps, 0);

  pty->Feed(std::string(40 * 1023, 'b'));
  in().SendInProgress = 1;
  in().ProcessHostInput();
  EXPECT_EQ(pty->Waiting(), 0);
  EXPECT_EQ(script.seen.size(), 71u * 1023 + 5);
  // With nothing more to read, the send goes on.
  EXPECT_EQ(record.sendSteps, 1);
}

// A chunk the terminal could not fill ends the pass as a read that finds
// nothing would: the terminal is not asked again at once (such a read waits
// for the kernel's feeder of the terminal), and what the host sends meanwhile
// is read by the next pass, in order.
TEST_F(HostReader, APassEndsAfterAChunkTheTerminalCouldNotFill) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("ABC");
  in().ProcessHostInput();
  EXPECT_EQ(SeenBytes(), "ABC");
  EXPECT_EQ(pty->emptyReads, 1) << "the terminal was asked again after it had nothing more";
  EXPECT_EQ(record.downloadSteps, 1) << "the pass ended as at no input";
  pty->Feed("DEF");
  EXPECT_EQ(pty->Waiting(), 3);
  in().ProcessHostInput();
  EXPECT_EQ(SeenBytes(), "ABCDEF");
  EXPECT_EQ(record.downloadSteps, 2);
  // Full chunks go on within the pass, as far as the terminal fills them.
  pty->Feed(std::string(3 * 1023 + 1, 'x'));
  in().ProcessHostInput();
  EXPECT_EQ(script.seen.size(), 6u + 3 * 1023 + 1);
  EXPECT_EQ(pty->Waiting(), 0);
}

TEST_F(HostReader, EveryPtyByteReachesTheInterpreterOnceAndNoNulIsAdded) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("AB");
  in().ProcessHostInput();
  pty->Feed("C");
  in().ProcessHostInput();
  EXPECT_EQ(SeenBytes(), "ABC");
}

TEST_F(HostReader, ASequenceCutByTheChunkEndTakesItsBytesFromTheConnection) {
  UseScript();
  opt().AutoWrapOn = 1;
  auto* pty = OpenTimedPty();
  const int64_t t0 = clock.Milliseconds();
  pty->FeedAt(t0, std::string(1022, 'x') + "\x1b");
  pty->FeedAt(t0 + 40, "AByz");
  in().ProcessHostInput();
  EXPECT_EQ(script.sequences, std::vector<std::string>{"ESCAB"});
  EXPECT_GE(clock.Milliseconds(), t0 + 40);
  EXPECT_LT(clock.Milliseconds(), t0 + 60);
  in().ProcessHostInput();
  // 1022 x fill 12 rows and 62 columns.
  EXPECT_EQ(Row(13), std::string(62, 'x') + "yz");
}

TEST_F(HostReader, AHostThatDripsASequenceCannotHoldAPass) {
  // One byte every 30 ms, for ever: each pass gives up within its budget and
  // the window goes on; a host keeps nothing waiting for it.
  UseScript();
  auto* pty = OpenTimedPty();
  const int64_t t0 = clock.Milliseconds();
  pty->FeedAt(t0, "\x1b");
  for (int i = 1; i <= 200; ++i) pty->FeedAt(t0 + 30 * i, "A");
  for (int pass = 0; pass < 20; ++pass) {
    const int64_t start = clock.Milliseconds();
    in().ProcessHostInput();
    EXPECT_LE(clock.Milliseconds() - start, HostInput::kPassWaitBudgetMs + 5) << "pass " << pass;
  }
}

TEST_F(HostReader, AStreamSplitAtAnyByteGivesTheSameScreen) {
  const std::string stream = "login: \x1bXYuser\r\n" + std::string(85, 'w') +
                             "\r\n\x1b"
                             "AB\x1b"
                             "CDend";
  auto run = [&](size_t split, std::vector<std::string>& rows, std::vector<std::string>& sequences) {
    fakes::FakeClock c;
    fakes::RecordingPort p(570, 414);
    fakes::EmulationSession s(p, c);
    s.Opt.TextSizeValue = 12;
    s.Opt.AutoWrapOn = 1;
    s.Opt.EmuViewpoint = 1;
    s.screen.ComputeCellMetrics();
    s.screen.MoveToCell(1, 1);
    testing_support::ScriptInterpreter interp;
    s.input.SetInterpreters(&interp, nullptr);
    auto link = std::make_unique<testing_support::TimedLink>(c);
    link->FeedAt(c.Milliseconds(), stream.substr(0, split));
    link->FeedAt(c.Milliseconds() + 40, stream.substr(split));
    s.conn.PtyStream = std::move(link);
    s.input.ProcessHostInput();
    c.AdvanceMs(200);
    s.input.ProcessHostInput();
    for (int r = 1; r <= 4; ++r) {
      std::string row;
      for (int col = 1; col <= 80; ++col)
        row += static_cast<char>(s.screen.ScreenChars(r, col) ? s.screen.ScreenChars(r, col) : ' ');
      rows.push_back(row);
    }
    rows.push_back("cursor " + std::to_string(s.screen.CursorRow()) + " " + std::to_string(s.screen.CursorCol()));
    sequences = interp.sequences;
  };
  std::vector<std::string> wholeRows, wholeSequences;
  run(stream.size(), wholeRows, wholeSequences);
  ASSERT_EQ(wholeSequences, (std::vector<std::string>{"ESCXY", "ESCAB", "ESCCD"}));
  for (size_t split = 1; split < stream.size(); ++split) {
    std::vector<std::string> rows, sequences;
    run(split, rows, sequences);
    EXPECT_EQ(rows, wholeRows) << "split at " << split;
    EXPECT_EQ(sequences, wholeSequences) << "split at " << split;
  }
}

struct CutCase {
  const char* name;
  int64_t arrivalMs;  // after the sequence started waiting
  const char* sequence;
};

class SequenceCut : public HostReader, public ::testing::WithParamInterface<CutCase> {};

TEST_P(SequenceCut, TheWaitForTheNextByteOfAPseudoTerminalLastsThePassBudget) {
  UseScript();
  auto* pty = OpenTimedPty();
  const int64_t t0 = clock.Milliseconds();
  pty->FeedAt(t0,
              "\x1b"
              "A");
  pty->FeedAt(t0 + GetParam().arrivalMs, "B");
  in().ProcessHostInput();
  ASSERT_EQ(script.sequences.size(), 1u);
  EXPECT_EQ(script.sequences[0], GetParam().sequence);
  EXPECT_LE(clock.Milliseconds() - t0, HostInput::kPassWaitBudgetMs + 5);
}

INSTANTIATE_TEST_SUITE_P(HostReader, SequenceCut,
                         ::testing::Values(CutCase{"ArrivesWithinTheBudget", HostInput::kPassWaitBudgetMs - 4, "ESCAB"},
                                           CutCase{"ArrivesTooLate", HostInput::kPassWaitBudgetMs + 10, "ESCA!"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostReader, AByteAfterATimeOutIsReadAsText) {
  UseScript();
  auto* pty = OpenTimedPty();
  const int64_t t0 = clock.Milliseconds();
  pty->FeedAt(t0,
              "\x1b"
              "A");
  pty->FeedAt(t0 + 2000, "BC");
  in().ProcessHostInput();
  EXPECT_EQ(in().NextHostByte, 0);
  clock.AdvanceMs(2000);
  in().ProcessHostInput();
  EXPECT_EQ(Row(1), "BC");
}

TEST_F(HostReader, AnEndedConnectionEndsTheWaitAtOnce) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("text\x1b");
  pty->End();
  const int64_t t0 = clock.Milliseconds();
  in().ProcessHostInput();
  EXPECT_EQ(script.sequences, std::vector<std::string>{"ESC!!"});
  EXPECT_EQ(clock.Milliseconds(), t0);
  EXPECT_EQ(Row(1), "text");
}

TEST_F(HostReader, CancelEndsTheWaitWithoutATimeOut) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("\x1b");
  record.cancel = true;
  const int64_t t0 = clock.Milliseconds();
  in().ProcessHostInput();
  EXPECT_EQ(clock.Milliseconds(), t0);
  EXPECT_EQ(in().HostReadTimedOut, 0);
  EXPECT_EQ(in().NextHostByte, 0);
}

struct ByteCase {
  const char* name;
  int16_t vt, prism, nationalOff, c1;
  std::string bytes;
  std::vector<int> expected;  // what GetNextHostByte delivers
};

class NextByte : public HostReader, public ::testing::WithParamInterface<ByteCase> {};

TEST_P(NextByte, DeliversTheBytesAsTheEmulationTakesThem) {
  const ByteCase& c = GetParam();
  auto* pty = OpenPty();
  opt().EmuVt100 = c.vt;
  opt().EmuPrism = c.prism;
  opt().NationalCharsOff = c.nationalOff;
  in().C1ControlsOn = static_cast<int8_t>(c.c1);
  pty->Feed(c.bytes);
  std::vector<int> got;
  for (size_t i = 0; i < c.expected.size(); ++i) {
    in().GetNextHostByte();
    got.push_back(in().NextHostByte);
  }
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(HostReader, NextByte,
                         ::testing::Values(ByteCase{"VtNeverSeesNul", 1, 0, 0, 0, std::string("a\0b", 3), {'a', 'b'}},
                                           ByteCase{"WyseSeesNul", 0, 0, 0, 0, std::string("a\0b", 3), {'a', 0, 'b'}},
                                           ByteCase{"EighthBitStripped", 0, 0, 0, 0, "\xC1", {0x41}},
                                           ByteCase{"EighthBitKeptWithNationalCharsOff", 0, 0, 1, 0, "\xC1", {0xC1}},
                                           ByteCase{"EighthBitKeptOnPrism", 0, 1, 0, 0, "\xC1", {0xC1}},
                                           ByteCase{"C1IntroducerBecomesBracket", 1, 0, 1, 1, "\x9B", {'['}}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostReader, ReplayComesFirstAndAPushedBackByteComesBeforeTheRest) {
  auto* pty = OpenPty();
  pty->Feed("z");
  in().StartReplay("12");
  std::vector<int> got;
  in().GetNextHostByte();
  got.push_back(in().NextHostByte);
  in().PushBackHostByte('p');
  for (int i = 0; i < 3; ++i) {
    in().GetNextHostByte();
    got.push_back(in().NextHostByte);
  }
  EXPECT_EQ(got, (std::vector<int>{'1', 'p', '2', 'z'}));
  EXPECT_EQ(in().ReplayActive, 0);
}

TEST_F(HostReader, AReplayUsesAtMost80Bytes) {
  OpenPty();
  in().StartReplay(std::string(100, 'r'));
  int taken = 0;
  for (; taken < 100; ++taken) {
    in().GetNextHostByte();
    if (in().NextHostByte != 'r') break;
  }
  EXPECT_EQ(taken, 80);
}

TEST_F(HostReader, HeldOutputReadsNothingButDoesTheOneShotRequests) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("data");
  in().HoldOutput = 1;
  in().PendingCR = 1;
  in().FlushRequest = 1;
  in().ProcessHostInput();
  EXPECT_TRUE(script.seen.empty());
  EXPECT_EQ(pty->written, "\r");
  EXPECT_EQ(pty->Waiting(), 0);  // flushed
  EXPECT_EQ(in().PendingCR, 0);
  EXPECT_EQ(in().FlushRequest, 0);
}

TEST_F(HostReader, WithoutInputThePassHandsOverToTheDownloadStep) {
  UseScript();
  OpenPty();
  opt().ForceKeypadApplication = 1;
  in().ProcessHostInput();
  EXPECT_EQ(record.downloadSteps, 1);
  EXPECT_EQ(in().KeypadApplicationMode, 1);

  session.conn.PtyStream.reset();
  in().ProcessHostInput();
  EXPECT_EQ(record.downloadSteps, 2);
}

TEST_F(HostReader, BytesReadBeforeASerialErrorAreInterpreted) {
  UseScript();
  // A port that reports 6 bytes and fails after delivering 3 of them.
  class FailingPort final : public HostLink {
   public:
    int reads = 0;
    void Write(const uint8_t*, int) override {}
    int Read(uint8_t* buf, int max) override {
      if (reads++ > 0) return -1;
      const int n = std::min(max, 3);
      std::copy_n(reinterpret_cast<const uint8_t*>("abc"), n, buf);
      return n;
    }
    int Waiting() override { return reads == 0 ? 6 : 0; }
  };
  session.conn.UsesPty = 0;
  session.conn.ConnectionPort = -1;
  session.conn.ConnectionOpen = 1;
  session.conn.SerialChannel = std::make_unique<FailingPort>();
  in().ProcessHostInput();
  EXPECT_EQ(SeenBytes(), "abc");
  EXPECT_EQ(record.Count("OpenSelectedSerialPort"), 1);
}

TEST_F(HostReader, AStreamEndingInsideAChunkKeepsWhatCameBefore) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("last words");
  pty->End();
  in().ProcessHostInput();
  EXPECT_EQ(Row(1), "last words");
}

TEST_F(HostReader, APassStartedInsideAPassLosesNothingOfTheRunningChunk) {
  UseScript();
  auto* pty = OpenPty();
  // The user's hold of the output is checked inside the pass; the check
  // starts another pass.
  in().OutputHeld = 1;
  record.heldPolls = 1;
  record.onHeldPoll = [&] {
    record.onHeldPoll = nullptr;
    in().ProcessHostInput();
  };
  std::string text;
  for (int i = 0; i < 3000; ++i) text += static_cast<char>('a' + i % 26);
  pty->Feed(text);
  in().ProcessHostInput();
  EXPECT_EQ(SeenBytes(), text);
}

TEST_F(HostReader, RoutesByTheEmulationFlagsFirstMatchWinning) {
  struct Route {
    int16_t plain, prism, vt, viewpoint, tvi;
    HostInput::Route route;
  };
  const Route routes[] = {
      {1, 1, 1, 1, 1, HostInput::Route::PlainText},  {0, 1, 1, 0, 0, HostInput::Route::WyseFamily},
      {0, 0, 1, 1, 0, HostInput::Route::VtFamily},   {0, 0, 0, 1, 0, HostInput::Route::WyseFamily},
      {0, 0, 0, 0, 1, HostInput::Route::WyseFamily}, {0, 0, 0, 0, 0, HostInput::Route::PlainText},
  };
  for (const auto& r : routes) {
    in().PlainTextMode = r.plain;
    opt().EmuPrism = r.prism;
    opt().EmuVt100 = r.vt;
    opt().EmuViewpoint = r.viewpoint;
    opt().EmuTvi925 = r.tvi;
    EXPECT_EQ(in().RouteByEmulation(), r.route);
  }
  in().CollectMode = 1;
  EXPECT_EQ(in().RouteByEmulation(), HostInput::Route::Collect);
}

// ---- Host strings that end at a terminator ------------------------------------

class HostStrings : public HostReader {};

TEST_F(HostStrings, EndAtTheTerminator) {
  auto* pty = OpenPty();
  pty->Feed("name\rrest");
  std::string s;
  EXPECT_EQ(in().CollectHostString(s, 16), HostInput::CollectEnd::Terminator);
  EXPECT_EQ(s, "name");
}

TEST_F(HostStrings, StopAtTheCapAndLeaveTheRestForTheInterpreter) {
  UseScript();
  auto* pty = OpenPty();
  // The interpreter stands in for a command that collects a name of at most
  // 4 bytes after "!".
  class NameCollector final : public HostInterpreter {
   public:
    std::string name;
    HostInput::CollectEnd end{};
    void InterpretCharacter(HostInput& in) override {
      if (in.CurrentHostChar == '!') {
        end = in.CollectHostString(name, 4);
        return;
      }
      in.WriteCharacter();
    }
  } collector;
  in().SetInterpreters(&collector, nullptr);
  pty->Feed("!abcdefgh\r");
  in().ProcessHostInput();
  EXPECT_EQ(collector.end, HostInput::CollectEnd::TooLong);
  EXPECT_EQ(collector.name, "abcd");
  EXPECT_EQ(Row(1), "efgh");
}

TEST_F(HostStrings, GiveUpAfterOneSecondWithoutATerminator) {
  auto* pty = OpenPty();
  pty->Feed("no end");
  std::string s;
  const int64_t t0 = clock.Milliseconds();
  EXPECT_EQ(in().CollectHostString(s, 1024), HostInput::CollectEnd::TimedOut);
  EXPECT_EQ(s, "no end");
  EXPECT_GE(clock.Milliseconds() - t0, 1000);
  EXPECT_LE(clock.Milliseconds() - t0, 1020);
}

TEST_F(HostStrings, GiveUpAtOnceWhenTheConnectionHasEnded) {
  auto* pty = OpenPty();
  pty->Feed("cut");
  pty->End();
  std::string s;
  const int64_t t0 = clock.Milliseconds();
  EXPECT_EQ(in().CollectHostString(s, 1024), HostInput::CollectEnd::Closed);
  EXPECT_EQ(clock.Milliseconds(), t0);

  session.conn.PtyStream.reset();
  EXPECT_EQ(in().CollectHostString(s, 1024), HostInput::CollectEnd::Closed);
}

TEST_F(HostStrings, GiveUpWhenTheUserCancels) {
  OpenPty();
  record.cancel = true;
  std::string s;
  EXPECT_EQ(in().CollectHostString(s, 1024), HostInput::CollectEnd::Cancelled);
}

}  // namespace
}  // namespace korvane
