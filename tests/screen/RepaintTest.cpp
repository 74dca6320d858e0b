// The repaint from the planes, seen through the recording port: which runs
// are drawn, in which style, and what the repaint leaves behind.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

using fakes::RecordingPort;
using platform::TextMode;

// 12-point cells (7 x 15) in an 80 x 114 window: 4 screen rows of 10 drawn
// columns; the status rows are rows 5 (drawn as a text row) and 9 (drawn on
// the status line at y = 113).
class RepaintTest : public ::testing::Test {
 protected:
  RepaintTest() : port(80, 114), s(opt, port, host, &controls) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    opt.ReverseColour = 2;
    opt.Mode2Colour = 3;
    opt.UnderlineColour = 4;
    opt.BoldColour = 6;
    s.ComputeCellMetrics();
    s.ScreenCols = s.ColumnsSetting = 10;
    controls.MakeScrollBar(kScrollBarControl, {});
    controls.SetScrollBarRange(kScrollBarControl, 0, 960, 4);
  }
  void Put(int row, int col, std::string_view text, int16_t attr = 0) {
    for (char ch : text) {
      s.ScreenChars(row, col) = static_cast<uint8_t>(ch);
      s.ScreenAttrs(row, col++) = attr;
    }
  }
  // The text runs drawn with their baseline on a pixel row.
  std::vector<RecordingPort::Call> RunsAt(int baseline) {
    std::vector<RecordingPort::Call> out;
    for (const auto& c : port.Of("DrawText"))
      if (c.pen.v == baseline) out.push_back(c);
    return out;
  }
  std::vector<std::string> TextsAt(int baseline) {
    std::vector<std::string> out;
    for (const auto& c : RunsAt(baseline)) out.push_back(c.text);
    return out;
  }
  static int Baseline(int row) { return row * 15 - 3; }
  static RGB Colour(int i) { return kScreenPalette[i]; }
  void Repaint() {
    port.Clear();
    s.RedrawScreenFromBuffers();
  }

  SessionOptions opt;
  fakes::FakeScreenHost host;
  fakes::RecordingControls controls;
  RecordingPort port;
  Screen s;
};

TEST_F(RepaintTest, EachRowOfOneStyleIsOneTextCall) {
  Put(1, 1, "ABCDEFGHIJ");
  Put(2, 1, "KLMNOPQRST");
  Repaint();
  EXPECT_EQ(TextsAt(Baseline(1)), std::vector<std::string>{"ABCDEFGHIJ"});
  EXPECT_EQ(TextsAt(Baseline(2)), std::vector<std::string>{"KLMNOPQRST"});
  EXPECT_EQ(TextsAt(Baseline(3)), std::vector<std::string>{"          "});
  EXPECT_EQ(TextsAt(Baseline(5)).size(), 1u) << "the status line row is drawn as a text row";
  for (int row : {6, 7, 8}) EXPECT_TRUE(TextsAt(Baseline(row)).empty()) << row;
  EXPECT_EQ(port.Of("DrawText").size(), 6u) << "4 screen rows, row 5 and the second status line";
  EXPECT_EQ(port.Of("DrawText").back().pen.v, 113) << "second status line on the status line position";
}

TEST_F(RepaintTest, RunsEndWhereTheStyleOrAColourChanges) {
  Put(1, 1, "ab");
  Put(1, 3, "cd", kAttrReverse);
  Put(1, 5, "ef", 8);  // no style: joins the reverse run
  Put(1, 7, "gh", 9);
  Put(1, 9, "ij", kAttrBold);
  Repaint();
  const auto runs = RunsAt(Baseline(1));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "ab");
  EXPECT_EQ(runs[0].mode, TextMode::Copy);
  EXPECT_EQ(runs[0].fore, Colour(17));
  EXPECT_EQ(runs[1].text, "cdefgh");
  EXPECT_EQ(runs[1].mode, TextMode::Inverse);
  EXPECT_EQ(runs[1].fore, Colour(2));
  EXPECT_EQ(runs[2].text, "ij");
  EXPECT_EQ(runs[2].face, platform::kFaceBold | platform::kFaceCondense);
  EXPECT_EQ(runs[2].fore, Colour(6));
  EXPECT_EQ(runs[1].pen.h, 4 + 2 * 7) << "each run starts where the last ended";
}

