// The launcher's branches beyond their lines: which program starts and how,
// what stops a branch, the secure-shell user name, failures to start, and
// the terminal-name tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "connection/TerminalNames.h"
#include "support/LauncherFixture.h"

namespace korvane::testing_support {
namespace {

// ---- Terminal names ---------------------------------------------------------

struct NameRow {
  const char* emulation;
  const char* remote;  // telnet and secure shell
  const char* local;
};

TEST(TerminalNames, EveryEmulationInBothTables) {
  const NameRow rows[] = {
      {"Viewpoint", "vp", ""},
      {"Wyse 50", "wy50", "wy50"},
      {"Wyse 60", "wy60", "wy50"},
      {"Wyse 370", "wy60", "wy50"},
      {"TeleVideo 925", "tvi925", "tvi925"},
      {"VT100", "vt100", "vt100"},
      {"VT220", "vt220", "vt220"},
      {"Prism", "Prism", ""},
  };
  for (const NameRow& r : rows) {
    SessionOptions o;
    SetEmulation(o, r.emulation);
    EXPECT_EQ(TermNameFromEmulation(o, TermTable::Remote, "old"), r.remote) << r.emulation;
    EXPECT_EQ(TermNameFromEmulation(o, TermTable::LocalShell, "old"), r.local) << r.emulation;
  }
  // No flag: the name keeps its previous value.
  SessionOptions none;
  EXPECT_EQ(TermNameFromEmulation(none, TermTable::Remote, "old"), "old");
}

// ---- Secure shell: the user name ---------------------------------------------

class SecureShellUser : public LauncherTest {
 protected:
  SecureShellUser() {
    SetKind(opt, conn, "ssh");
    SetEmulation(opt, "VT100");
    opt.SshHost = "host.example";
    opt.DiscardLoginOutput134 = 1;
  }
};

TEST_F(SecureShellUser, WithoutANameItAsksAndStartsNothing) {
  child.StartSessionChild();
  EXPECT_TRUE(processes.starts.empty());
  EXPECT_EQ(Requests(), std::vector<std::string>{"RequestSshUserName"});
  EXPECT_EQ(host.Count("SpinWatchCursor"), 0);
  EXPECT_EQ(conn.PtyStream, nullptr);
}

TEST_F(SecureShellUser, ATypedNameWinsOnceAndIsThenForgotten) {
  opt.SshUser = "stored";
  conn.PromptedSshUser = "typed";
  child.StartSessionChild();
  ASSERT_NE(Child(), nullptr);
  EXPECT_NE(Child()->written.find("ssh -l typed -- host.example\r"), std::string::npos);
  EXPECT_TRUE(conn.PromptedSshUser.empty());
}

TEST_F(SecureShellUser, ARefusedTypedNameIsForgottenToo) {
  conn.PromptedSshUser = "bob;id";
  child.StartSessionChild();
  EXPECT_EQ(alerts.shown.size(), 1u);
  EXPECT_TRUE(processes.starts.empty());
  EXPECT_TRUE(conn.PromptedSshUser.empty());
}

// ---- Local shell: which program, and what it gets -------------------------------

class LocalShell : public LauncherTest {
 protected:
  LocalShell() {
    SetKind(opt, conn, "local");
    SetEmulation(opt, "VT100");
  }
};

TEST_F(LocalShell, AUserProgramStartsWithItsArgumentsAndGetsNothing) {
  opt.ShellRunsProgram = 1;
  opt.ShellProgram = "/bin/bash -l";
  child.StartSessionChild();
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].program, "/bin/bash");
  EXPECT_EQ(processes.starts[0].argv, (std::vector<std::string>{"/bin/bash", "-l"}));
  EXPECT_EQ(Child()->written, "");
  EXPECT_TRUE(Requests().empty());
}

