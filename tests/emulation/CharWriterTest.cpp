// The character writer and the common end of a character: the pending run is
// drawn in one text call and echoed in one piece, wraps exactly at the last
// column, is cut at 254 bytes, and echoes exactly the printed bytes.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

std::string Letters(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

class CharWriter : public HostInputTest {
 protected:
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    in().ProcessHostInput();
  }
  void SetUp() override {
    UseScript();
    pty = OpenPty();
  }
  fakes::MemoryLink* pty = nullptr;
};

TEST_F(CharWriter, ALongRunWithoutWrapIsDrawnAndEchoedIn254ByteRunsAndTheRest) {
  // A window wide enough for all 206 columns.
  port.SetSize(1500, 414);
  screen().ComputeCellMetrics();
  ASSERT_EQ(screen().WindowColumns, 206);
  in().CaptureFileOn = 1;
  const std::string text = Letters(300);
  Feed(text);
  const auto texts = port.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], text.substr(0, 254));
  EXPECT_EQ(texts[1], text.substr(254));
  EXPECT_EQ(echo.captureWrites, (std::vector<std::string>{text.substr(0, 254), text.substr(254)}));
  // Past the last column every character lands on it.
  EXPECT_EQ(screen().ScreenChars(1, 206), text.back());
}

TEST_F(CharWriter, AutoWrapBreaksTheRunExactlyAtTheLastColumn) {
  opt().AutoWrapOn = 1;
  in().CaptureFileOn = 1;
  const std::string text = Letters(170);
  Feed(text);
  EXPECT_EQ(Row(1), text.substr(0, 80));
  EXPECT_EQ(Row(2), text.substr(80, 80));
  EXPECT_EQ(Row(3), text.substr(160));
  const auto draws = port.Of("DrawText");
  ASSERT_EQ(draws.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(draws[i].pen.h, 4) << i;
    EXPECT_EQ(draws[i].pen.v, (i + 1) * 15 - 3) << i;
  }
  EXPECT_EQ(draws[2].text, text.substr(160));
  EXPECT_EQ(echo.capture, text);
  EXPECT_EQ(screen().CursorRow(), 3);
  EXPECT_EQ(screen().CursorCol(), 11);
}

TEST_F(CharWriter, TheRunIsNeverLongerThan254WhateverTheChunk) {
  opt().AutoWrapOn = 1;
  in().CaptureFileOn = 1;
  // Long lines with controls between them, over several chunks.
  std::string text;
  for (int i = 0; i < 40; ++i) text += Letters(130 + i) + "\r\n";
  Feed(text);
  for (const auto& t : port.Texts()) EXPECT_LE(t.size(), 80u);
  std::string printed;
  for (char c : text)
    if (c >= 32) printed += c;
  EXPECT_EQ(echo.capture, [&] {
    // Each CR ends its run with the capture's line end.
    std::string out;
    size_t start = 0;
    for (size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 2)
      out += text.substr(start, cr - start) + fakes::RecordingServices::kLineEnd;
    return out;
  }());
}

struct WrapCase {
  const char* name;
  int16_t protectMode;
  std::string row23, row24;
};

class WrapOnTheLastRow : public CharWriter, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(WrapOnTheLastRow, ScrollsUnlessProtectModeIsOn) {
  opt().AutoWrapOn = 1;
  screen().WriteProtectMode = GetParam().protectMode;
  Cursor(24, 79);
  Feed("abc");
  EXPECT_EQ(Row(23), GetParam().row23);
  EXPECT_EQ(Row(24), GetParam().row24);
}

