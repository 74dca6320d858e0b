// The set-up lines of every kind of session, with their pacing, pauses and
// the requests they leave, checked exactly on a fake clock with a child that
// echoes what it is sent (so every wait for output ends at once).

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/LauncherFixture.h"

namespace korvane::testing_support {
namespace {

struct ScheduleCase {
  const char* name;
  std::function<void(SessionOptions&, Connection&, fakes::FakeProcesses&)> configure;
  std::string program;                  // the file the child runs
  std::vector<std::string> transcript;  // Transcript() of what was typed
  std::vector<std::string> requests;    // requests left for later passes
};

void PrintTo(const ScheduleCase& c, std::ostream* os) { *os << c.name; }

const std::vector<std::string> kRefusals = {"set telopt new-environment refuse @0",
                                            "+100",
                                            "set telopt authentication refuse @0",
                                            "+100",
                                            "set telopt kermit refuse @0",
                                            "+100",
                                            "set telopt naws refuse @0",
                                            "+100",
                                            "set telopt forward-x refuse @0",
                                            "+100",
                                            "set telopt com-port-control refuse @0",
                                            "+100",
                                            "set telnet echo remote @0",
                                            "+100",
                                            "set telopt echo refuse @0",
                                            "+100",
                                            "set telnet newline-mode raw @0",
                                            "+100"};

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const std::vector<ScheduleCase>& Cases() {
  static const std::vector<ScheduleCase> cases = {
      {"TelnetClientDirect",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "telnet");
         SetEmulation(o, "VT220");
         o.TelnetViaShell = 0;
         o.TelnetHost = "host.example";
         o.TelnetPort = "2323";
         o.TelnetOptions = "localchars,,crlf";
         o.KermitFlushOutput = 1;
       },
       "/usr/bin/telnet",
       {"+100", "environ define TERM vt220 @10", "+100", "environ unexport TERM @10", "+100",
        "environ define MODE character @10", "+100", "set flushoutput ^F @10", "+100",
        "environ define TERM_PROGRAM_VERSION \"1.2.3\" @10", "+100", "set localchars @100", "set crlf @100",
        "open host.example -2323 @10"},
       {}},
      {"TelnetClientKeepsLoginOutputAndSkipsFlushOutputLine",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "telnet");
         SetEmulation(o, "Wyse 60");
         o.TelnetTerminalType = "vt100";  // a user-set name wins over the emulation
         o.TelnetViaShell = 0;
         o.TelnetHost = "10.0.0.7";
         o.KermitFlushOutput = 1;
         o.AltEditKeys = 1;
         o.DiscardLoginOutput133 = 1;
       },
       "/usr/bin/telnet",
       {"+100", "environ define TERM vt100 @10", "+100", "environ unexport TERM @10", "+100",
        "environ define MODE character @10", "+100", "environ define TERM_PROGRAM_VERSION \"1.2.3\" @10", "+100",
        "open 10.0.0.7 - @10"},
       {}},
      {"TelnetThroughTheShell",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "telnet");
         SetEmulation(o, "Wyse 60");
         o.TelnetViaShell = 1;
         o.TelnetHost = "host.example";
         o.TelnetPort = "23";
         o.TelnetOptions = "-8";
         o.CloseHold = 1;  // a close hold leaves the login output alone too
       },
       "/bin/tcsh",
       {"setenv TERM wy60 @10", "+100", "setenv TERM_PROGRAM Korvane @10", "+100", "setenv MODE character @10", "+100",
        "setenv TERM_PROGRAM_VERSION \"1.2.3\" @10", "+100", "exec telnet -8 -- host.example -23 @10"},
       {}},
      {"TelnetThroughTheShellWithoutATerminalName",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         o.TelnetHost = "[::1]";
         o.DiscardLoginOutput133 = 1;
       },
       "/bin/tcsh",
       {"+100", "setenv TERM_PROGRAM Korvane @10", "+100", "setenv MODE character @10", "+100",
        "setenv TERM_PROGRAM_VERSION \"1.2.3\" @10", "+100", "exec telnet -- '[::1]' - @10"},
       {}},
      {"TelnetWithKermit",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "telnet");
         SetEmulation(o, "VT100");
         o.TelnetViaShell = 0;  // kermit runs from the shell all the same
         o.KermitMode = 1;
         o.KermitRefuseTelopts = 1;
         o.TelnetOptions = "-8,x";
         o.TelnetHost = "h.example";
         o.TelnetPort = "23";
         o.DiscardLoginOutput133 = 1;
         p.executables.insert("/home/u/.local/share/korvane/kermit/kermit");
       },
       "/bin/tcsh",
       Join({{"setenv TERM vt100 @10", "+100", "setenv TERM_PROGRAM Korvane @10", "+100", "setenv MODE character @10",
              "+100", "setenv TERM_PROGRAM_VERSION \"1.2.3\" @10", "+100", "cd /home/u/.local/share/korvane/kermit @10",
              "+100", "chmod +x kermit @0", "+100", "./kermit @0", "+100", "kermit -8,x @0", "+100",
              "set telnet terminal-type vt100 @0", "+100"},
             kRefusals,
             {"set file collision overwrite @0", "+100", "cd / @0", "cd home/u/Documents @0",
              "mkdir kermit_transfers @0", "+100", "cd kermit_transfers @0", "+100",
              "set host /connect /nowait h.example 23 /telnet @0", "+100"}}),
       {}},
      {"SecureShell",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "ssh");
         SetEmulation(o, "Wyse 370");
         o.SshHost = "host.example";
         o.SshUser = "bob";
         o.SshExtraOptions = "-C -i ~/.ssh/id_work";
         o.SshPort = "2222";
         o.DiscardLoginOutput134 = 1;
       },
       "/bin/tcsh",
       {"setenv TERM wy60 @0", "+100", "exec ssh -l bob -C -i ~/.ssh/id_work -p 2222 -- host.example @100"},
       {}},
      {"SecureShellWithKermitOnThePath",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "ssh");
         SetEmulation(o, "VT100");
         o.SshTerminalType = "xterm";
         o.SshHost = "host.example";
         o.SshUser = "bob";
         o.KermitMode = 1;
         o.KermitRefuseTelopts = 1;  // never for secure shell
         p.onPath["kermit"] = "/usr/local/bin/kermit";
       },
       "/bin/tcsh",
       {"setenv TERM xterm @0", "+100", "cd /usr/local/bin @100", "+100", "chmod +x kermit @0", "+100", "./kermit @0",
        "+100", "set telnet terminal-type xterm @0", "+100", "set file collision overwrite @0", "+100",
        "CD /home/u/Documents @0", "+100", "mkdir kermit_transfers @0", "+100", "cd kermit_transfers @0", "+100",
        "ssh -l bob -- host.example @0"},
       {}},
      {"LocalTcsh",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "local");
         SetEmulation(o, "Wyse 370");
         o.ShellRunsTcsh = 1;
         c.SessionColumns = 132;
       },
       "/bin/tcsh",
       {"setenv TERM wy50 @0", "stty rows  24 @0", "stty cols  132 @0", "+500"},
       {"RequestFlushHostInput", "RequestSendReturn", "RequestSendWindowSize"}},
      {"LocalTcshWithKermit",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "local");
         SetEmulation(o, "VT220");
         o.ShellRunsProgram = 1;  // kermit always runs from tcsh
         o.ShellProgram = "/bin/bash";
         o.KermitMode = 1;
         o.TelnetOptions = "-8";  // no options line for the local shell
         p.executables.insert("/home/u/.local/share/korvane/kermit/kermit");
       },
       "/bin/tcsh",
       {"setenv TERM vt220 @0",
        "stty rows  24 @0",
        "stty cols  80 @0",
        "+500",
        "cd /home/u/.local/share/korvane/kermit @0",
        "+100",
        "chmod +x kermit @0",
        "+100",
        "./kermit @0",
        "+100",
        "set telnet terminal-type vt220 @0",
        "+100",
        "set file collision overwrite @0",
        "+100",
        "cd /home/u/Documents @0",
        "+100",
        "mkdir kermit_transfers @0",
        "+100",
        "cd kermit_transfers @0",
        "+300"},
       {"RequestFlushHostInput", "RequestSendReturn", "RequestFlushHostInput"}},
  };
  return cases;
}

