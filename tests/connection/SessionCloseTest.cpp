// Closing a session: the logout bytes of each kind with their waits, what is
// forgotten afterwards, the close of the connection with its confirmation and
// hold, and the control characters scripts send.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LauncherFixture.h"

namespace korvane::testing_support {
namespace {

class SessionClose : public LauncherTest {
 protected:
  // Opens a child of the given kind whose output answers at once or never.
  void Open(std::string_view kind, bool answers) {
    SetKind(opt, conn, kind);
    link.written.clear();
    link.writtenAtMs.clear();
    link.closed = false;
    link.echo = answers;
    conn.PtyStream = std::make_unique<ForwardingLink>(link);
    conn.ConnectedFlag = 1;
    host.calls.clear();
  }
  // The bytes written with their times since `t0`, as "byte@ms".
  std::vector<std::string> Timed(int64_t t0) const {
    std::vector<std::string> out;
    for (size_t i = 0; i < link.written.size(); ++i)
      out.push_back(Visible(link.written.substr(i, 1)) + "@" + std::to_string(link.writtenAtMs[i] - t0));
    return out;
  }

  fakes::MemoryLink link{&clock};
};

struct LogoutRow {
  const char* kind;
  bool answers;
  std::vector<std::string> bytes;  // "byte@ms since the close began"
  int64_t tookMs;
};

TEST_F(SessionClose, EachKindGetsItsLogoutSequenceAndTheStreamIsForgotten) {
  const LogoutRow rows[] = {
      {"local", true, {"<1a>@0", "<03>@0", "e@0", "x@0", "i@0", "t@0", "<0d>@0"}, 100},
      // The client answers control-] at once: the word follows 100 ms later.
      {"telnet", true, {"<1d>@0", "q@100", "u@100", "i@100", "t@100", "<0d>@100"}, 200},
      {"ssh", true, {"<1d>@0", "l@100", "o@100", "g@100", "o@100", "u@100", "t@100", "<0d>@100"}, 200},
  };
  for (const LogoutRow& r : rows) {
    Open(r.kind, r.answers);
    conn.PerByteDelay = 50;  // never applies to a logout sequence
    const int64_t t0 = clock.Milliseconds();
    EXPECT_EQ(child.CloseSessionChild(), 0);
    EXPECT_EQ(Timed(t0), r.bytes) << r.kind << (r.answers ? "" : " silent");
    EXPECT_EQ(clock.Milliseconds() - t0, r.tookMs) << r.kind;
    EXPECT_TRUE(link.closed) << r.kind;
    // The clients' answers are thrown away; nothing is read back from a shell.
    EXPECT_EQ(link.Waiting(), std::string(r.kind) == "local" ? 7 : 0) << r.kind;
    EXPECT_EQ(conn.PtyStream, nullptr);
    EXPECT_EQ(conn.ConnectedFlag, 0);
  }
}

TEST_F(SessionClose, ASilentClientHoldsTheCloseUpForSixtyTicks) {
  Open("ssh", false);
  const int64_t t0 = clock.Milliseconds();
  child.CloseSessionChild();
  ASSERT_EQ(link.written,
            "\x1d"
            "logout\r");
  // The word goes out 100 ms after the first poll past the deadline.
  const int64_t wordAt = link.writtenAtMs[1] - t0;
  EXPECT_GT(wordAt, 1000 + 100);
  EXPECT_LE(wordAt, 1017 + 100 + 10);
  EXPECT_EQ(clock.Milliseconds() - t0, wordAt + 100);
}

TEST_F(SessionClose, WithoutAStreamOnlyTheRecordsAreCleared) {
  SetKind(opt, conn, "local");
  conn.ConnectedFlag = 1;
  const int64_t t0 = clock.Milliseconds();
  EXPECT_EQ(child.CloseSessionChild(), 0);
  EXPECT_EQ(clock.Milliseconds(), t0);
  EXPECT_EQ(conn.ConnectedFlag, 0);
}

TEST_F(SessionClose, AStreamLeftFromAPseudoTerminalIsClosedWithoutLogout) {
  Open("local", true);
  conn.UsesPty = 0;
  child.CloseSessionChild();
  EXPECT_EQ(link.written, "");
  EXPECT_TRUE(link.closed);
  EXPECT_EQ(conn.PtyStream, nullptr);
}

TEST_F(SessionClose, TwoKindsGetBothSequencesLocalFirstAndOneClose) {
  Open("local", true);
  opt.TelnetSession = 1;
  child.CloseSessionChild();
  EXPECT_EQ(link.written,
            "\x1a\x03"
            "exit\r\x1d"
            "quit\r");
  EXPECT_TRUE(link.closed);
}

// ---- Closing the connection ----------------------------------------------------

TEST_F(SessionClose, ConfirmationCancelLeavesTheConnectionOpen) {
  Open("local", true);
  opt.ConfirmClose = 1;
  alerts.answers = {2};
  child.CloseConnection();
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);
  EXPECT_EQ(alerts.shown[0].id, SessionChild::kConfirmCloseAlert);
  EXPECT_EQ(alerts.shown[0].text, "Close the existing connection to the host computer?");
  EXPECT_NE(conn.PtyStream, nullptr);
  EXPECT_FALSE(link.closed);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(SessionClose, ConfirmedOrUnconfirmedTheChildIsLoggedOutAndTheWindowUpdated) {
  for (int confirm : {1, 0}) {
    Open("local", true);
    conn.ChildPath = "/bin/tcsh";
    link.end = {LinkEnd::How::Exited, 0};
    opt.ConfirmClose = static_cast<int8_t>(confirm);
    alerts.shown.clear();
    child.CloseConnection();
    EXPECT_EQ(alerts.shown.size(), static_cast<size_t>(confirm));
    EXPECT_TRUE(link.closed);
    EXPECT_EQ(link.written,
              "\x1a\x03"
              "exit\r");
    EXPECT_EQ(conn.ConnectedFlag, 0);
    // The window says how the child ended.
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"WriteSessionLine: Connection closed: tcsh ended with exit status 0.",
                                        "FlushSessionWindow", "UpdateWindowTitle"}));
  }
}