INSTANTIATE_TEST_SUITE_P(CharWriter, WrapOnTheLastRow,
                         ::testing::Values(WrapCase{"Scrolls", 0, std::string(78, ' ') + "ab", "c"},
                                           WrapCase{"ProtectModeOverwrites", 1, "", "c" + std::string(77, ' ') + "ab"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(CharWriter, ACursorOutsideThePlanesIsBroughtBackBeforeTheCharacterIsStored) {
  struct Clamp {
    int row, col, toRow, toCol;
  };
  for (const Clamp c : {Clamp{80, 5, 71, 5}, Clamp{5, 250, 5, 206}, Clamp{0, -3, 1, 1}}) {
    screen().SetCursorRow(static_cast<int16_t>(c.row));
    screen().SetCursorCol(static_cast<int16_t>(c.col));
    in().CurrentHostChar = 'Q';
    in().WriteCharacter();
    EXPECT_EQ(screen().ScreenChars(c.toRow, c.toCol), 'Q') << c.row << "," << c.col;
    screen().PendingRun.clear();
  }
}

TEST_F(CharWriter, WithTheDisplayOffTextReachesThePrinterAndNotTheScreen) {
  screen().DisplayOn = 0;
  in().PrinterOn = 1;
  Feed("report line");
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(screen().CursorCol(), 1);
  EXPECT_EQ(echo.printer, "report line");
  EXPECT_TRUE(port.Texts().empty());
}

TEST_F(CharWriter, WithUseClipTheWrapEchoesToTheClipboardAndNotThePrinter) {
  opt().AutoWrapOn = 1;
  opt().UseClip = 1;
  in().PrinterOn = 1;
  in().ClipboardLineCopy = 1;
  const std::string text = Letters(90);
  Feed(text);
  EXPECT_EQ(echo.printer, "");
  EXPECT_EQ(echo.clipboard, text);
}

TEST_F(CharWriter, AControlCharacterChangesNoCellAndIsNotAddedToTheRun) {
  Cursor(3, 3);
  in().CurrentHostChar = 7;
  in().WriteCharacter();
  EXPECT_EQ(screen().ScreenChars(3, 3), 0);
  EXPECT_TRUE(screen().PendingRun.empty());
  EXPECT_EQ(screen().CursorCol(), 3);
}

TEST_F(CharWriter, InsertModeShiftsTheLineAndLosesNothingOfTheEcho) {
  in().CaptureFileOn = 1;
  Feed("XYZ");
  Cursor(1, 1);
  in().InsertMode = 1;
  Feed("ab");
  EXPECT_EQ(Row(1), "abXYZ");
  EXPECT_EQ(echo.capture, "XYZab");
  EXPECT_EQ(screen().CursorCol(), 3);
}

TEST_F(CharWriter, TheWyseFamilyWrapsAtOnceTheVtFamilyAtTheNextCharacter) {
  opt().AutoWrapOn = 1;
  script.vt = false;
  Cursor(5, 1);
  Feed(Letters(80));
  EXPECT_EQ(screen().CursorRow(), 6);
  EXPECT_EQ(screen().CursorCol(), 1);

  script.vt = true;
  // The bottom-right cell written: nothing scrolls until a character follows.
  Cursor(24, 1);
  Feed(Letters(80));
  EXPECT_EQ(Row(24), Letters(80));
  EXPECT_EQ(screen().CursorRow(), 24);
  EXPECT_EQ(screen().CursorCol(), 81);
  Feed("!");
  EXPECT_EQ(Row(23), Letters(80));
  EXPECT_EQ(Row(24), "!");
  EXPECT_EQ(screen().CursorRow(), 24);
  EXPECT_EQ(screen().CursorCol(), 2);
}

TEST_F(CharWriter, WithoutAutoWrapTheVtFamilyOverwritesTheLastColumn) {
  opt().AutoWrapOn = 0;
  in().CaptureFileOn = 1;
  script.vt = true;
  Cursor(3, 78);
  Feed("abcdef");
  EXPECT_EQ(Row(3).substr(77), "abf");
  EXPECT_EQ(Row(4), "");
  EXPECT_EQ(echo.capture, "abcdef");
}

TEST_F(CharWriter, AttributeCodesFromTheFlagsLaterRulesWinning) {
  struct Flags {
    int16_t dim, underline, bold, reverse, code;
  };
  const Flags table[] = {
      {0, 0, 0, 0, 0}, {1, 0, 0, 0, 2}, {0, 1, 0, 0, 3}, {0, 0, 1, 0, 4}, {0, 0, 0, 1, 1}, {1, 1, 0, 0, 3},
      {1, 0, 0, 1, 1}, {0, 1, 0, 1, 5}, {0, 1, 1, 0, 6}, {0, 0, 1, 1, 7}, {1, 1, 1, 1, 7},
  };
  for (const Flags& f : table) {
    screen().DimOn = f.dim;
    screen().UnderlineOn = f.underline;
    screen().BoldOn = f.bold;
    screen().ReverseOn = f.reverse;
    in().ComputeAttributeCode();
    EXPECT_EQ(screen().CurrentAttributeCode, f.code) << f.dim << f.underline << f.bold << f.reverse;
  }
}

TEST_F(CharWriter, PrintedCellsTakeTheCurrentColoursInColourMode) {
  opt().ColourModeA = 1;
  screen().CurrentForeColour = 2;
  screen().CurrentBackColour = 9;
  Feed("c");
  EXPECT_EQ(screen().ScreenForeColours(1, 1), 2);
  EXPECT_EQ(screen().ScreenBackColours(1, 1), 9);
  // A colour of 0 keeps the pair last written.
  screen().CurrentForeColour = 0;
  Feed("d");
  EXPECT_EQ(screen().ScreenForeColours(1, 2), 2);
}

TEST_F(CharWriter, HoldingTheOutputWaitsUntilTheHoldEndsThenLetsTheHostGo) {
  opt().XonXoffOn = 1;
  in().OutputHeld = 1;
  record.heldPolls = 3;
  const int64_t t0 = clock.Milliseconds();
  Feed("x");
  EXPECT_EQ(Row(1), "x");
  EXPECT_EQ(in().OutputHeld, 0);
  EXPECT_GE(clock.Milliseconds() - t0, 30);
  EXPECT_EQ(pty->written, "\x13\x11");
}

}  // namespace
}  // namespace korvane