TEST_F(RepaintTest, InColourModeABackgroundChangeAloneEndsTheRun) {
  opt.ColourModeA = 1;
  Put(1, 1, "abcdef");
  for (int c = 1; c <= 10; ++c) {
    s.ScreenForeColours(1, c) = 17;
    s.ScreenBackColours(1, c) = c <= 3 ? 0 : 9;  // 0 is the session background
  }
  Repaint();
  const auto runs = RunsAt(Baseline(1));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "abc");
  EXPECT_EQ(runs[0].back, Colour(18));
  EXPECT_EQ(runs[1].text, "def    ");
  EXPECT_EQ(runs[1].back, Colour(9));
  EXPECT_EQ(runs[1].fore, Colour(17));
}

TEST_F(RepaintTest, AForegroundOfZeroDrawsInTheNormalForeground) {
  // Text written before a colour mode came on has no colours in the planes:
  // it must neither vanish nor take the colour of the cell before it.
  opt.ColourModeA = 1;
  s.NormalForeColour = 17;
  Put(1, 1, "abold");
  s.ScreenForeColours(1, 1) = s.ScreenForeColours(1, 2) = 2;
  Repaint();
  const auto runs = RunsAt(Baseline(1));
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, "ab");
  EXPECT_EQ(runs[0].fore, Colour(2));
  EXPECT_EQ(runs[1].text, "old     ");
  EXPECT_EQ(runs[1].fore, Colour(17));
  EXPECT_EQ(runs[1].back, Colour(18));
}

TEST_F(RepaintTest, ErasedCellsItDrawsBecomeSpacesAndCellsBeyondStayErased) {
  Put(2, 1, "xy");
  Repaint();
  EXPECT_EQ(s.ScreenChars(2, 3), 0x20);
  EXPECT_EQ(s.ScreenChars(2, 10), 0x20);
  EXPECT_EQ(s.ScreenChars(2, 11), 0) << "beyond the 10 columns that fit the window";
  EXPECT_EQ(s.ScreenChars(6, 1), 0) << "rows ScreenRows + 2 .. + 4 are never drawn";
}

TEST_F(RepaintTest, WyseAttributeCodesDrawTheirColoursOnlyInWyseColourMode) {
  struct Case {
    int16_t code;
    int16_t wyse;
    RGB fore, back;
  };
  const Case cases[] = {
      {10, 1, Colour(4), Colour(18)},                                    // on the session background
      {14, 1, Colour(18), Colour(4)},  {22, 1, Colour(17), Colour(18)},  // visible, as the attribute command draws it
      {22, 0, Colour(17), Colour(18)},                                   // plain member of the run
      {25, 1, Colour(18), Colour(16)},
  };
  for (const Case& c : cases) {
    s.WyseColourAttributes = c.wyse;
    Put(1, 1, "ABCDEFGHIJ", c.code);
    Repaint();
    const auto runs = RunsAt(Baseline(1));
    ASSERT_EQ(runs.size(), 1u) << c.code;
    EXPECT_EQ(runs[0].fore, c.fore) << c.code << " wyse " << c.wyse;
    EXPECT_EQ(runs[0].back, c.back) << c.code << " wyse " << c.wyse;
  }
}

TEST_F(RepaintTest, Code22LooksTheSameWhenSetByTheHostAndWhenRepainted) {
  s.WyseColourAttributes = 1;
  s.ColourAttributeInput = 22;
  s.SetColoursForAttribute();
  const RGB setFore = port.fore(), setBack = port.back();
  Put(1, 1, "ABCDEFGHIJ", 22);
  Repaint();
  const auto runs = RunsAt(Baseline(1));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].fore, setFore);
  EXPECT_EQ(runs[0].back, setBack);
  EXPECT_NE(runs[0].fore, runs[0].back);
}

TEST_F(RepaintTest, WithTheScrollBackOffTheLiveScreenIsDrawn) {
  Put(1, 1, "live");
  s.ScrollBack.Cell(ScrollBackPlanes::kChars, 21, 1) = 'S';
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 24;
  opt.ScrollBackOn = 0;
  Repaint();
  EXPECT_EQ(s.ScrollBackViewShown, 0);
  EXPECT_EQ(TextsAt(Baseline(1))[0].substr(0, 4), "live");
}

