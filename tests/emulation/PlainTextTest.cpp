// The plain-text path: text, the few controls it acts on, scrolling, the
// decimal display of PlainTextMode, and the echo of what it shows.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

class PlainText : public HostInputTest {
 protected:
  void SetUp() override {
    pty = OpenPty();
    opt().AutoWrapOn = 1;
  }
  // Feeds the bytes and runs passes until they are all read.
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    while (pty->Waiting() > 0) in().ProcessHostInput();
  }
  fakes::MemoryLink* pty = nullptr;
};

TEST_F(PlainText, ShowsLinesAndActsOnCrAndLf) {
  Feed("first line\r\nsecond\r\nthird");
  EXPECT_EQ(Row(1), "first line");
  EXPECT_EQ(Row(2), "second");
  EXPECT_EQ(Row(3), "third");
  EXPECT_EQ(screen().CursorRow(), 3);
  EXPECT_EQ(screen().CursorCol(), 6);
}

TEST_F(PlainText, ScrollsAtTheBottomAndDrawsTheNextTextOnTheLastRow) {
  std::string text;
  for (int i = 1; i <= 30; ++i) text += "line " + std::to_string(i) + "\r\n";
  Feed(text);
  EXPECT_EQ(Row(1), "line 8");
  EXPECT_EQ(Row(23), "line 30");
  EXPECT_EQ(Row(24), "");
  // A bare LF at the bottom: the text after it is drawn on the last row.
  Feed("x\ny");
  EXPECT_EQ(Row(23), "x");
  EXPECT_EQ(Row(24), " y");
  const auto draws = port.Of("DrawText");
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().text, "y");
  EXPECT_EQ(draws.back().pen.v, 24 * 15 - 3);
  EXPECT_EQ(draws.back().pen.h, 7 + 4);
}

TEST_F(PlainText, PlainTextModeShowsEachByteAsItsDecimalCode) {
  in().PlainTextMode = 1;
  Feed("A\n");
  EXPECT_EQ(Row(1), " 65 10");
  EXPECT_EQ(Row(2), "");
  EXPECT_EQ(screen().CursorRow(), 1);
  EXPECT_EQ(screen().CursorCol(), 7);
}

TEST_F(PlainText, PlainTextModeAtTheLastColumnsWritesNothingOutsideThePlanes) {
  in().PlainTextMode = 1;
  screen().ColumnsSetting = 206;
  opt().NationalCharsOff = 1;
  Cursor(1, 205);
  Feed("\xc8");
  // " 200" from column 205: the last two digits have no cells.
  EXPECT_EQ(screen().ScreenChars(1, 205), ' ');
  EXPECT_EQ(screen().ScreenChars(1, 206), '2');
  EXPECT_EQ(screen().CursorRow(), 2);
}

TEST_F(PlainText, EscapeSequencesAreNotActedOnAndOtherControlsAreIgnored) {
  Feed("\x1b[1mbold\x01\x1b");
  EXPECT_EQ(Row(1), "[1mbold");
}

TEST_F(PlainText, TheEighthBitIsStrippedUnlessNationalCharactersAreOff) {
  Feed("\xC1");
  EXPECT_EQ(screen().ScreenChars(1, 1), 'A');
  opt().NationalCharsOff = 1;
  Feed("\xC1");
  EXPECT_EQ(screen().ScreenChars(1, 2), 0xC1);
}

TEST_F(PlainText, BackspaceBellAndFormFeed) {
  in().CaptureFileOn = 1;
  Feed("abc\bX\a!");
  EXPECT_EQ(Row(1), "abX!");
  EXPECT_EQ(echo.capture, "abcX!");
  Cursor(1, 1);
  Feed("\b");
  EXPECT_EQ(screen().CursorCol(), 1);
  Feed("page\f");
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(screen().CursorRow(), 1);
  EXPECT_EQ(screen().CursorCol(), 1);
  EXPECT_EQ(echo.capture, std::string("abcX!page") + fakes::RecordingServices::kLineEnd);
}

TEST_F(PlainText, CapturedLinesEndWhereTheChosenLineEndArrives) {
  in().CaptureFileOn = 1;
  opt().LineEnd = SessionOptions::kLineEndLf;
  Feed("one\r\ntwo\r\n");
  EXPECT_EQ(echo.capture,
            std::string("one") + fakes::RecordingServices::kLineEnd + "two" + fakes::RecordingServices::kLineEnd);
}

TEST_F(PlainText, ASkippedChunkShowsNothingMore) {
  pty->Feed("shown");
  in().ProcessHostInput();
  in().SkipRestOfChunk = 1;
  pty->Feed("dropped");
  in().ProcessHostInput();
  EXPECT_EQ(Row(1), "shown");
  EXPECT_EQ(in().SkipRestOfChunk, 0);
}

TEST_F(PlainText, APtyChunkIsAtMost50Bytes) {
  pty->Feed(std::string(120, 'p'));
  in().ProcessHostInput();
  EXPECT_EQ(pty->Waiting(), 70);
}

}  // namespace
}  // namespace korvane
