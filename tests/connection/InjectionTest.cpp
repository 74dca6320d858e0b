// Values that would carry a command into a typed shell line are refused
// before anything starts: with the real shell behind the set-ups, a marker
// file that the command would make never appears.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/PtyFixture.h"

namespace korvane::testing_support {
namespace {

struct Field {
  const char* name;
  // Puts the value into the settings of a session that would otherwise open.
  std::function<void(SessionOptions&, Connection&, const std::string&)> set;
  bool optionText;  // options may start with "-"
};

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      {"telnet host, shell",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         o.TelnetHost = v;
       },
       false},
      {"telnet host, client",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 0;
         o.TelnetHost = v;
       },
       false},
      {"telnet port",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         o.TelnetHost = "h";
         o.TelnetPort = v;
       },
       false},
      {"telnet options, shell",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         o.TelnetHost = "h";
         o.TelnetOptions = "-8 " + v;
       },
       true},
      {"telnet options, client",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 0;
         o.TelnetHost = "h";
         o.TelnetOptions = "x," + v;
       },
       true},
      {"telnet terminal type",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.TelnetViaShell = 1;
         o.TelnetHost = "h";
         o.TelnetTerminalType = v;
       },
       false},
      {"kermit options",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "telnet");
         o.KermitMode = 1;
         o.TelnetHost = "h";
         o.TelnetOptions = "-8" + v;
       },
       true},
      {"ssh host",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshUser = "bob";
         o.SshHost = v;
       },
       false},
      {"ssh user",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshHost = "h";
         o.SshUser = v;
       },
       false},
      {"typed ssh user",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshHost = "h";
         o.SshUser = "bob";
         c.PromptedSshUser = v;
       },
       false},
      {"ssh port",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshHost = "h";
         o.SshUser = "bob";
         o.SshPort = v;
       },
       false},
      {"ssh options",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshHost = "h";
         o.SshUser = "bob";
         o.SshExtraOptions = "-C " + v;
       },
       true},
      {"ssh terminal type",
       [](SessionOptions& o, Connection& c, const std::string& v) {
         SetKind(o, c, "ssh");
         o.SshHost = "h";
         o.SshUser = "bob";
         o.SshTerminalType = v;
       },
       false},
  };
  return fields;
}

class Injection : public FastPtyTest {
 protected:
  void SetUp() override {
    if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
    // Clients that do nothing, so that only an injected command could make
    // the marker.
    FakeProgram("ssh", "exec sleep 30\n");
    FakeProgram("telnet", "exec sleep 30\n");
    FakeProgram("kermit", "exec sleep 30\n");
  }
  std::string marker = home / "pwned";
};

TEST_F(Injection, EveryCarrierOfACommandIsRefusedAndNothingRuns) {
  const std::string touch = "touch " + marker;
  const std::vector<std::pair<const char*, std::string>> payloads = {
      {"semicolon", "h;" + touch},
      {"command substitution", "$(" + touch + ")"},
      {"backticks", "`" + touch + "`"},
      {"single quotes", "h'" + touch + "'"},
      {"double quotes", "h\"" + touch + "\""},
      {"blank", "h " + touch},
      {"newline", "h\n" + touch},
      {"carriage return", "h\r" + touch},
      {"history", "h!" + touch},
      {"leading dash", "-oProxyCommand=" + touch},
  };
  for (const Field& f : Fields()) {
    for (const auto& [what, value] : payloads) {
      // Options are words that start with "-" by nature: a blank or a dash
      // carries no command there (ssh's own command options are refused).
      const std::string kind = what;
      if (f.optionText && kind == "blank") continue;
      if (f.optionText && kind == "leading dash" && std::string(f.name) != "ssh options") continue;
      SessionOptions o;
      Connection c{clock, host};
      fakes::FakeAlerts a;
      f.set(o, c, value);
      SessionChild launcher{o, c, processes, a, programs};
      launcher.StartSessionChild();
      EXPECT_EQ(a.shown.size(), 1u) << f.name << " / " << what;
      if (!a.shown.empty()) {
        EXPECT_EQ(a.shown[0].kind, platform::AlertKind::Stop);
      }
      EXPECT_EQ(c.PtyStream, nullptr) << f.name << " / " << what;
      EXPECT_TRUE(ChildProcesses().empty()) << f.name << " / " << what;
    }
  }
  EXPECT_FALSE(Exists(marker));
}

TEST_F(Injection, TheSameRoadRunsTheClientWhenTheValuesAreSound) {
  // The check above means something only if an accepted session does reach
  // the shell and start what it names.
  FakeProgram("ssh", "touch " + marker + "\nexec sleep 30\n");
  SetKind(opt, conn, "ssh");
  opt.SshHost = "h";
  opt.SshUser = "bob";
  opt.DiscardLoginOutput134 = 1;
  child.StartSessionChild();
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_TRUE(WaitUntil([&] { return Exists(marker); }));
  child.CloseSessionChild();
}

}  // namespace
}  // namespace korvane::testing_support
