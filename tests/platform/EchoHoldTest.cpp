// The echo hold leaves out only the echo of the lines a set-up typed: a login
// prompt, a host-key question, an error and anything else the child or the
// host says passes, in order, whether or not it ends in a newline.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/EchoHold.h"

namespace korvane::platform {
namespace {

struct HoldCase {
  const char* name;
  std::vector<std::string> typed;
  std::vector<std::string> chunks;  // what the child prints, read by read
  std::string shown;                // what passes before the patience runs out
};

const std::vector<HoldCase>& Cases() {
  static const std::vector<HoldCase> cases = {
      {"TelnetClientThenTheLoginPrompt",
       {"environ define TERM vt100", "open h -23"},
       {"telnet> environ define TERM vt100\r\ntelnet> open h -23\r\n", "Trying 127.0.0.1...\r\nConnected to h.\r\n",
        "\r\nlogin: "},
       "Trying 127.0.0.1...\r\nConnected to h.\r\n\r\nlogin: "},
      {"TheHostKeyQuestionAfterTheShellsEcho",
       {"setenv TERM vt220", "exec ssh -l bob -- h"},
       {"% setenv TERM vt220\r\n% exec ssh -l bob -- h\r\n",
        "The authenticity of host 'h' can't be established.\r\nAre you sure you want to continue connecting "
        "(yes/no/[fingerprint])? "},
       "The authenticity of host 'h' can't be established.\r\nAre you sure you want to continue connecting "
       "(yes/no/[fingerprint])? "},
      {"AnErrorBeforeTheLastEchoIsShownAtOnce",
       {"setenv TERM vt100", "exec ssh -- nowhere"},
       {"% setenv TERM vt100\r\n", "tcsh: warning: no job control\r\n"},
       "tcsh: warning: no job control\r\n"},
      {"EchoesSplitAcrossReadsAndWrappedInALineEditorsSequences",
       {"setenv TERM wy50", "exec telnet -- h -"},
       {"\x1b[?2004h% set", "env TERM wy50\x1b[?2004l\r\r\n\x1b]0;title\x07% exec te", "lnet -- h -\r\n",
        "Escape character is '^]'.\r\n"},
       "Escape character is '^]'.\r\n"},
      {"AnEchoThatNeverCameIsNotWaitedForOnceALaterOneHas", {"one", "two"}, {"two\r\n", "rest of it"}, "rest of it"},
      {"EmptyLinesAreNotLookedFor", {"", "go"}, {"\r\n", "go\r\n", "ok"}, "\r\nok"},
      {"AnUnfinishedLineWaitsWhileAnEchoCouldStillCome", {"setenv TERM vt100"}, {"Password: "}, ""},
  };
  return cases;
}

class Hold : public ::testing::TestWithParam<HoldCase> {};

TEST_P(Hold, OnlyTheEchoesAreLeftOut) {
  const HoldCase& c = GetParam();
  EchoHold hold(c.typed, 1000);
  std::string out;
  for (const std::string& chunk : c.chunks) hold.Take(chunk, out);
  EXPECT_EQ(out, c.shown);
  // Once the patience is spent, whatever was held is shown: nothing is lost.
  std::string rest;
  EXPECT_TRUE(hold.Finish(1000 + EchoHold::kPatienceMs, rest));
  std::string all;
  for (const std::string& chunk : c.chunks) all += chunk;
  EXPECT_EQ(all.substr(all.size() - rest.size()), rest);
  // After the hold, everything passes unchanged.
  std::string later;
  hold.Take("setenv TERM vt100\r\n", later);
  EXPECT_EQ(later, "setenv TERM vt100\r\n");
}

INSTANTIATE_TEST_SUITE_P(Output, Hold, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HoldCase>& p) { return std::string(p.param.name); });

TEST(EchoHoldTimes, AHeldLineWaitsNoLongerThanThePatienceAndReleaseGivesItAtOnce) {
  EchoHold hold({"never echoed"}, 0);
  std::string out;
  hold.Take("Password: ", out);
  EXPECT_EQ(out, "");
  EXPECT_FALSE(hold.Finish(EchoHold::kPatienceMs - 1, out));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(hold.Finish(EchoHold::kPatienceMs, out));
  EXPECT_EQ(out, "Password: ");

  EchoHold ended({"never echoed"}, 0);
  std::string last;
  ended.Take("ssh: connect to host h port 22: Connection refused", last);
  ended.Release(last);
  EXPECT_EQ(last, "ssh: connect to host h port 22: Connection refused");
}

}  // namespace
}  // namespace korvane::platform
