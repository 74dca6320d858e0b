// The scroll-back store fed by line feeds and whole-screen saves, and the view
// over it through the scroll bar.

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

// 24 rows of 80 columns at 12 points.
class ScrollbackTest : public ::testing::Test {
 protected:
  ScrollbackTest() : port(570, 414), s(opt, port, host, &controls) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    opt.ScrollBackOn = 1;
    s.ComputeCellMetrics();
    s.ScreenCols = s.ColumnsSetting = 80;
    controls.MakeScrollBar(kScrollBarControl, {});
    s.ClearScreenAndHome();
    s.ClearScrollback();
  }
  static std::string LineText(int n) { return "L" + std::to_string(n); }
  // Prints a numbered line at the cursor and ends it with a line feed.
  void Feed(int n) {
    const std::string text = LineText(n);
    for (int i = 0; i < static_cast<int>(text.size()); ++i)
      s.ScreenChars(s.CursorRow(), i + 1) = static_cast<uint8_t>(text[i]);
    s.SetCursorCol(1);
    s.ScrollIfPastBottom();
  }
  std::string StoreLine(int line, int n = 8) const {
    std::string out;
    for (int c = 1; c <= n; ++c) {
      const int16_t ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, c);
      if (ch == 0 || ch == ' ') break;
      out += static_cast<char>(ch);
    }
    return out;
  }
  // The text the last repaint drew on a row, up to the first blank.
  std::string Shown(int row) const {
    for (const auto& c : port.Of("DrawText"))
      if (c.pen.v == row * 15 - 3 && c.pen.h == 4) return c.text.substr(0, c.text.find(' '));
    return "?";
  }
  void Repaint() {
    port.Clear();
    s.RedrawScreenFromBuffers();
  }

  SessionOptions opt;
  fakes::FakeScreenHost host;
  fakes::RecordingControls controls;
  fakes::RecordingPort port;
  Screen s;
};

TEST_F(ScrollbackTest, AThousandLinesKeepTheNewestInOrder) {
  for (int n = 1; n <= 1000; ++n) Feed(n);
  // When a line is to go into store line 958 the store first drops a
  // screenful (24 lines) of its oldest text: at the line feeds of L958 and
  // L982. It then holds L49 .. L1000 on lines 1 .. 952, the last 23 of them
  // mirrored by screen rows 1 .. 23; line 953 stands for the last row.
  EXPECT_EQ(s.ScrollBackLinePos, 953);
  for (int line = 1; line <= 952; ++line) ASSERT_EQ(StoreLine(line), LineText(line + 48)) << line;
  EXPECT_EQ(s.ScreenChars(23, 2), '1');
  EXPECT_EQ(s.ScreenChars(23, 5), '0') << "row 23 shows L1000";
}

TEST_F(ScrollbackTest, AClearedScreenIsKeptUnderASeparatorLine) {
  for (int n = 1; n <= 30; ++n) Feed(n);
  s.ClearScreenAndHome();
  for (int n = 31; n <= 35; ++n) Feed(n);
  // Lines 8 .. 30 were mirrored from the screen; the screen's blank last row
  // became the separator, and the new screen starts below it.
  EXPECT_EQ(StoreLine(30), "L30");
  EXPECT_EQ(StoreLine(31), "--------");
  EXPECT_EQ(s.ScrollBackLinePos, 31 + 24);
  // One page up from the live screen shows the old screen and the separator.
  s.ScrollBackViewPageUp();
  EXPECT_EQ(s.ScrollBackViewLine, 31);
  EXPECT_EQ(s.ScrollBackViewShown, 1);
  Repaint();
  EXPECT_EQ(Shown(1), "L8");
  EXPECT_EQ(Shown(23), "L30");
  EXPECT_EQ(Shown(24), std::string(80, '-'));
  // The live screen was copied into its lines on the way up.
  EXPECT_EQ(StoreLine(32), "L31");
  EXPECT_EQ(StoreLine(36), "L35");
}

TEST_F(ScrollbackTest, TheViewShowsTheTopTheMiddleAndTheEndOfTheStore) {
  for (int n = 1; n <= 1000; ++n) Feed(n);
  // Top: page up until the scroll bar stops at its minimum, one screenful.
  for (int i = 0; i < 60; ++i) s.ScrollBackViewPageUp();
  EXPECT_EQ(s.ScrollBackViewLine, 24);
  Repaint();
  EXPECT_EQ(Shown(1), "L49");
  EXPECT_EQ(Shown(24), "L72");
  // Middle: the user drags the thumb to line 500.
  controls.UserAction(kScrollBarControl, platform::ControlPart::Thumb, 500);
  s.DrawScrollbackView();
  Repaint();
  EXPECT_EQ(Shown(1), LineText(477 + 48));
  EXPECT_EQ(Shown(24), LineText(500 + 48));
  // End: paging down stops at the live screen, and the view is gone.
  for (int i = 0; i < 60; ++i) s.ScrollBackViewPageDown();
  EXPECT_EQ(s.ScrollBackViewLine, s.ScrollBackLinePos);
  EXPECT_EQ(s.ScrollBackViewShown, 0);
  Repaint();
  EXPECT_EQ(Shown(1), "L978");
  EXPECT_EQ(Shown(23), "L1000");
}