TEST_F(LocalShell, TheLoginChoiceStartsTheLoginShellAsALoginShell) {
  opt.ShellRunsLogin = 1;
  child.StartSessionChild();
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].program, "/bin/bash");
  EXPECT_EQ(processes.starts[0].argv, std::vector<std::string>{"-bash"});
  EXPECT_EQ(processes.starts[0].workingFolder, "/home/u");
  EXPECT_EQ(conn.ChildPath, kLoginProgram);
  EXPECT_EQ(Child()->written, "");
  EXPECT_EQ(Requests(), std::vector<std::string>{"RequestSendWindowSize"});
}

TEST_F(LocalShell, AProgramNamedLikeTheLoginProgramIsNeverTypedInto) {
  // Shell lines typed at a login prompt would become a user name and a password.
  opt.ShellRunsProgram = 1;
  opt.ShellProgram = kLoginProgram;
  child.StartSessionChild();
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].argv, std::vector<std::string>{"-bash"});
  EXPECT_EQ(Child()->written, "");
  EXPECT_EQ(Requests(), std::vector<std::string>{"RequestSendWindowSize"});
}

TEST_F(LocalShell, ViewpointAndPrismGetNoLinesButTheWindowSizeLater) {
  for (const char* emulation : {"Viewpoint", "Prism"}) {
    SetEmulation(opt, emulation);
    opt.ShellRunsTcsh = 1;
    host.calls.clear();
    child.StartSessionChild();
    ASSERT_NE(conn.PtyStream, nullptr);
    EXPECT_EQ(processes.links.back()->written, "") << emulation;
    EXPECT_EQ(conn.TermTypeString, "") << emulation;
    EXPECT_EQ(Requests(), std::vector<std::string>{"RequestSendWindowSize"}) << emulation;
  }
}

TEST_F(LocalShell, TheTerminalHasTheWindowSizeBeforeTheSttyLines) {
  opt.ShellRunsTcsh = 1;
  conn.SessionColumns = 100;
  conn.SessionRows = 30;
  child.StartSessionChild();
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].rows, 30);
  EXPECT_EQ(processes.starts[0].cols, 100);
  EXPECT_EQ(Child()->rows, 30);
  EXPECT_EQ(Child()->cols, 100);
}

TEST_F(LocalShell, ANewStartHangsUpTheChildItReplaces) {
  // A stream that only tells whether it was closed.
  struct Watched final : HostLink {
    explicit Watched(bool& flag) : closed(flag) {}
    void Write(const uint8_t*, int) override {}
    int Read(uint8_t*, int) override { return 0; }
    int Waiting() override { return 0; }
    void Close() override { closed = true; }
    bool& closed;
  };
  bool closed = false;
  conn.PtyStream = std::make_unique<Watched>(closed);
  opt.ShellRunsTcsh = 1;
  child.StartSessionChild();
  EXPECT_TRUE(closed);
  EXPECT_EQ(conn.PtyStream.get(), Child());
}

// ---- The non-canonical terminal option of each kind ---------------------------------

TEST_F(LauncherTest, TheTerminalOptionAppliesOnlyToItsOwnKind) {
  struct Row {
    const char* kind;
    int option;  // 159, 160 or 161
    bool nonCanonical;
  };
  const Row rows[] = {{"telnet", 159, true}, {"telnet", 160, false}, {"ssh", 160, true},
                      {"ssh", 161, false},   {"local", 161, true},   {"local", 159, false}};
  for (const Row& r : rows) {
    SetKind(opt, conn, r.kind);
    opt.PtyOption159 = r.option == 159;
    opt.PtyOption160 = r.option == 160;
    opt.PtyOption161 = r.option == 161;
    opt.TelnetViaShell = 0;
    opt.SshUser = "bob";
    opt.ShellRunsTcsh = 1;
    processes.starts.clear();
    child.StartSessionChild();
    ASSERT_EQ(processes.starts.size(), 1u) << r.kind;
    EXPECT_EQ(processes.starts[0].nonCanonical, r.nonCanonical) << r.kind << " " << r.option;
  }
}

// ---- The common end -----------------------------------------------------------------

