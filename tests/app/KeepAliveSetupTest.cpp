// The keep-alive set-up on a fake child and clock: sudo's argument vector,
// the password typed only at sudo's prompt and only once, a refused password,
// sudo missing, a child that fails or never ends.

#include "app/KeepAliveSetup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "fakes/FakeProcesses.h"

namespace korvane::app {
namespace {

using Outcome = KeepAliveSetup::Outcome;

class KeepAliveSetupTest : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  fakes::FakeProcesses processes{&clock};
  KeepAliveSetup setup{processes, clock};

  KeepAliveSetupTest() {
    processes.echo = false;
    processes.onPath["sudo"] = "/usr/bin/sudo";
  }
  // Starts for `minutes`; the child is the last link handed out.
  fakes::MemoryLink& StartChild(int minutes = 5, const std::string& password = "s3cret pw") {
    EXPECT_FALSE(setup.Start(minutes, password).has_value());
    EXPECT_TRUE(setup.Running());
    return *processes.links.back();
  }
  // Steps until a result or `steps` steps, the clock moving 10 ms a step.
  std::optional<KeepAliveSetup::Result> StepFor(int steps) {
    for (int i = 0; i < steps; ++i) {
      if (auto r = setup.Step()) return r;
      clock.AdvanceMs(10);
    }
    return std::nullopt;
  }
  static void EndWith(fakes::MemoryLink& link, int status) {
    link.end = {LinkEnd::How::Exited, status};
    link.End();
  }
};

TEST_F(KeepAliveSetupTest, SudoRunsSysctlWithTheMinutesAsSecondsInTheCLocale) {
  struct Case {
    int minutes;
    const char* idle;
    const char* interval;
  };
  // 0 is taken as one minute; the interval is half the idle time.
  for (const Case& c : {Case{0, "=60", "=30"}, Case{2, "=120", "=60"}, Case{32767, "=1966020", "=983010"}}) {
    const std::vector<std::string> argv = KeepAliveSetup::Arguments(c.minutes);
    ASSERT_EQ(argv.size(), 9u);
    EXPECT_EQ(argv[0], "sudo");
    EXPECT_EQ(argv[1], "-k");  // a cached sudo ticket would let a wrong password through
    EXPECT_EQ(argv[3], KeepAliveSetup::kPrompt);
    EXPECT_EQ(argv[4], "--");
    EXPECT_EQ(argv[5], "sysctl");
    EXPECT_EQ(argv[7], std::string("net.ipv4.tcp_keepalive_time") + c.idle) << c.minutes;
    EXPECT_EQ(argv[8], std::string("net.ipv4.tcp_keepalive_intvl") + c.interval) << c.minutes;
  }

  StartChild(2);
  ASSERT_EQ(processes.starts.size(), 1u);
  const platform::PtyChildRequest& request = processes.starts[0];
  EXPECT_EQ(request.program, "/usr/bin/sudo");
  EXPECT_EQ(request.argv, KeepAliveSetup::Arguments(2));
  bool cLocale = false;
  for (const auto& [name, value] : request.environment)
    if (name == "LC_ALL") cLocale = value == "C";
  EXPECT_TRUE(cLocale);
}

TEST_F(KeepAliveSetupTest, TheRightPasswordIsTypedOnceAtSudosPromptAndStatusZeroIsSet) {
  fakes::MemoryLink& child = StartChild();
  // sudo's lecture and another program's prompt are not sudo's prompt.
  child.Feed("We trust you have received the usual lecture.\r\nPassword: ");
  EXPECT_FALSE(StepFor(5).has_value());
  EXPECT_EQ(child.written, "");
  // The prompt arrives in two pieces.
  const std::string prompt = KeepAliveSetup::kPrompt;
  child.Feed(prompt.substr(0, 10));
  EXPECT_FALSE(StepFor(1).has_value());
  EXPECT_EQ(child.written, "");
  child.Feed(prompt.substr(10));
  EXPECT_FALSE(StepFor(3).has_value());
  EXPECT_EQ(child.written, "s3cret pw\r");
  // sysctl's report, then the end.
  child.Feed("\r\nnet.ipv4.tcp_keepalive_time = 300\r\nnet.ipv4.tcp_keepalive_intvl = 150\r\n");
  EXPECT_FALSE(StepFor(3).has_value());
  EXPECT_EQ(child.written, "s3cret pw\r");  // once only
  EndWith(child, 0);
  const std::optional<KeepAliveSetup::Result> r = StepFor(1);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->outcome, Outcome::Set);
  EXPECT_FALSE(setup.Running());
}