class Schedules : public LauncherTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(Schedules, LinesPacingPausesAndRequests) {
  const ScheduleCase& c = GetParam();
  c.configure(opt, conn, processes);
  const int64_t t0 = clock.Milliseconds();
  EXPECT_EQ(child.StartSessionChild(), 0);
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].program, c.program);
  EXPECT_EQ(processes.starts[0].argv, std::vector<std::string>{c.program});
  ASSERT_NE(Child(), nullptr);
  EXPECT_EQ(Transcript(*Child(), t0, clock.Milliseconds()), c.transcript);
  EXPECT_EQ(Requests(), c.requests);
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_TRUE(host.lines.empty());
  // The stream is the session's.
  EXPECT_EQ(conn.PtyStream.get(), Child());
  EXPECT_EQ(conn.PerByteDelay, 0);
  // Only the echo of the lines typed is held back, and only when the
  // session does not keep the login output as it comes (nothing is thrown
  // away either way).
  std::vector<std::string> typed;
  for (const std::string& entry : c.transcript)
    if (entry[0] != '+') typed.push_back(entry.substr(0, entry.rfind(" @")));
  const bool remote = !opt.LocalShellSession;
  const bool keepsLoginOutput =
      opt.CloseHold || (opt.TelnetSession ? opt.DiscardLoginOutput133 : opt.DiscardLoginOutput134);
  EXPECT_EQ(Child()->echoHeld, remote && !keepsLoginOutput ? typed : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Schedules, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ScheduleCase>& c) { return c.param.name; });

}  // namespace
}  // namespace korvane::testing_support
