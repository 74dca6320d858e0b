// The end of a session's connection through the main loop on the fake
// platform: a child that ends by itself is reaped, its connection closed and
// its end told in the window, and no new child is started until the user
// asks; a close the host makes while the close-hold setting is on is carried
// out once the host's output before it has been shown.

#include "app/AppFixture.h"

namespace korvane::testing {
namespace {

class ConnectionEnd : public AppFixture {
 protected:
  // Every row of window 48, one line each.
  std::string Shown() {
    std::string out;
    for (int r = 1; r <= Window(48).session.screen.ScreenRows; ++r) out += Row(48, r) + "\n";
    return out;
  }
};

struct EndCase {
  const char* name;
  LinkEnd end;
  const char* told;  // the line the window shows
};

TEST_F(ConnectionEnd, AChildThatEndsIsReapedAndTheWindowSaysHowWithoutANewChild) {
  const EndCase cases[] = {
      {"exit status", {LinkEnd::How::Exited, 3}, "Connection closed: host ended with exit status 3."},
      {"clean exit", {LinkEnd::How::Exited, 0}, "Connection closed: host ended with exit status 0."},
      {"signal", {LinkEnd::How::Signalled, 9}, "Connection closed: host was ended by signal 9."},
      {"unknown end", {}, "Connection closed."},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    processes.starts.clear();
    files.files.clear();
    StartLocal();
    ASSERT_EQ(processes.starts.size(), 1u);
    fakes::MemoryLink& link = LinkOf(48);
    link.Feed("last words\r\n");
    link.end = c.end;
    link.End();
    Turns(5);
    // The host's last output is shown, and then the end.
    const std::string shown = Shown();
    EXPECT_NE(shown.find("last words\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find(std::string(c.told) + "\n"), std::string::npos) << shown;
    EXPECT_TRUE(link.closed);
    EXPECT_EQ(Window(48).session.conn.PtyStream, nullptr);
    EXPECT_FALSE(Window(48).Connected());
    // The title shows a session that is not connected.
    EXPECT_EQ(windows.Title(48), "Korvane Using local \xC5");
    // Nothing starts again by itself.
    Turns(20);
    EXPECT_EQ(processes.starts.size(), 1u);
    app.reset();
  }
}

TEST_F(ConnectionEnd, AHostsCloseIsKeptWhenCloseHoldIsOnAndCarriedOutAfterItsOutput) {
  for (const int hold : {1, 0}) {
    SCOPED_TRACE(hold);
    files.files.clear();
    WriteDocument(files, "/docs/held", [hold](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      // A remote session's client tells the close in its own words.
      o.LocalShellSession = 0;
      o.SshSession = 1;
      o.SshHost = "far.example";
      o.SshUser = "bob";
      o.DiscardLoginOutput134 = 1;
      o.CloseHold = static_cast<int8_t>(hold);
    });
    // The client runs under the shell the set-up types into.
    processes.executables.insert("/bin/tcsh");
    processes.onPath["ssh"] = "/usr/bin/ssh";
    Start({"/docs/held"});
    ASSERT_NE(Window(48).session.conn.PtyStream, nullptr) << Shown();
    fakes::MemoryLink& link = LinkOf(48);
    link.Feed("bye\r\nConnection closed by foreign host.\r\n");
    Turns(5);
    EXPECT_TRUE(link.closed);
    EXPECT_EQ(Window(48).session.conn.PtyStream, nullptr);
    EXPECT_FALSE(Window(48).Connected());
    EXPECT_EQ(Window(48).session.conn.CloseRequested, 0);
    EXPECT_NE(Shown().find("bye\n"), std::string::npos) << Shown();
    app.reset();
  }
}

}  // namespace
}  // namespace korvane::testing