TEST_F(RepaintTest, TheViewDrawsStoreLinesAndNoStatusRows) {
  opt.ScrollBackOn = 1;
  s.ScrollBack.Cell(ScrollBackPlanes::kChars, 10, 1) = 'T';  // top row: line 13 - 4 + 1
  s.ScrollBack.Cell(ScrollBackPlanes::kChars, 13, 1) = 'B';
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 13;
  Put(1, 1, "live");
  Repaint();
  EXPECT_EQ(TextsAt(Baseline(1))[0][0], 'T');
  EXPECT_EQ(TextsAt(Baseline(4))[0][0], 'B');
  EXPECT_TRUE(TextsAt(Baseline(5)).empty());
  EXPECT_TRUE(TextsAt(113).empty());
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, 13, 2), 0x20) << "erased store cells become spaces too";
  EXPECT_EQ(s.ScreenChars(1, 5), 0) << "the live screen is not touched";
}

TEST_F(RepaintTest, ViewNearTheTopOfTheStoreNeverReadsBeforeLineZero) {
  opt.ScrollBackOn = 1;
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 1;
  s.ScrollBack.Cell(ScrollBackPlanes::kChars, 1, 1) = 'F';
  Repaint();
  EXPECT_EQ(TextsAt(Baseline(4))[0][0], 'F');
  EXPECT_EQ(port.Of("DrawText").size(), 4u);
}

TEST_F(RepaintTest, SmallTypeLeavesTheStatusRowsOutButNotTheViewsRows) {
  opt.ScrollBackOn = 1;
  opt.FontSizeMode = 1;
  Put(5, 1, "status");
  Repaint();
  EXPECT_TRUE(TextsAt(Baseline(5)).empty());
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 20;
  Repaint();
  EXPECT_EQ(port.Of("DrawText").size(), 4u) << "every text row of the view";
}

TEST_F(RepaintTest, BytesWaitingOnTheSerialPortPostponeTheRepaint) {
  Put(1, 1, "x");
  host.serialWaiting = 5;
  s.RepaintPending = 1;
  Repaint();
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(s.RepaintPending, 1);
  EXPECT_EQ(s.ScreenChars(1, 2), 0);
  // A keystroke's repaint over the cells goes ahead.
  s.RepaintWithoutErase = 1;
  s.KeystrokeRepaint = 1;
  Repaint();
  EXPECT_FALSE(port.Of("DrawText").empty());
  EXPECT_TRUE(port.Of("EraseRect").empty());
  EXPECT_EQ(s.RepaintPending, 0);
  EXPECT_EQ(s.RepaintWithoutErase, 0);
  EXPECT_EQ(s.KeystrokeRepaint, 0);
}

TEST_F(RepaintTest, ACollapsedWindowIsNotDrawn) {
  host.collapsed = true;
  s.RepaintPending = 1;
  Repaint();
  EXPECT_TRUE(port.calls.empty());
}

TEST_F(RepaintTest, AFullRepaintErasesFirstAndSetsTheScrollBar) {
  s.ScrollBackViewLine = 30;
  s.LinesTransmittedShown = 1;
  opt.FontSize = 12;
  Repaint();
  const auto erases = port.Of("EraseRect");
  ASSERT_GE(erases.size(), 2u);
  EXPECT_EQ(erases[0].rect, (Rect{0, 0, 80, 100}));
  EXPECT_EQ(erases[1].rect, (Rect{0, 100, 80, 114}));
  EXPECT_EQ(erases[0].back, Colour(18));
  EXPECT_EQ(controls.ControlValue(kScrollBarControl), 30);
  EXPECT_EQ(host.linesTransmittedShown, 1);
  EXPECT_EQ(host.fontSizeItemEnabled, 1);
}

TEST_F(RepaintTest, TheCursorAndTheHostsAttributeStateAreKept) {
  s.SetCursorRow(3);
  s.SetCursorCol(4);
  s.TextStyleMode = kAttrReverse;
  s.SetDrawColoursForAttribute();
  s.SetTextRunAttributes();
  Put(1, 1, "text");
  Repaint();
  EXPECT_EQ(s.CursorRow(), 3);
  EXPECT_EQ(s.CursorCol(), 4);
  EXPECT_EQ(port.Pen(), (platform::Point{4 + 3 * 7, Baseline(3)}));
  EXPECT_EQ(s.ReverseOn, 1);
  EXPECT_EQ(s.CurrentAttributeCode, kAttrReverse);
  // What the host writes next is drawn as it would have been.
  EXPECT_EQ(port.textMode(), TextMode::Inverse);
  EXPECT_EQ(port.fore(), Colour(2));
  EXPECT_EQ(s.ScreenRows, 4);
}