TEST_F(LauncherTest, WithoutAKindNothingStartsAndOnlyTheStreamIsRecorded) {
  SetKind(opt, conn, "telnet");
  opt.TelnetSession = 0;
  child.StartSessionChild();
  SetKind(opt, conn, "serial");
  opt.TelnetSession = 1;  // a kind flag without a pseudo-terminal starts nothing either
  child.StartSessionChild();
  EXPECT_TRUE(processes.starts.empty());
  EXPECT_EQ(conn.PtyStream, nullptr);
}

// ---- The command line of a child ------------------------------------------------------

TEST_F(LauncherTest, CommandLineWordsAreSplitAtSingleBlanks) {
  struct Row {
    const char* line;
    int code;
    std::vector<std::string> argv;
  };
  const Row rows[] = {
      {"/bin/prog a  b", 0, {"/bin/prog", "a", "", "b"}},
      {"/bin/prog ", 0, {"/bin/prog", ""}},
      {" /bin/prog", 0, {"", "/bin/prog"}},
      {"", 0, {""}},
      {"/p 2 3 4 5 6 7 8 9", 0, {"/p", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {"/p 2 3 4 5 6 7 8 9 10", 1, {}},
      {"/p 2 3 4 5 6 7 8 9 ", 1, {}},
  };
  for (const Row& r : rows) {
    processes.starts.clear();
    host.lines.clear();
    std::unique_ptr<HostLink> stream;
    EXPECT_EQ(child.SetupPseudoTTYToChild(r.line, stream), r.code) << r.line;
    if (r.code == 0) {
      ASSERT_EQ(processes.starts.size(), 1u) << r.line;
      EXPECT_EQ(processes.starts[0].argv, r.argv) << r.line;
      EXPECT_EQ(processes.starts[0].program, r.argv[0]) << r.line;
      EXPECT_NE(stream, nullptr);
    } else {
      EXPECT_TRUE(processes.starts.empty()) << r.line;
      EXPECT_EQ(host.lines, std::vector<std::string>{"Too many args specified in SetupPseudoTTYToChild"});
      EXPECT_EQ(stream, nullptr);
    }
  }
}

struct FailureRow {
  int code;
  const char* message;
  bool keepsOldStream;
  bool flushBeforeWait;
};

TEST_F(LauncherTest, StartFailuresAreReportedAndNothingIsTypedIntoAnOldStream) {
  const FailureRow rows[] = {{3, "forkpty failed in SetupPseudoTTYToChild", true, false},
                             {4, "fdopen failed in SetupPseudoTTYToChild", false, true},
                             {5, "fcntl failed in SetupPseudoTTYToChild", false, true}};
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT100");
  opt.ShellRunsTcsh = 1;
  for (const FailureRow& r : rows) {
    auto old = std::make_unique<fakes::MemoryLink>(&clock);
    fakes::MemoryLink* oldRaw = old.get();
    conn.PtyStream = std::move(old);
    host.calls.clear();
    host.callsAtMs.clear();
    host.lines.clear();
    processes.failWith = r.code;
    child.StartSessionChild();
    EXPECT_EQ(host.lines, std::vector<std::string>{r.message});
    EXPECT_EQ(conn.PtyStream.get() == oldRaw, r.keepsOldStream) << r.code;
    if (r.keepsOldStream) {
      EXPECT_EQ(oldRaw->written, "") << r.code;
    }
    EXPECT_TRUE(Requests().empty()) << r.code;
    // The message shows at once, or (for a failed fork) after the 1000 ms pause.
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[1], "FlushSessionWindow");
    EXPECT_EQ(host.callsAtMs[1] - host.callsAtMs[0], r.flushBeforeWait ? 0 : 1000) << r.code;
  }
}

// ---- Missing programs ---------------------------------------------------------------------

struct MissingRow {
  const char* name;
  std::function<void(SessionOptions&, Connection&, fakes::FakeProcesses&)> configure;
  const char* line;
};

TEST_F(LauncherTest, AMissingProgramIsNamedAndNothingStarts) {
  const MissingRow rows[] = {
      {"telnet client",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 0;
         p.executables.erase("/usr/bin/telnet");
       },
       "Cannot start /usr/bin/telnet: it is not installed or cannot be executed."},
      {"shell",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "ssh");
         o.SshUser = "bob";
         p.executables.erase("/bin/tcsh");
       },
       "Cannot start /bin/tcsh: it is not installed or cannot be executed."},
      {"telnet on the PATH",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         p.onPath.erase("telnet");
       },
       "Cannot start telnet: it was not found on the PATH."},
      {"ssh",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses& p) {
         SetKind(o, c, "ssh");
         o.SshUser = "bob";
         p.onPath.erase("ssh");
       },
       "Cannot start ssh: it was not found on the PATH."},
      {"kermit",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "local");
         o.ShellRunsTcsh = 1;
         o.KermitMode = 1;
       },
       "Cannot start kermit: it is neither in /home/u/.local/share/korvane/kermit nor on the PATH."},
      {"user program",
       [](SessionOptions& o, Connection& c, fakes::FakeProcesses&) {
         SetKind(o, c, "local");
         o.ShellRunsProgram = 1;
         o.ShellProgram = "/opt/app/run --fast";
       },
       "Cannot start /opt/app/run: it is not installed or cannot be executed."},
  };
  for (const MissingRow& r : rows) {
    fakes::FakeProcesses fresh{&clock};
    fresh.executables = processes.executables;
    fresh.onPath = processes.onPath;
    SessionOptions o;
    Connection c{clock, host};
    host.lines.clear();
    r.configure(o, c, fresh);
    SessionChild launcher{o, c, fresh, alerts, programs};
    launcher.StartSessionChild();
    EXPECT_TRUE(fresh.starts.empty()) << r.name;
    EXPECT_EQ(c.PtyStream, nullptr) << r.name;
    EXPECT_EQ(host.lines, std::vector<std::string>{r.line}) << r.name;
  }
}

