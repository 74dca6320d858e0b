// The layout of the session window and the status window, and the status
// window itself on the fake platform.

#include <gtest/gtest.h>

#include "fakes/FakeWindows.h"
#include "ui/dialogs/StatusWindow.h"

namespace korvane::ui {
namespace {

using Placement = StatusLayout::Placement;

CellSize Cells(int textSize) { return {textSize + 3, 3}; }

platform::Rect TLBR(int top, int left, int bottom, int right) { return {left, top, right, bottom}; }

TEST(StatusLayoutTest, TheSizeRulesByScreenAndFontSize) {
  struct Case {
    const char* what;
    platform::Size screen;
    int16_t fontSize, windowWidth, centre, sco;
    Placement placement;
    platform::Rect rect;
    int textSize;
  };
  const Case cases[] = {
      {"640 x 480, centred", {640, 480}, 0, 640, 1, 0, Placement::Rect, TLBR(37, 3, 475, 637), 12},
      {"a large screen, centred", {1920, 1080}, 0, 640, 1, 0, Placement::Rect, TLBR(161, 640, 582, 1280), 12},
      {"a large screen, SCO ANSI two rows lower",
       {1920, 1080},
       0,
       640,
       1,
       1,
       Placement::Rect,
       TLBR(161, 640, 582 + 30, 1280),
       12},
      {"a large screen where it was", {1920, 1080}, 0, 640, 0, 0, Placement::Rect, TLBR(137, 50, 582, 690), 12},
      {"a narrow screen", {500, 380}, 0, 500, 0, 0, Placement::Rect, TLBR(20, 0, 365, 500), 9},
      {"a 400-line screen", {640, 400}, 0, 400, 0, 0, Placement::Rect, TLBR(37, 0, 357, 551), 9},
      {"16 points", {1024, 768}, 16, 640, 0, 0, Placement::Rect, TLBR(161, 101, 607, 924), 16},
      {"18 points", {1024, 768}, 18, 640, 0, 0, Placement::Rect, TLBR(144, 0, 800, 512 + 512), 18},
      {"24 points on a screen too narrow for them", {1024, 768}, 24, 640, 0, 0, Placement::Keep, {}, 24},
  };
  for (const Case& c : cases) {
    SessionOptions Opt;
    Opt.FontSize = c.fontSize;
    Opt.ScoAnsiMode = c.sco;
    SessionLayoutState st;
    st.WindowWidth = c.windowWidth;
    st.WindowHeight = static_cast<int16_t>(c.screen.height);
    st.CentreWindows = c.centre;
    st.RememberedTop = 100;
    st.RememberedLeft = 50;
    const StatusLayout out = LayOutStatusWindow(Opt, st, c.screen, Cells);
    EXPECT_EQ(out.session, c.placement) << c.what;
    if (c.placement == Placement::Rect) {
      EXPECT_EQ(out.sessionRect, c.rect) << c.what;
    }
    EXPECT_EQ(out.textSize, c.textSize) << c.what;
    EXPECT_EQ(out.statusTitle, "Status") << c.what;
    EXPECT_EQ(out.statusRect.top, c.screen.height - 13) << c.what;
    EXPECT_TRUE(out.statusShown) << c.what;
    EXPECT_FALSE(out.stoppedEarly) << c.what;
  }
}

TEST(StatusLayoutTest, The400LineScreenTakesTheSmallLayout) {
  SessionOptions Opt;
  SessionLayoutState st;
  st.WindowWidth = 400;
  const StatusLayout out = LayOutStatusWindow(Opt, st, {640, 400}, Cells);
  EXPECT_EQ(st.SmallScreen, 1);
  EXPECT_EQ(st.WindowWidth, 512);
  EXPECT_EQ(st.WindowHeight, 342);
  EXPECT_EQ(out.statusRect, TLBR(387, 0, 400, 551));
}

TEST(StatusLayoutTest, TheLargeStandardFontStopsAfterItsWindowAndTheStatusWindow) {
  SessionOptions Opt;
  Opt.LargeFontChoice = 1;
  Opt.FontSize = 18;
  Opt.FontSizeName = "standard";
  SessionLayoutState st;
  st.ForceDefaultLayout = 1;
  const StatusLayout out = LayOutStatusWindow(Opt, st, {1920, 1080}, Cells);
  EXPECT_TRUE(out.stoppedEarly);
  EXPECT_EQ(out.sessionRect, TLBR(43, 0, 372, 512));
  EXPECT_EQ(out.textSize, 9);  // the chosen point size does not win here
  EXPECT_EQ(st.ForceDefaultLayout, 1);
  EXPECT_TRUE(out.largeFontMarked);
  EXPECT_FALSE(out.standardFontMarked);
  EXPECT_EQ(Opt.FontSizeName, "");
}

TEST(StatusLayoutTest, AStatusWindowOutOfSightExistsButIsNotShown) {
  SessionOptions Opt;
  Opt.StatusWindowShown = 1;
  SessionLayoutState st;
  const StatusLayout out = LayOutStatusWindow(Opt, st, {1920, 1080}, Cells);
  EXPECT_EQ(out.statusTitle, "Status Window");
  EXPECT_FALSE(out.statusShown);
  EXPECT_GT(out.statusRect.top, 1080);
}

TEST(StatusLayoutTest, TheRememberedPlaceIsBroughtOntoTheScreenAndEachNewWindowOpensLower) {
  SessionOptions Opt;
  Opt.RememberWnd = 1;
  Opt.SavedWindowLeft = 1800;
  Opt.SavedWindowTop = 100;
  Opt.SavedWindowWidth = 600;
  Opt.SavedWindowHeight = 50;
  SessionLayoutState st;
  st.WindowWidth = 640;
  st.CascadeNewWindow = 1;
  StatusLayout out = LayOutStatusWindow(Opt, st, {1920, 1080}, Cells);
  EXPECT_EQ(Opt.SavedWindowLeft, 20);
  EXPECT_EQ(Opt.SavedWindowHeight, 100);
  EXPECT_EQ(Opt.SavedWindowTop, 140);
  ASSERT_EQ(out.session, Placement::Rect);
  // T = 140 + 37; bottom = 140 + 100 + 3 x 15 + 3 + 4.
  EXPECT_EQ(out.sessionRect, TLBR(177, 20, 292, 634));
  out = LayOutStatusWindow(Opt, st, {1920, 1080}, Cells);
  EXPECT_EQ(out.sessionRect.top, 217);
  EXPECT_EQ(st.ForceDefaultLayout, 0);
}

TEST(StatusLayoutTest, ARememberedWindowWithoutASavedSizeIsOnlyBroughtToTheFront) {
  struct Case {
    int16_t fontSize;
    Placement placement;
    platform::Rect rect;
  };
  const Case cases[] = {
      {0, Placement::Front, {}},
      {16, Placement::Rect, TLBR(137, 30, 583, 853)},
      {18, Placement::Rect, TLBR(137, 30, 793, 1054)},
      {24, Placement::Rect, TLBR(137, 30, 938, 1310)},
  };
  for (const Case& c : cases) {
    SessionOptions Opt;
    Opt.RememberWnd = 1;
    Opt.FontSize = c.fontSize;
    Opt.SavedWindowLeft = 30;
    Opt.SavedWindowTop = 100;
    Opt.SavedWindowWidth = 0;
    Opt.SavedWindowHeight = 300;
    SessionLayoutState st;
    st.WindowWidth = 640;
    const StatusLayout out = LayOutStatusWindow(Opt, st, {1920, 1080}, Cells);
    EXPECT_EQ(out.session, c.placement) << c.fontSize;
    if (c.placement == Placement::Rect) {
      EXPECT_EQ(out.sessionRect, c.rect) << c.fontSize;
    }
  }
}

TEST(StatusWindowTest, TheStatusWindowIsARealWindowShowingTheDateAndTheEmulation) {
  fakes::FakeWindows windows;
  windows.screen = {1280, 800};
  StatusWindow status(windows);
  SessionOptions Opt;
  Opt.TextSizeValue = 12;
  SessionLayoutState st;
  status.DrawStatusWindow(Opt, st, Cells);
  ASSERT_TRUE(windows.Exists(kStatusWindowNumber));
  const auto& w = windows.windows.at(kStatusWindowNumber);
  EXPECT_TRUE(w.status);
  EXPECT_TRUE(w.shown);
  EXPECT_EQ(w.title, "Status");
  EXPECT_EQ(w.frame, TLBR(787, 0, 800, 640));
  EXPECT_EQ(windows.FrontWindow(), 0);  // it never comes to the front

  status.WriteDateLine(Opt, "Mon, Jan 5, 2026", "Wyse 60");
  std::vector<std::pair<std::string, platform::Point>> texts;
  for (const auto& call : windows.PortOf(kStatusWindowNumber)->calls)
    if (call.op == "DrawText") texts.emplace_back(call.text, call.pen);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].first, "  Mon, Jan 5, 2026  ");
  EXPECT_EQ(texts[0].second, (platform::Point{4, 10}));
  EXPECT_EQ(texts[1].first, "Wyse 60       ");
  EXPECT_EQ(texts[1].second, (platform::Point{7 * 41 - 3, 10}));

  // Out of sight, it draws nothing.
  Opt.StatusWindowShown = 1;
  status.DrawStatusWindow(Opt, st, Cells);
  EXPECT_FALSE(windows.windows.at(kStatusWindowNumber).shown);
  status.WriteDateLine(Opt, "x", "y");
  EXPECT_TRUE(windows.PortOf(kStatusWindowNumber)->calls.empty());
}

}  // namespace
}  // namespace korvane::ui
