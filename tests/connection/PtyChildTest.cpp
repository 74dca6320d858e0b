// Children on real pseudo-terminals: what the child is given, the stream on
// the master side (non-blocking, close-on-exec, push-back, end of stream),
// writes that meet a full terminal, and the hang-up and reaping at the close.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/EchoHold.h"
#include "support/PtyFixture.h"

namespace korvane::testing_support {
namespace {

TEST_F(PtyTest, TheChildGetsItsWordsTheEnvironmentAndTheWindowSize) {
  conn.SessionColumns = 132;
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder() + " one  three", conn.PtyStream), 0);
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  const RecorderLog rec = RecorderLog::Read(log);
  EXPECT_EQ(rec.argv, (std::vector<std::string>{Recorder(), "one", "", "three"}));
  EXPECT_EQ(rec.env.at("HOME"), home.path());
  EXPECT_EQ(rec.rows, 24);
  EXPECT_EQ(rec.cols, 132);
  EXPECT_EQ(rec.icanon, 1);  // the system's default settings
  // The master side never blocks the program and never reaches another child.
  ASSERT_NE(Pty(), nullptr);
  EXPECT_TRUE(fcntl(Pty()->fd(), F_GETFL) & O_NONBLOCK);
  EXPECT_TRUE(fcntl(Pty()->fd(), F_GETFD) & FD_CLOEXEC);
}

TEST_F(PtyTest, AChildHoldsNoDescriptorButItsTerminal) {
  std::unique_ptr<HostLink> first;
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), first), 0);
  // A descriptor opened elsewhere in the program without close-on-exec.
  const int stray = open("/dev/null", O_RDONLY);
  ASSERT_GE(stray, 0);
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  unlink(log.c_str());
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  EXPECT_EQ(RecorderLog::Read(log).fds, (std::vector<int>{0, 1, 2}));
  close(stray);
}

TEST_F(PtyTest, TheTerminalOptionGivesARawTerminalFromTheStart) {
  SetKind(opt, conn, "ssh");
  opt.PtyOption160 = 1;
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  const RecorderLog rec = RecorderLog::Read(log);
  EXPECT_EQ(rec.icanon, 0);
  EXPECT_EQ(rec.echo, 0);
}

TEST_F(PtyTest, AProgramThatCannotStartSaysSoAndItsSessionEnds) {
  for (const std::string line : {"/nonexistent/program", ""}) {
    output.clear();
    ASSERT_EQ(child.SetupPseudoTTYToChild(line, conn.PtyStream), 0) << line;
    ASSERT_NE(Pty(), nullptr);
    const std::string want = line + ": No such file or directory";
    EXPECT_NE(ReadUntil(want).find(want), std::string::npos) << output;
    // Once its output is read the stream has ended, for good, and the child is
    // gone: no zombie is left behind.
    ASSERT_TRUE(WaitUntil([&] { return conn.ConnectionIsOpen() == 0; })) << line;
    uint8_t buf[16];
    EXPECT_EQ(conn.PtyStream->Read(buf, sizeof buf), -1);
    EXPECT_EQ(conn.PtyStream->Waiting(), 0);
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses().empty(); })) << line;
    conn.PtyStream.reset();
  }
}

TEST_F(PtyTest, AByteLookedAtStaysTheNextOneRead) {
  env.Set("KORVANE_RECORDER_BANNER", "hello");
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  child.WaitPtyData5s();
  EXPECT_EQ(SessionChild::PtyHasData(conn.PtyStream.get()), -1);
  EXPECT_EQ(conn.HostDataWaiting(), -1);
  EXPECT_EQ(ReadUntil("hello").substr(0, 5), "hello");
  EXPECT_GT(host.Count("SpinWatchCursor"), 0);
  EXPECT_EQ(host.calls.back(), "ShowArrowCursor");
}

TEST_F(PtyTest, AChildThatDoesNotReadCannotHoldTheProgramAndItsQueueHasABound) {
  // A child that does not read for a while: every write returns at once,
  // what the terminal cannot take waits in order up to the bound, beyond it
  // whole writes are dropped and counted; what was kept reaches the child
  // once it reads.
  env.Set("KORVANE_RECORDER_SLEEP_MS", "1500");
  env.Set("KORVANE_RECORDER_ECHO", "0");
  SetKind(opt, conn, "local");
  opt.PtyOption161 = 1;
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  const std::string piece(64 * 1024 - 1, 'x');
  std::string kept;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 32; ++i) {
    const std::string write = piece + static_cast<char>('A' + i % 26);
    const uint64_t droppedBefore = Pty()->DroppedOutput();
    conn.PtyStream->Write(reinterpret_cast<const uint8_t*>(write.data()), static_cast<int>(write.size()));
    if (Pty()->DroppedOutput() == droppedBefore) kept += write;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_LE(Pty()->PendingOutput(), platform::posix::PtyChild::kMaxQueuedOutput);
  EXPECT_GT(Pty()->DroppedOutput(), 0u);
  EXPECT_LT(kept.size(), 32u * piece.size());
  ReadUntil("", 10);
  ASSERT_TRUE(WaitUntil(
      [&] {
        ReadUntil("", 10);
        return RecorderLog::Read(log).input.size() >= kept.size();
      },
      20000));
  EXPECT_EQ(RecorderLog::Read(log).input, kept);
}