// ---- A silent child, and what the set-up leaves of its output -----------------------------------

TEST_F(LauncherTest, AfterTheSetUpNothingTheClientSaidIsThrownAway) {
  SetKind(opt, conn, "telnet");
  SetEmulation(opt, "VT100");
  opt.TelnetViaShell = 0;
  opt.TelnetHost = "h";
  processes.echo = false;
  processes.banner.clear();
  const int64_t t0 = clock.Milliseconds();
  child.StartSessionChild();
  ASSERT_NE(Child(), nullptr);
  // The wait after the start gave up after 300 ticks before the first line.
  EXPECT_GT(Child()->writtenAtMs.front() - t0, 5000 + 100);
  // The set-up ends with the connect line: no wait for the client's output,
  // no discard now or later; the lines it typed are the only ones held back.
  EXPECT_EQ(clock.Milliseconds(), Child()->writtenAtMs.back());
  EXPECT_EQ(host.Count("RequestFlushHostInput"), 0);
  EXPECT_EQ(host.Count("DiscardReceivedInput"), 0);
  ASSERT_FALSE(Child()->echoHeld.empty());
  EXPECT_EQ(Child()->echoHeld.back(), "open h -");
  const std::string said = "Trying 10.0.0.1...\r\nlogin: ";
  Child()->Feed(said);
  EXPECT_EQ(Child()->Waiting(), static_cast<int>(said.size()));
  EXPECT_GT(host.Count("SpinWatchCursor"), 100);
}

TEST_F(LauncherTest, ALineLongerThan255IsRefusedRatherThanCut) {
  SetKind(opt, conn, "ssh");
  opt.SshUser = "bob";
  opt.SshHost = "host.example";
  opt.SshPort = "2222";
  opt.SshExtraOptions = std::string(230, 'C').insert(0, "-o");
  child.StartSessionChild();
  EXPECT_TRUE(processes.starts.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("more than 255"), std::string::npos);
}

}  // namespace
}  // namespace korvane::testing_support