TEST_F(RepaintTest, ARepaintOverTheCellsStartsFromTheNormalStyle) {
  s.TextStyleMode = kAttrReverse;
  s.SetTextRunAttributes();
  Put(1, 1, "plain");
  s.RepaintWithoutErase = 1;
  Repaint();
  const auto runs = RunsAt(Baseline(1));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].mode, TextMode::Copy);
  EXPECT_EQ(runs[0].fore, Colour(17));
}

// ---- Spreading a new Wyse attribute forward ---------------------------------

class SpreadTest : public RepaintTest {
 protected:
  SpreadTest() {
    s.WyseColourAttributes = 1;
    for (int r = 1; r <= 4; ++r)
      for (int c = 1; c <= 10; ++c) s.ScreenAttrs(r, c) = 11;  // the old attribute
    s.ReplacedAttributeCode = 11;
    s.CurrentAttributeCode = 14;
    // The new attribute was just stored at the cursor (row 2, column 3).
    s.SetCursorRow(2);
    s.SetCursorCol(3);
    s.ScreenAttrs(2, 3) = 14;
    s.HiddenAttrMark(2, 3) = 1;
  }
  std::string Attrs(int row) {
    std::string out;
    for (int c = 1; c <= 10; ++c) out += s.ScreenAttrs(row, c) == 14 ? 'N' : s.ScreenAttrs(row, c) == 11 ? 'o' : '?';
    return out;
  }
};

TEST_F(SpreadTest, WithNoLaterMarkEveryFollowingCellTakesTheAttribute) {
  s.SpreadAttributeForward();
  EXPECT_EQ(Attrs(1), "oooooooooo");
  EXPECT_EQ(Attrs(2), "ooNNNNNNNN");
  EXPECT_EQ(Attrs(4), "NNNNNNNNNN");
  EXPECT_EQ(s.ScreenChars(3, 1), 0x20) << "erased cells become spaces";
  EXPECT_EQ(s.ScreenAttrs(5, 1), 0) << "the status line rows are not screen rows here";
  EXPECT_EQ(s.RepaintPending, 1);
  EXPECT_EQ(s.RepaintWithoutErase, 1);
}

TEST_F(SpreadTest, TheSpreadStopsAtTheNextMark) {
  struct Case {
    const char* what;
    void (*mark)(Screen&);
  };
  const Case cases[] = {
      {"another attribute", [](Screen& screen) { screen.ScreenAttrs(3, 5) = 12; }},
      {"a hidden mark", [](Screen& screen) { screen.HiddenAttrMark(3, 5) = 1; }},
      {"a protected mark",
       [](Screen& screen) {
         screen.WriteProtectMode = 1;
         screen.ScreenProtect(3, 5) = 1;
       }},
  };
  for (const Case& c : cases) {
    for (int r = 1; r <= 4; ++r)
      for (int col = 1; col <= 10; ++col) {
        s.ScreenAttrs(r, col) = 11;
        s.HiddenAttrMark(r, col) = 0;
        s.ScreenProtect(r, col) = 0;
      }
    s.WriteProtectMode = 0;
    s.ScreenAttrs(2, 3) = 14;
    s.HiddenAttrMark(2, 3) = 1;
    c.mark(s);
    s.SpreadAttributeForward();
    EXPECT_EQ(Attrs(2), "ooNNNNNNNN") << c.what;
    EXPECT_EQ(Attrs(3).substr(0, 4), "NNNN") << c.what;
    EXPECT_EQ(Attrs(3).substr(5), "ooooo") << c.what;
    EXPECT_EQ(Attrs(4), "oooooooooo") << c.what;
  }
}

TEST_F(SpreadTest, ProtectedCellsInProtectModeAreSteppedOver) {
  s.WriteProtectMode = 1;
  s.ScreenAttrs(2, 6) = 3;  // a protected cell that is no mark
  s.ScreenProtect(2, 6) = 1;
  s.SpreadAttributeForward();
  EXPECT_EQ(s.ScreenAttrs(2, 6), 3);
  EXPECT_EQ(s.ScreenAttrs(2, 7), 14);
}

}  // namespace
}  // namespace korvane
