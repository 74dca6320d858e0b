// The function-key bar (its layouts, made as numbered controls) and the
// status area below the text rows.

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

class FkeyBarTest : public ::testing::Test {
 protected:
  FkeyBarTest() : port(450, 414), s(opt, port, host, &controls) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    opt.HostFeatureOption = 1;
    for (int i = 1; i <= 16; ++i) {
      opt.FkeyTitles[i] = "F" + std::to_string(i);
      opt.ShiftFkeyTitles[i] = "SF" + std::to_string(i);
    }
    s.ComputeCellMetrics();
    s.ScreenCols = s.ColumnsSetting = 80;
    controls.MakeScrollBar(kScrollBarControl, {});
    controls.SetScrollBarRange(kScrollBarControl, 0, 960, 24);
  }
  const platform::HeadlessControls::State& Button(int id) {
    const auto* b = controls.Find(id);
    EXPECT_NE(b, nullptr) << id;
    static const platform::HeadlessControls::State none;
    return b ? *b : none;
  }
  int ButtonCount() const {
    int n = 0;
    for (const auto& [id, state] : controls.All()) n += !state.scrollBar;
    return n;
  }

  SessionOptions opt;
  fakes::FakeScreenHost host;
  fakes::RecordingControls controls;
  fakes::RecordingPort port;
  Screen s;
};

TEST_F(FkeyBarTest, ANarrowWindowGetsNineButtonsARowAndTheLastIsCut) {
  s.DrawFunctionKeyBar();
  const int t = 414 - 14;
  const int lefts[] = {1, 54, 108, 161, 215, 268, 322, 375, 429};
  for (int i = 0; i < 9; ++i) {
    const auto& first = Button(kFirstFkeyButton + i);
    EXPECT_EQ(first.bounds.left, lefts[i]) << i;
    EXPECT_EQ(first.bounds.top, t - 30);
    EXPECT_EQ(first.bounds.bottom, t - 15);
    EXPECT_EQ(first.title, "F" + std::to_string(i + 1));
    EXPECT_EQ(first.font, platform::kLabelFont);
    EXPECT_EQ(first.size, 10);
    const auto& second = Button(kFirstFkeyButton + 10 + i);
    EXPECT_EQ(second.bounds, (Rect{lefts[i], t - 15, first.bounds.right, t}));
    EXPECT_EQ(second.title, "SF" + std::to_string(i + 1));
  }
  EXPECT_EQ(Button(kFirstFkeyButton + 8).bounds.right, 452) << "width 24: two pixels past the window";
  EXPECT_EQ(ButtonCount(), 18);
  EXPECT_EQ(s.FkeyBarMade, 1);
  EXPECT_EQ(s.BarTop, t - 30);
  EXPECT_EQ(s.BarClipCountdown, 1);
  const auto inval = port.Of("InvalRect");
  ASSERT_EQ(inval.size(), 1u);
  EXPECT_EQ(inval[0].rect, (Rect{0, 0, 450, 400}));
}

TEST_F(FkeyBarTest, EighteenPointTypeOnAWideDisplayGetsSixteenButtonsARow) {
  port.SetSize(1300, 700);
  opt.TextSizeValue = 18;
  s.ComputeCellMetrics();
  host.displayWidth = 1440;
  s.DrawFunctionKeyBar();
  const int t = 700 - 14;
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(Button(kFirstFkeyButton + i).bounds, (Rect{i * 79, t - 30, i * 79 + 79, t - 15})) << i;
    EXPECT_EQ(Button(kFirstFkeyButton + 16 + i).bounds, (Rect{i * 79, t - 15, i * 79 + 79, t})) << i;
    EXPECT_EQ(Button(kFirstFkeyButton + 16 + i).title, "SF" + std::to_string(i + 1));
    EXPECT_EQ(Button(kFirstFkeyButton + i).size, 12);
  }
  EXPECT_EQ(ButtonCount(), 32);
}

// The session windows' sizes at 18-point type on a wide display: each window
// width gets one layout's two rows and no button of another layout, and no
// button reaches into the scroll bar along the right edge.
TEST_F(FkeyBarTest, EveryButtonBelongsToOneLayoutAndStopsAtTheScrollBar) {
  opt.TextSizeValue = 18;
  s.ComputeCellMetrics();
  host.displayWidth = 1440;
  s.ScrollBarWidth = 16;
  for (const int width : {450, 600, 639, 640, 700, 992, 1300}) {
    port.SetSize(width, 652);
    host.clock.AdvanceTicks(30);
    s.DrawFunctionKeyBar();
    const int t = 652 - 14;
    int buttons = 0;
    for (const auto& [id, b] : controls.All()) {
      if (b.scrollBar) continue;
      ++buttons;
      const bool secondRow = id >= kFirstFkeyButton + 16;
      EXPECT_EQ(b.bounds.top, secondRow ? t - 15 : t - 30) << "width " << width << ": button " << id;
      const int key = id - kFirstFkeyButton - (secondRow ? 16 : 0) + 1;
      EXPECT_EQ(b.title, (secondRow ? "SF" : "F") + std::to_string(key)) << "width " << width << ": button " << id;
      EXPECT_LE(b.bounds.right, width - 16) << "width " << width << ": button " << id;
    }
    EXPECT_GT(buttons, 0) << "width " << width;
    EXPECT_EQ(buttons % 2, 0) << "width " << width << ": the two rows differ";
  }
}

