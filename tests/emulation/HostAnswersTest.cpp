// The terminal's answers to its host: made only of the program's own texts
// and numbers, at most a window's worth in any stretch of time, none while
// the host leaves what it was sent untaken, and later answers from the
// passes that follow, never from a pause.

#include <gtest/gtest.h>

#include <string>

#include "VtFixture.h"
#include "emulation/HostAnswers.h"

namespace korvane {
namespace {

using testing_support::VtTest;

int Count(const std::string& text, const std::string& piece) {
  int n = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
  return n;
}

class HostAnswersTest : public VtTest {};

TEST_F(HostAnswersTest, AFloodOfRequestsGetsAWindowsWorthOfAnswersAndTheRestIsCounted) {
  const std::string da = "\x1b[?62;1;2;6;7;8c";
  std::string requests;
  for (int i = 0; i < 1000; ++i) requests += "\x1b[c";
  Feed(requests);
  EXPECT_EQ(Count(Answer(), da), HostAnswers::kWindowLimit);
  EXPECT_EQ(in().answers.Dropped(), 1000 - HostAnswers::kWindowLimit);
  // A stretch later the host is answered again.
  clock.AdvanceMs(HostAnswers::kWindowMs);
  Feed("\x1b[c\x1b[c");
  EXPECT_EQ(Count(Answer(), da), HostAnswers::kWindowLimit + 2);
}

TEST_F(HostAnswersTest, AHostThatDoesNotTakeWhatItWasSentIsNotSentMore) {
  pty->queued = HostAnswers::kQueueRoom + 1;
  Feed("\x1b[c\x1b[6n\x1b~A");
  EXPECT_EQ(Answer(), "");
  EXPECT_EQ(in().answers.Dropped(), 3);
  pty->queued = 0;
  Feed("\x1b[c");
  EXPECT_EQ(Answer(), "\x1b[?62;1;2;6;7;8c");
}

TEST_F(HostAnswersTest, LaterAnswersAreBoundedAndGoInOrderWhenDue) {
  for (int i = 0; i < 20; ++i) in().answers.SendLater(HostAnswer("x").Number(i), 0, 10 * (i % 2));
  EXPECT_EQ(in().answers.Waiting(), HostAnswers::kLaterMax);
  EXPECT_EQ(in().answers.Dropped(), 20 - static_cast<int>(HostAnswers::kLaterMax));
  in().ProcessHostInput();
  EXPECT_EQ(Answer(), "x0x2x4x6x8x10x12x14");
  clock.AdvanceMs(10);
  in().ProcessHostInput();
  EXPECT_EQ(Answer(), "x0x2x4x6x8x10x12x14x1x3x5x7x9x11x13x15");
  EXPECT_EQ(in().answers.Waiting(), 0u);
}

TEST(HostAnswer, ValuesTheTerminalComputesAreTheOnlyVariableParts) {
  struct {
    HostAnswer answer;
    std::string bytes;
  } cases[] = {
      {HostAnswer("\x1b[").Number(12).Add(";").Number(-3).Add("R"), "\x1b[12;-3R"},
      {HostAnswer("").NumberText(5).NumberText(-5), " 5-5"},
      {HostAnswer("").PositionByte(31 + 24).PositionByte(400).PositionByte(-9), std::string("7\xff\x00", 3)},
      // Text read from the screen gives only its digits.
      {HostAnswer("Status:").DigitsOf("rm -rf ~; 1234\r bytes"), "Status:1234"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.answer.Bytes(), c.bytes);
}

}  // namespace
}  // namespace korvane