TEST_F(SessionClose, AHeldCloseIsOnlyRecordedUnlessACommandAsksForIt) {
  Open("telnet", true);
  opt.CloseHold = 1;
  child.CloseConnection();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"SetCloseRequested", "ClearCurrentHostChar"}));
  EXPECT_NE(conn.PtyStream, nullptr);
  host.closeByCommand = true;
  child.CloseConnection();
  EXPECT_TRUE(link.closed);
  EXPECT_EQ(conn.PtyStream, nullptr);
}

TEST_F(SessionClose, ASerialPortIsHandedToTheSerialLineToCloseAndTheSessionCountsAsClosedAtOnce) {
  SetKind(opt, conn, "serial");
  conn.ConnectionPort = -2;
  conn.ConnectionOpen = 1;
  conn.ConnectedFlag = 1;
  conn.SerialChannel = std::make_unique<fakes::MemoryLink>(&clock);
  host.calls.clear();
  host.noSessionWindow = true;
  const int64_t t0 = clock.Milliseconds();
  child.CloseConnection();
  // Whether the port is a modem to hang up first is the serial line's
  // business, and it does not hold the close: no time passes here.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"CloseSerialPort", "SelectSessionWindow", "UpdateWindowTitle"}));
  EXPECT_EQ(clock.Milliseconds(), t0);
  EXPECT_EQ(conn.ConnectionOpen, 0);
  EXPECT_EQ(conn.ConnectedFlag, 0);
  EXPECT_EQ(conn.ConnectionPort, -2);  // the port stays chosen
  EXPECT_EQ(conn.ConnectionIsOpen(), 0);
}

// ---- Control characters for scripts -----------------------------------------------

TEST_F(SessionClose, ScriptedControlLettersEscapeAndTab) {
  struct Row {
    const char* letter;
    std::string sent;
  };
  const Row rows[] = {{"c", "\x03"}, {"C", "\x03"}, {"[", "\x1b"}, {"a", "\x01"}, {"_", "\x1f"},
                      {"", ""},      {"@", ""},     {"1", ""},     {"?", ""},     {"\x7f", "\x1f"}};
  for (const Row& r : rows) {
    Open("local", false);
    conn.ScriptKeyText = r.letter;
    child.SendControlLetter();
    EXPECT_EQ(link.written, r.sent) << Visible(r.letter);
  }
  Open("local", false);
  child.SendEscapeToHost();
  child.SendTabToHost();
  EXPECT_EQ(link.written, "\x1b\t");
}

}  // namespace
}  // namespace korvane::testing_support