TEST_F(FkeyBarTest, AWindowWideEnoughForTheSecondLayoutUsesItsPitch) {
  port.SetSize(700, 414);
  s.DrawFunctionKeyBar();
  // 62.5 pixels apart, edges cut to whole pixels.
  EXPECT_EQ(Button(kFirstFkeyButton + 1).bounds.left, 62);
  EXPECT_EQ(Button(kFirstFkeyButton + 3).bounds.left, 187);
  EXPECT_EQ(Button(kFirstFkeyButton + 3).bounds.right, 250);
  EXPECT_EQ(Button(kFirstFkeyButton + 9).bounds.right, 625);
  EXPECT_EQ(ButtonCount(), 20);
}

TEST_F(FkeyBarTest, ASecondBuildWithinHalfASecondIsOnlyRequested) {
  s.DrawFunctionKeyBar();
  controls.Clear();
  host.clock.AdvanceTicks(29);
  s.DrawFunctionKeyBar();
  EXPECT_TRUE(controls.Of("MakeBevelButton").empty());
  EXPECT_EQ(s.BarRedrawRequest, 1);
  opt.HostFeatureOption = 0;
  s.DrawFunctionKeyBar();
  EXPECT_EQ(s.MarginRedrawRequest, 1);
  opt.HostFeatureOption = 1;
  host.clock.AdvanceTicks(1);
  s.DrawFunctionKeyBar();
  EXPECT_FALSE(controls.Of("MakeBevelButton").empty());
  EXPECT_EQ(s.BarRedrawRequest, 0);
  EXPECT_EQ(s.MarginRedrawRequest, 0);
}

TEST_F(FkeyBarTest, NothingIsBuiltForAWindowBehindOrWhilePortChecksAreSkipped) {
  host.front = false;
  s.DrawFunctionKeyBar();
  host.front = true;
  s.SkipPortCheck = 1;
  s.DrawFunctionKeyBar();
  EXPECT_TRUE(controls.Of("MakeBevelButton").empty());
  EXPECT_EQ(s.FkeyBarNextTick, 0) << "not even the throttle moved";
}

TEST_F(FkeyBarTest, WithoutTheHostFeatureNoButtonsAreMadeAndTheTextIsNotRepainted) {
  opt.HostFeatureOption = 0;
  s.ScrollBackViewLine = 40;
  s.DrawFunctionKeyBar();
  EXPECT_EQ(ButtonCount(), 0);
  EXPECT_EQ(controls.ControlValue(kScrollBarControl), 40);
  EXPECT_TRUE(port.Of("ValidRect").empty()) << "no bar was made before";
  s.FkeyBarMade = 1;
  host.clock.AdvanceTicks(30);
  s.DrawFunctionKeyBar();
  const auto valid = port.Of("ValidRect");
  ASSERT_EQ(valid.size(), 1u);
  EXPECT_EQ(valid[0].rect, (Rect{0, 0, 450, 400}));
}

TEST_F(FkeyBarTest, AHiddenBarRemovesTheButtonsAndErasesTheTwoLinesBelowTheScreen) {
  s.DrawFunctionKeyBar();
  ASSERT_EQ(ButtonCount(), 18);
  for (int r : {s.ScreenRows + 3, s.ScreenRows + 4, s.ScreenRows + 0}) s.ScreenChars(r, 1) = 'x';
  opt.FkeyBarShown = 1;
  host.clock.AdvanceTicks(30);
  s.SetCursorRow(5);
  s.SetCursorCol(6);
  s.DrawFunctionKeyBar();
  EXPECT_EQ(ButtonCount(), 0);
  EXPECT_EQ(s.FkeyBarMade, 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 3, 1), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 4, 1), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows, 1), 'x');
  EXPECT_EQ(s.CursorRow(), 5);
  EXPECT_EQ(s.CursorCol(), 6);
}

TEST_F(FkeyBarTest, RemovingTheBarClosesAllThirtyTwoButtons) {
  s.RemoveFunctionKeyBar();
  const auto closed = controls.Of("CloseControl");
  ASSERT_EQ(closed.size(), 32u);
  EXPECT_EQ(closed.front().id, 7001);
  EXPECT_EQ(closed.back().id, 7032);
  EXPECT_FALSE(controls.HasControl(7001));
  EXPECT_TRUE(controls.HasControl(kScrollBarControl));
}

