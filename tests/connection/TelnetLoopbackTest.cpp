// Telnet sessions through the real telnet client, against a telnet server on
// the loopback interface that records what the client tells it.

#include <gtest/gtest.h>
#include <strings.h>

#include <string>

#include "support/PtyFixture.h"
#include "support/TelnetStub.h"

namespace korvane::testing_support {
namespace {

class TelnetLoopback : public PtyTest {
 protected:
  void SetUp() override {
    if (access("/usr/bin/telnet", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/telnet (Debian package telnet)";
    SetKind(opt, conn, "telnet");
    opt.TelnetHost = "127.0.0.1";
    opt.TelnetPort = std::to_string(server.port());
  }
  static bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

  // After the set-up: a typed line reaches the host, and the close leaves the
  // client, the connection and no process behind.
  void TypeAndClose() {
    conn.SendToHost("hello", 13);
    EXPECT_TRUE(WaitUntil([&] { return server.seen().data.find("hello") != std::string::npos; }))
        << Visible(server.seen().data);
    child.CloseSessionChild();
    EXPECT_TRUE(WaitUntil([&] { return server.seen().closed; }));
    EXPECT_TRUE(ChildProcesses().empty());
  }

  TelnetStub server;
};

TEST_F(TelnetLoopback, TheClientItselfTellsTheHostTheTerminalAndTheEnvironment) {
  SetEmulation(opt, "VT220");
  opt.TelnetViaShell = 0;
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  // The set-up no longer waits for the client: the terminal type and the
  // environment come in their own time.
  ASSERT_TRUE(WaitUntil([&] {
    const TelnetStub::Seen s = server.seen();
    return !s.terminalType.empty() && s.environment.count("MODE") && s.environment.count("TERM_PROGRAM_VERSION");
  })) << Visible(server.seen().data);
  const TelnetStub::Seen seen = server.seen();
  EXPECT_TRUE(SameName(seen.terminalType, "vt220")) << seen.terminalType;
  EXPECT_EQ(seen.environment.count("MODE") ? seen.environment.at("MODE") : "(none)", "character");
  EXPECT_EQ(seen.environment.count("TERM_PROGRAM_VERSION") ? seen.environment.at("TERM_PROGRAM_VERSION") : "(none)",
            "0.1");
  // Nothing is thrown away: what host input reads is the client's own
  // words and the host's login prompt, without the echo of the client
  // commands the set-up typed.
  EXPECT_EQ(host.Count("RequestFlushHostInput"), 0);
  const std::string shown = ReadUntil("login: ");
  EXPECT_NE(shown.find("login: "), std::string::npos) << Visible(shown);
  EXPECT_NE(shown.find("Connected to 127.0.0.1"), std::string::npos) << Visible(shown);
  for (const char* typed : {"environ define", "environ unexport", "open 127.0.0.1"})
    EXPECT_EQ(shown.find(typed), std::string::npos) << typed << " in " << Visible(shown);
  TypeAndClose();
}

TEST_F(TelnetLoopback, ThroughTheShellTheClientTakesTheShellsTerminalName) {
  if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
  SetEmulation(opt, "Wyse 50");
  opt.TelnetViaShell = 1;
  opt.TelnetOptions = "-8";
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !server.seen().terminalType.empty(); }));
  EXPECT_TRUE(SameName(server.seen().terminalType, "wy50")) << server.seen().terminalType;
  const std::string shown = ReadUntil("login: ");
  EXPECT_NE(shown.find("login: "), std::string::npos) << Visible(shown);
  for (const char* typed : {"setenv", "exec telnet"})
    EXPECT_EQ(shown.find(typed), std::string::npos) << typed << " in " << Visible(shown);
  TypeAndClose();
}

}  // namespace
}  // namespace korvane::testing_support
