// The set-ups on real pseudo-terminals, with the recorder child standing in
// for the shell and the telnet client: every byte typed reaches the child as
// the set-up typed it, and the per-byte pacing reaches it too.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PtyFixture.h"

namespace korvane::testing_support {
namespace {

class RecordedSetup : public FastPtyTest {
 protected:
  RecordedSetup() {
    // A raw terminal from the start: the recorder sees each byte as typed,
    // carriage returns included.
    opt.PtyOption159 = opt.PtyOption160 = opt.PtyOption161 = 1;
    programs.Tcsh = Recorder();
    programs.Telnet = Recorder();
    FakeProgram("telnet", "exit 0\n");
    FakeProgram("ssh", "exit 0\n");
  }
  // Everything the recorder received once `last` has arrived.
  std::string Received(const std::string& last) { return WaitForInput(log, last).input; }
};

TEST_F(RecordedSetup, TelnetClientLines) {
  SetKind(opt, conn, "telnet");
  SetEmulation(opt, "TeleVideo 925");
  opt.TelnetViaShell = 0;
  opt.TelnetHost = "host.example";
  opt.TelnetPort = "2323";
  opt.TelnetOptions = "-8";
  opt.DiscardLoginOutput133 = 1;
  child.StartSessionChild();
  EXPECT_EQ(Received("open host.example -2323\r"),
            "environ define TERM tvi925\r"
            "environ unexport TERM\r"
            "environ define MODE character\r"
            "environ define TERM_PROGRAM_VERSION \"0.1\"\r"
            "set -8\r"
            "open host.example -2323\r");
  EXPECT_EQ(RecorderLog::Read(log).argv, std::vector<std::string>{Recorder()});
}

TEST_F(RecordedSetup, SecureShellLines) {
  SetKind(opt, conn, "ssh");
  SetEmulation(opt, "Wyse 370");
  opt.SshHost = "host.example";
  opt.SshUser = "bob";
  opt.SshPort = "2222";
  opt.DiscardLoginOutput134 = 1;
  child.StartSessionChild();
  EXPECT_EQ(Received("host.example\r"),
            "setenv TERM wy60\r"
            "exec ssh -l bob -p 2222 -- host.example\r");
}

TEST_F(RecordedSetup, LocalShellLinesAndTheWindowSize) {
  SetKind(opt, conn, "local");
  SetEmulation(opt, "Wyse 60");
  opt.ShellRunsTcsh = 1;
  conn.SessionColumns = 132;
  child.StartSessionChild();
  EXPECT_EQ(Received("stty cols  132\r"), "setenv TERM wy50\rstty rows  24\rstty cols  132\r");
  const RecorderLog rec = RecorderLog::Read(log);
  EXPECT_EQ(rec.rows, 24);
  EXPECT_EQ(rec.cols, 132);
}

TEST_F(RecordedSetup, TheLoginChoiceRunsTheLoginShellAsALoginShellAtHome) {
  programs.LoginShell = Recorder();
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT100");
  opt.ShellRunsLogin = 1;
  child.StartSessionChild();
  ASSERT_TRUE(WaitUntil([&] { return RecorderLog::Read(log).ready; }));
  const RecorderLog rec = RecorderLog::Read(log);
  const std::string name = Recorder().substr(Recorder().rfind('/') + 1);
  EXPECT_EQ(rec.argv, std::vector<std::string>{"-" + name});
  EXPECT_EQ(rec.cwd, home.path());
  // Nothing is typed into a login.
  conn.SendToHost("probe", 13);
  EXPECT_EQ(WaitForInput(log, "probe\r").input, "probe\r");
}

TEST_F(RecordedSetup, KermitFromTheProgramsOwnFolderForTelnet) {
  const std::string folder = home / "data/korvane/kermit";
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/kermit", "#!/bin/sh\nexit 0\n", 0755);
  SetKind(opt, conn, "telnet");
  SetEmulation(opt, "VT100");
  opt.KermitMode = 1;
  opt.TelnetHost = "h.example";
  opt.TelnetPort = "23";
  opt.DiscardLoginOutput133 = 1;
  child.StartSessionChild();
  const std::string documents = programs.DocumentsFolder;
  EXPECT_EQ(documents, home / "Documents");
  EXPECT_EQ(Received("/telnet\r"),
            "setenv TERM vt100\r"
            "setenv TERM_PROGRAM Korvane\r"
            "setenv MODE character\r"
            "setenv TERM_PROGRAM_VERSION \"0.1\"\r"
            "cd " +
                folder +
                "\r"
                "chmod +x kermit\r"
                "./kermit\r"
                "set telnet terminal-type vt100\r"
                "set file collision overwrite\r"
                "cd /\r"
                "cd " +
                documents.substr(1) +
                "\r"
                "mkdir kermit_transfers\r"
                "cd kermit_transfers\r"
                "set host /connect /nowait h.example 23 /telnet\r");
}

// Real time: the pauses after each byte reach the child, not only a buffer.
TEST_F(PtyTest, PacedLinesArriveByteByByte) {
  opt.PtyOption159 = 1;
  env.Set("KORVANE_RECORDER_BANNER", "% ");  // a prompt ends the wait for the shell
  programs.Tcsh = Recorder();
  FakeProgram("telnet", "exit 0\n");
  SetKind(opt, conn, "telnet");
  SetEmulation(opt, "VT220");
  opt.TelnetViaShell = 1;
  opt.TelnetHost = "h";
  opt.DiscardLoginOutput133 = 1;
  child.StartSessionChild();
  const RecorderLog rec = WaitForInput(log, "exec telnet -- h -\r");
  EXPECT_EQ(rec.input,
            "setenv TERM vt220\r"
            "setenv TERM_PROGRAM Korvane\r"
            "setenv MODE character\r"
            "setenv TERM_PROGRAM_VERSION \"0.1\"\r"
            "exec telnet -- h -\r");
  const std::string line = "setenv TERM_PROGRAM Korvane\r";
  const size_t at = rec.input.find(line);
  ASSERT_NE(at, std::string::npos) << rec.input;
  // 27 bytes, 10 ms after each: the bytes come in many reads spread over at
  // least a good part of 270 ms (a sleep is never shorter than asked).
  int reads = 0;
  size_t seen = 0;
  for (const auto& c : rec.chunks) {
    if (seen >= at && seen < at + line.size()) ++reads;
    seen += c.bytes.size();
  }
  EXPECT_GT(reads, 10);
  EXPECT_GE(rec.ArrivalOf(at + line.size() - 1) - rec.ArrivalOf(at), 26 * 10 / 2);
  // And the 100 ms pause after the line comes before the next one.
  EXPECT_GE(rec.ArrivalOf(at + line.size()) - rec.ArrivalOf(at + line.size() - 1), 100 / 2);
}

}  // namespace
}  // namespace korvane::testing_support