TEST_F(KeepAliveSetupTest, ControlCharactersOfThePasswordAreQuotedForTheTerminal) {
  // A line end, an interrupt or a line erase inside the password would
  // otherwise end it early, stop sudo or erase what came before.
  const std::string password = {'a', '\r', 'b', '\x03', 'c', '\x15', 'd', '\x7f'};
  fakes::MemoryLink& child = StartChild(5, password);
  child.Feed(KeepAliveSetup::kPrompt);
  EXPECT_FALSE(StepFor(1).has_value());
  const std::string typed = {'a', '\x16', '\r', 'b', '\x16', '\x03', 'c', '\x16', '\x15', 'd', '\x16', '\x7f', '\r'};
  EXPECT_EQ(child.written, typed);
}

TEST_F(KeepAliveSetupTest, SudoAskingAgainIsAWrongPasswordAndEndsTheChildAtOnce) {
  // Either sign of a refusal: sudo's "try again", or its prompt once more.
  const std::vector<std::string> refusals = {"\r\nSorry, try again.\r\n",
                                             std::string("\r\n") + KeepAliveSetup::kPrompt};
  for (const std::string& refusal : refusals) {
    fakes::MemoryLink& child = StartChild(5, "wrong");
    child.Feed(KeepAliveSetup::kPrompt);
    EXPECT_FALSE(StepFor(1).has_value());
    EXPECT_EQ(child.written, "wrong\r");
    child.Feed(refusal);
    const std::optional<KeepAliveSetup::Result> r = StepFor(1);
    ASSERT_TRUE(r.has_value()) << refusal;
    EXPECT_EQ(r->outcome, Outcome::WrongPassword);
    EXPECT_FALSE(setup.Running());
  }
}

TEST_F(KeepAliveSetupTest, WithoutSudoOrAChildTheSetUpFailsAtOnceAndNamesWhy) {
  processes.onPath.clear();
  std::optional<KeepAliveSetup::Result> r = setup.Start(5, "pw");
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->outcome, Outcome::Failed);
  EXPECT_EQ(r->reason, "\"sudo\" was not found.");
  EXPECT_TRUE(processes.starts.empty());
  EXPECT_FALSE(setup.Running());

  processes.onPath["sudo"] = "/usr/bin/sudo";
  processes.failWith = 3;
  r = setup.Start(5, "pw");
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->outcome, Outcome::Failed);
  EXPECT_EQ(r->reason, "sudo could not be started.");
  EXPECT_FALSE(setup.Running());
}

TEST_F(KeepAliveSetupTest, AFailingChildIsReportedWithItsLastLineAndNeverThePassword) {
  struct Case {
    const char* output;
    LinkEnd end;
    const char* reason;
    const char* code;
    const char* lastLine;
  };
  const Case cases[] = {
      {"\r\nsysctl: permission denied on key \"net.ipv4.tcp_keepalive_time\"\r\n",
       {LinkEnd::How::Exited, 255},
       "sudo ended with status",
       " 255.",
       "sysctl: permission denied on key \"net.ipv4.tcp_keepalive_time\""},
      {"\r\nkorvane is not in the sudoers file.\x1b[0m\r\n\r\n",
       {LinkEnd::How::Exited, 1},
       "sudo ended with status",
       " 1.",
       "korvane is not in the sudoers file.[0m"},
      {"\r\n", {LinkEnd::How::Signalled, 9}, "sudo was ended by signal", " 9.", ""},
  };
  for (const Case& c : cases) {
    // This child echoes what it is sent, password included.
    processes.echo = true;
    fakes::MemoryLink& child = StartChild(5, "s3cret pw");
    child.Feed(KeepAliveSetup::kPrompt);
    EXPECT_FALSE(StepFor(1).has_value());
    child.Feed(c.output);
    child.end = c.end;
    child.End();
    const std::optional<KeepAliveSetup::Result> r = StepFor(2);
    ASSERT_TRUE(r.has_value()) << c.output;
    EXPECT_EQ(r->outcome, Outcome::Failed);
    EXPECT_EQ(r->reason, c.reason);
    EXPECT_EQ(r->code, c.code);
    EXPECT_EQ(r->lastLine, c.lastLine);
    EXPECT_EQ(r->lastLine.find("s3cret"), std::string::npos);
  }
}

TEST_F(KeepAliveSetupTest, AChildThatNeverAnswersIsEndedAtTheDeadline) {
  fakes::MemoryLink& child = StartChild();
  child.Feed("sudo: unable to resolve host box\r\n");
  clock.AdvanceMs(KeepAliveSetup::kDeadlineMs - 1);
  EXPECT_FALSE(setup.Step().has_value());
  EXPECT_TRUE(setup.Running());
  clock.AdvanceMs(1);
  const std::optional<KeepAliveSetup::Result> r = setup.Step();
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->outcome, Outcome::Failed);
  EXPECT_EQ(r->reason, "sudo did not finish within 20 seconds.");
  EXPECT_EQ(r->lastLine, "sudo: unable to resolve host box");
  EXPECT_FALSE(setup.Running());
  // A prompt that comes too late types nothing: the child is gone.
  EXPECT_FALSE(setup.Step().has_value());
}

}  // namespace
}  // namespace korvane::app