TEST_F(PtyTest, AWriteWithoutWaitingReturnsAtOnceAndItsQueueGoesOutAsTheChildReads) {
  env.Set("KORVANE_RECORDER_SLEEP_MS", "300");
  SetKind(opt, conn, "local");
  opt.PtyOption161 = 1;
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  std::string sent;
  for (int i = 0; sent.size() < 200000; ++i) sent += "line " + std::to_string(i) + "\r";
  const auto start = std::chrono::steady_clock::now();
  Pty()->WriteWithoutWaiting(reinterpret_cast<const uint8_t*>(sent.data()), static_cast<int>(sent.size()));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  // More than a terminal holds: the rest waits, in order, and goes out with
  // the reads.
  EXPECT_GT(Pty()->PendingOutput(), 0u);
  ReadUntil(sent.substr(sent.size() - 20), 20000);
  EXPECT_EQ(Pty()->PendingOutput(), 0u);
  EXPECT_EQ(WaitForInput(log, sent.substr(sent.size() - 20)).input, sent);
}

TEST_F(PtyTest, ClosingHangsUpAndReapsEvenAChildThatIgnoresHangUps) {
  env.Set("KORVANE_RECORDER_IGNORE_HUP", "1");
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  const pid_t pid = Pty()->pid();
  ASSERT_GT(pid, 0);
  EXPECT_EQ(SessionChild::ClosePtyFile(conn.PtyStream.get()), 0);
  // The child saw its terminal go and stayed on; it is gone all the same.
  EXPECT_TRUE(RecorderLog::Read(log).ended);
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
  EXPECT_TRUE(ChildProcesses().empty());
  // A closed stream takes no more bytes and reports its end.
  conn.SendToHost("more", 13);
  EXPECT_EQ(conn.ConnectionIsOpen(), 0);
}

TEST_F(PtyTest, AChildThatExitsEndsTheConnection) {
  env.Set("KORVANE_RECORDER_EXIT_ON", "bye");
  ASSERT_EQ(child.SetupPseudoTTYToChild(Recorder(), conn.PtyStream), 0);
  EXPECT_EQ(conn.ConnectionIsOpen(), 1);
  conn.SendToHost("bye", 13);
  // Host input reads what the child printed last; then the connection is over.
  ASSERT_TRUE(WaitUntil([&] {
    ReadUntil("", 0);
    return conn.ConnectionIsOpen() == 0;
  }));
  EXPECT_NE(output.find("bye"), std::string::npos);
  EXPECT_EQ(conn.ConnectedFlag, 0);
  EXPECT_TRUE(WaitUntil([&] { return ChildProcesses().empty(); }));
  // Writing to the ended stream neither blocks nor fails loudly.
  conn.SendToHost("after", 13);
  child.CloseSessionChild();
  EXPECT_EQ(conn.PtyStream, nullptr);
}

TEST_F(PtyTest, APromptHeldForAnEchoIsOfferedToHostInputOnceNoEchoCanCome) {
  // A child that prints a prompt without ending the line and then waits.
  const std::string program = FakeProgram("prompter", "printf 'login: '\nexec sleep 30\n");
  ASSERT_EQ(child.SetupPseudoTTYToChild(program, conn.PtyStream), 0);
  ASSERT_NE(Pty(), nullptr);
  ASSERT_TRUE(Pty()->HoldEchoOf({"a line never echoed"}));
  // Host input reads only when data is waiting: the prompt must come to be
  // waiting by itself, after the hold's patience at the latest.
  ASSERT_TRUE(WaitUntil([&] { return conn.HostDataWaiting() != 0; }, platform::EchoHold::kPatienceMs + 5000));
  EXPECT_EQ(ReadUntil("login: ", 1000), "login: ");
}

TEST_F(PtyTest, TheWayAChildEndedIsKept) {
  struct Case {
    const char* script;
    LinkEnd::How how;
    int code;
  };
  const Case cases[] = {
      {"exit 7\n", LinkEnd::How::Exited, 7},
      {"exit 0\n", LinkEnd::How::Exited, 0},
      {"kill -TERM $$\n", LinkEnd::How::Signalled, SIGTERM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const std::string program = FakeProgram("ender", c.script);
    ASSERT_EQ(child.SetupPseudoTTYToChild(program, conn.PtyStream), 0);
    ASSERT_TRUE(WaitUntil([&] {
      ReadUntil("", 0);
      return conn.PtyStream->Ended();
    }));
    conn.PtyStream->Close();
    const LinkEnd end = conn.PtyStream->EndOfLink();
    EXPECT_EQ(end.how, c.how);
    EXPECT_EQ(end.code, c.code);
    conn.PtyStream.reset();
  }
}

}  // namespace
}  // namespace korvane::testing_support
