// Collect mode: the host's text goes line by line into the capture file,
// converted as the download asked, without the echo of the command that
// started it.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

class CollectMode : public HostInputTest {
 protected:
  void SetUp() override {
    pty = OpenPty();
    in().CollectMode = 1;
  }
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    while (pty->Waiting() > 0) in().ProcessHostInput();
  }
  fakes::MemoryLink* pty = nullptr;
};

TEST_F(CollectMode, TheCommandEchoLosesExactlyItsLengthPlusOneCharacters) {
  in().CollectEchoLength = 4;
  Feed("get\r\nDATA\r");
  // "get", CR, LF: the first 5 nonzero characters (the LF too) are dropped.
  EXPECT_EQ(echo.capture, "DATA<EOL>");
  EXPECT_EQ(Row(1), "");
}

TEST_F(CollectMode, CrToTabJoinsFieldsAndKeepsTheLineEnds) {
  in().CollectCrToTab = 1;
  in().CollectEchoLength = -1;
  Feed("a\rb\n\r");
  EXPECT_EQ(echo.capture, "a\tb<EOL>");
}

TEST_F(CollectMode, ALineIsItsTextThenTheCaptureFilesOwnLineEnd) {
  // The capture file ends the line as its kind asks ("<BR>" in an HTML
  // capture, CR LF when LF is added): the text itself holds no line end.
  in().CollectHtml = 1;
  opt().CollectAddLf = 1;
  in().CollectEchoLength = -1;
  Feed("a<b\rc");
  EXPECT_EQ(echo.captureWrites, (std::vector<std::string>{"a<b", "c"}));
  EXPECT_EQ(echo.capture, "a<b<EOL>c");
}

TEST_F(CollectMode, TableModeEndsALineAfterItsFields) {
  in().CollectTableMode = 1;
  in().CollectFieldsPerLine = 2;
  in().CollectEchoLength = -1;
  Feed("a\rb\rc\r");
  EXPECT_EQ(echo.capture, "a\tb\tc<EOL>");
}

struct PromptCase {
  const char* name;
  bool moreData;
  std::string captured;
};

class TrailingPrompt : public CollectMode, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(TrailingPrompt, IsDroppedOnlyWhenNothingFollowsIt) {
  in().CollectEchoLength = -1;
  Feed("<html>");
  EXPECT_EQ(echo.capture, "<html");
  if (GetParam().moreData)
    Feed("\r");
  else
    in().EndCollectMode();
  EXPECT_EQ(echo.capture, GetParam().captured);
}

INSTANTIATE_TEST_SUITE_P(CollectMode, TrailingPrompt,
                         ::testing::Values(PromptCase{"MoreDataFollows", true, "<html><EOL>"},
                                           PromptCase{"DownloadEnds", false, "<html"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(CollectMode, APtyChunkIsAtMost255BytesAndShowsTheProgress) {
  in().CollectEchoLength = -1;
  in().DownloadWaiting = 1;
  pty->Feed(std::string(300, 'd'));
  in().ProcessHostInput();
  EXPECT_EQ(pty->Waiting(), 45);
  EXPECT_EQ(in().CollectStatusShown, 1);
  const auto texts = port.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Waiting for data from host"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Receiving data from host "), texts.end());
  // The planes are not written: the text is not shown.
  EXPECT_EQ(Row(1), "");
}

TEST_F(CollectMode, TheNationalCharacterSetIsAppliedUnlessItIsSet14) {
  in().CollectEchoLength = -1;
  in().NationalReplacement[7] = 196;  // '[' becomes A with diaeresis
  opt().HostCharacterSet = 5;
  Feed("[\r");
  opt().HostCharacterSet = 14;
  Feed("[\r");
  EXPECT_EQ(echo.capture, "\xc4<EOL>[<EOL>");
}

}  // namespace
}  // namespace korvane