TEST_F(FkeyBarTest, PaintingTheStatusAreaEmptiesTheStatusRows) {
  for (int c = 1; c <= 80; ++c) {
    s.ScreenChars(s.ScreenRows + 1, c) = 'a';
    s.ScreenChars(s.ScreenRows + 5, c) = 'b';
    s.ScreenChars(s.ScreenRows, c) = 'c';
  }
  s.StatusLineText = "status";
  s.LinesTransmittedShown = 1;
  s.MarginsPending = 1;
  s.DrawFunctionKeyBar();
  port.Clear();
  s.SetCursorRow(3);
  s.SetCursorCol(7);
  s.MoveToCell(3, 7);
  s.PaintTextAreaBackground();
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 1, 1), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 1, 80), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 5, 80), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows + 1, 81), 0);
  EXPECT_EQ(s.ScreenChars(s.ScreenRows, 80), 'c');
  EXPECT_TRUE(s.StatusLineText.empty());
  EXPECT_EQ(s.LinesTransmittedShown, 0);
  EXPECT_EQ(s.MarginsPending, 0);
  EXPECT_EQ(s.CursorRow(), 3);
  EXPECT_EQ(s.CursorCol(), 7);
  const auto erases = port.Of("EraseRect");
  ASSERT_GE(erases.size(), 2u);
  EXPECT_EQ(erases[0].rect, (Rect{0, 400, 450, 414 + 2 + 1}));
  // With the bar shown, the status area is erased down to the bar only.
  EXPECT_EQ(erases[1].rect, (Rect{0, 25 * 15 - 3 - 12, 450, 414 - 14 - 30}));
}

TEST_F(FkeyBarTest, InWyseColourModeTheStatusRowsTakeTheCurrentAttribute) {
  s.WyseColourAttributes = 1;
  s.CurrentAttributeCode = 13;
  s.PaintTextAreaBackground();
  EXPECT_EQ(s.ScreenAttrs(s.ScreenRows + 1, 10), 13);
  EXPECT_EQ(s.ScreenAttrs(s.ScreenRows + 5, 80), 13);
}

TEST_F(FkeyBarTest, AtTheLargestScreenTheStatusAreaLeavesTheLastTextRowAlone) {
  port.SetSize(640, 900);
  opt.TextSizeValue = 9;
  s.ComputeCellMetrics();
  ASSERT_EQ(s.ScreenRows, 71);
  for (int c = 1; c <= 80; ++c) s.ScreenChars(71, c) = 'z';
  opt.FkeyBarShown = 1;
  s.EraseBelowScreenLines();
  s.PaintTextAreaBackground();
  s.PaintTextAreaBackgroundB();
  for (int c = 1; c <= 80; ++c) ASSERT_EQ(s.ScreenChars(71, c), 'z') << c;
}

// A VT host's scroll region makes its bottom the screen's rows; the rows
// below the region stay the host's: no status-area step erases their text
// or their pixels.
TEST_F(FkeyBarTest, TheStatusAreaStepsLeaveTheRowsBelowAScrollRegionAlone) {
  struct Step {
    const char* name;
    void (Screen::*run)();
  };
  const Step steps[] = {{"PaintTextAreaBackground", &Screen::PaintTextAreaBackground},
                        {"PaintTextAreaBackgroundB", &Screen::PaintTextAreaBackgroundB},
                        {"EraseBelowScreenLines", &Screen::EraseBelowScreenLines},
                        {"ClearStatusRows", &Screen::ClearStatusRows}};
  for (const int16_t size : {int16_t{12}, int16_t{18}}) {
    // A window of the height a session opens with: 24 rows and the area below.
    opt.TextSizeValue = opt.FontSize = size;
    s.ComputeCellMetrics();
    port.SetSize(450, 9 + s.CellHeight * (size > 16 ? 26 : 27));
    for (const Step& step : steps) {
      s.ScrollTop = 0;
      s.ScrollBottom = 0;
      const int rows = s.ScreenRowsForWindow();
      ASSERT_EQ(rows, 24);
      for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= 80; ++c) s.ScreenChars(r, c) = static_cast<int16_t>('A' + r % 26);
      s.ScrollTop = 1;
      s.ScrollBottom = 10;
      s.ScreenRows = s.ScreenRowsForWindow();
      port.Clear();
      (s.*step.run)();
      for (int r = 1; r <= rows; ++r)
        for (int c : {1, 80}) EXPECT_EQ(s.ScreenChars(r, c), 'A' + r % 26) << step.name << " row " << r << " col " << c;
      // Pixels: nothing is erased above the bottom of the window's last text row.
      for (const auto& e : port.Of("EraseRect"))
        EXPECT_GE(e.rect.bottom > e.rect.top ? e.rect.top : 9999, rows * s.CellHeight - 1)
            << step.name << " erased " << e.rect.top << ".." << e.rect.bottom;
    }
  }
}

TEST_F(FkeyBarTest, EffectiveTextSizeFollowsTheSmallTypeSwitches) {
  struct Case {
    int16_t size, small, plain, expected;
  };
  const Case cases[] = {{12, 0, 0, 12}, {18, 0, 1, 18}, {12, 1, 0, 6}, {12, 1, 1, 9}};
  for (const Case& c : cases) {
    opt.TextSizeValue = c.size;
    opt.FontSizeMode = c.small;
    opt.PlainFaceSwitch = c.plain;
    s.PickEffectiveTextSize();
    EXPECT_EQ(s.EffectiveTextSize, c.expected) << c.size << " " << c.small << " " << c.plain;
  }
}

}  // namespace
}  // namespace korvane
