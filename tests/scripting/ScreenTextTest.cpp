// Screen text for scripts: stretches of a row and whole rows, with every
// number a script can give brought inside the planes.

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeScreenHost.h"
#include "platform/NullPort.h"
#include "scripting/ScreenText.h"
#include "screen/Screen.h"

namespace korvane::scripting {
namespace {

class ScreenTextTest : public ::testing::Test {
 protected:
  ScreenTextTest() : port(800, 600), screen(options, port, screenHost) {
    screen.ScreenCols = 80;
    screen.ScreenRows = 24;
  }
  void Put(int row, int col, const std::string& text) {
    for (char c : text) screen.ScreenChars(row, col++) = static_cast<uint8_t>(c);
  }
  std::string Data(int row, int start, int end, int16_t rows = 24) {
    range = {static_cast<int16_t>(row), static_cast<int16_t>(start), static_cast<int16_t>(end)};
    return GetScreenDataText(screen, range, rows);
  }

  SessionOptions options;
  platform::NullPort port;
  fakes::FakeScreenHost screenHost;
  Screen screen;
  ScreenDataRange range;
};

TEST_F(ScreenTextTest, DataTextCountsFromZeroAndStoresTheClampedValues) {
  Put(1, 1, "Hello, world of terminals");
  EXPECT_EQ(Data(0, 0, 9), "Hello, wor");
  EXPECT_EQ(range.ScreenDataRow, 1);
  EXPECT_EQ(range.ScreenDataColStart, 1);
  EXPECT_EQ(range.ScreenDataColEnd, 10);
}

TEST_F(ScreenTextTest, DataTextEdges) {
  Put(1, 1, "Hello, world");
  Put(2, 75, "ABCDEF");
  Put(24, 1, "bottom");
  struct Case {
    const char* name;
    int row, start, end;
    int16_t rows;
    std::string text;
  } cases[] = {
      {"start beyond end reads one cell", 0, 5, 2, 24, ","},
      {"a start of -1 reads column 0, a blank", 0, -1, 1, 24, " He"},
      {"an end beyond the screen stops at its last column", 1, 74, 500, 24, "ABCDEF"},
      {"a row beyond the screen reads the last row", 99, 0, 5, 24, "bottom"},
      {"before the first idle pass the row is row 0", 3, 0, 2, 0, "   "},
      {"a negative row reads row 0", -50, 0, 1, 24, "  "},
      {"the largest numbers do not wrap", 32767, 32767, 32767, 24, " "},
      {"the smallest numbers read column 0", 0, -32768, -32768, 24, " "},
  };
  for (const Case& c : cases) EXPECT_EQ(Data(c.row, c.start, c.end, c.rows), c.text) << c.name;
}

TEST_F(ScreenTextTest, CellsGiveTheirLowByteAndNeverANul) {
  screen.ScreenChars(1, 1) = 0x141;  // low byte 'A'
  screen.ScreenChars(1, 2) = 0x100;  // low byte 0
  screen.ScreenChars(1, 3) = 0x8E;   // Mac Roman e acute
  EXPECT_EQ(Data(0, 0, 3), std::string("A \x8E "));
}

TEST_F(ScreenTextTest, LineTextReadsOneColumnFewerThanTheSession) {
  Put(1, 1, "top row");
  const std::string text = GetScreenLineText(screen, 1, 80);
  EXPECT_EQ(text.size(), 79u);
  EXPECT_EQ(text, "top row" + std::string(72, ' '));
}

TEST_F(ScreenTextTest, LineTextRows) {
  Put(1, 1, "first");
  Put(90, 1, "ninety");
  struct Case {
    int16_t row;
    const char* text;
  } cases[] = {{0, "first "}, {1, "first "}, {-5, "first "}, {-32768, "first "}, {200, "ninety"}, {90, "ninety"}};
  for (const Case& c : cases) EXPECT_EQ(GetScreenLineText(screen, c.row, 7), c.text) << c.row;
}

TEST_F(ScreenTextTest, LineTextColumnsAreCutToTheScreen) {
  Put(3, 1, "abc");
  EXPECT_EQ(GetScreenLineText(screen, 3, 200).size(), 79u) << "session wider than the screen";
  EXPECT_EQ(GetScreenLineText(screen, 3, 0), "a") << "the first cell is always read";
  screen.ScreenCols = 300;  // more than the planes hold
  EXPECT_EQ(GetScreenLineText(screen, 3, 300).size(), 206u);
  range = {0, 0, 500};
  EXPECT_EQ(GetScreenDataText(screen, range, 24).size(), 207u);
}

}  // namespace
}  // namespace korvane::scripting