TEST_F(ScrollbackTest, LineMovesScrollThePixelsAndDrawTheLineThatComesIntoView) {
  for (int n = 1; n <= 100; ++n) Feed(n);
  const int bottom = s.ScrollBackLinePos;
  port.Clear();
  s.ScrollBackViewLineUp();
  s.ScrollBackViewLineUp();
  EXPECT_EQ(s.ScrollBackViewLine, bottom - 2);
  const auto scrolls = port.Of("ScrollRect");
  ASSERT_EQ(scrolls.size(), 2u);
  EXPECT_EQ(scrolls[0].rect, (Rect{0, 0, 570, 24 * 15}));
  EXPECT_EQ(scrolls[0].dv, 15);
  const auto texts = port.Of("DrawText");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].pen, (platform::Point{4, 12}));
  EXPECT_EQ(texts[0].text.size(), 207u);
  // Each step down the text shows, on row 1, the line above the old top row.
  EXPECT_EQ(texts[0].text.substr(0, 3), "L77");
  EXPECT_EQ(texts[1].text.substr(0, 3), "L76");
  EXPECT_EQ(s.RepaintPending, 1);
  EXPECT_EQ(s.ScrollBackViewShown, 1);
  port.Clear();
  s.ScrollBackViewLineDown();
  ASSERT_EQ(port.Of("ScrollRect").size(), 1u);
  EXPECT_EQ(port.Of("ScrollRect")[0].dv, -15);
  EXPECT_EQ(port.Of("DrawText")[0].pen.v, 24 * 15 - 3);
  EXPECT_EQ(port.Of("DrawText")[0].text.substr(0, 4), "L100");
}

TEST_F(ScrollbackTest, ALongJumpMovesTheTextAreaAtMostAScreenful) {
  for (int n = 1; n <= 500; ++n) Feed(n);
  // The idle pass gives the scroll bar its range.
  controls.SetScrollBarRange(kScrollBarControl, 24, s.ScrollBackLinePos, 24);
  port.Clear();
  controls.UserAction(kScrollBarControl, platform::ControlPart::Thumb, 100);
  s.DrawScrollbackView();
  EXPECT_EQ(port.Of("ScrollRect").size(), 24u);
  const auto texts = port.Of("DrawText");
  ASSERT_EQ(texts.size(), 24u);
  EXPECT_EQ(texts.back().text.substr(0, 3), "L77") << "the new top row: line 100 - 24 + 1";
}

TEST_F(ScrollbackTest, PagesNeverPassTheEndsOfTheStore) {
  for (int n = 1; n <= 100; ++n) Feed(n);
  const int bottom = s.ScrollBackLinePos;
  s.ScrollBackViewPageDown();
  EXPECT_EQ(s.ScrollBackViewLine, bottom);
  EXPECT_EQ(s.ScrollBackViewShown, 0);
  s.ScrollBackViewPageUp();
  EXPECT_EQ(s.ScrollBackViewLine, bottom - 24);
  for (int i = 0; i < 5; ++i) s.ScrollBackViewPageUp();
  EXPECT_EQ(s.ScrollBackViewLine, 24) << "the scroll bar's minimum";
  const auto* bar = controls.Find(kScrollBarControl);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->minimum, 24);
  EXPECT_EQ(bar->maximum, bottom);
  EXPECT_EQ(bar->page, 24);
}

TEST_F(ScrollbackTest, LineMovesNeedTheFrontWindowAndAScrollBack) {
  for (int n = 1; n <= 40; ++n) Feed(n);
  const int16_t line = s.ScrollBackViewLine;
  host.front = false;
  s.ScrollBackViewLineUp();
  EXPECT_EQ(s.ScrollBackViewLine, line);
  host.front = true;
  opt.ScrollBackOn = 0;
  s.ScrollBackViewLineUp();
  s.ScrollBackViewPageUp();
  EXPECT_EQ(s.ScrollBackViewLine, line);
  EXPECT_EQ(s.ScrollBackViewShown, 0);
}

TEST_F(ScrollbackTest, ClearingEmptiesTheStoreAndThePages) {
  opt.ColourModeA = 1;
  for (int n = 1; n <= 40; ++n) Feed(n);
  s.Pages.Cell(3, ScreenPlanes::kChars, 1, 1) = 'p';
  s.ClearScrollback();
  EXPECT_EQ(StoreLine(1), "");
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kFore, 5, 5), 0x1212);
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kBack, 5, 5), 0x1111);
  EXPECT_EQ(s.Pages.Cell(3, ScreenPlanes::kChars, 1, 1), 0);
  EXPECT_EQ(s.ScrollBackLinePos, 24);
  EXPECT_EQ(s.ScrollBackViewLine, 24);
  EXPECT_EQ(s.ScrollBarUpdateNeeded, 1);
  // Unused store lines in the view draw white on black.
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 24;
  Repaint();
  EXPECT_EQ(port.Of("DrawText")[0].fore, kScreenPalette[17]);
  EXPECT_EQ(port.Of("DrawText")[0].back, kScreenPalette[18]);
}

TEST_F(ScrollbackTest, WithTheScrollBackOffClearingKeepsTheStoreButClearsThePages) {
  for (int n = 1; n <= 40; ++n) Feed(n);
  opt.ScrollBackOn = 0;
  s.Pages.Cell(1, ScreenPlanes::kChars, 1, 1) = 'p';
  s.ClearScrollback();
  EXPECT_EQ(StoreLine(1), "L1");
  EXPECT_EQ(s.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 0);
}

}  // namespace
}  // namespace korvane
