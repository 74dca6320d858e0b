// Session windows on the fake platform: each session keeps its own state
// across switches, only the active front window reads its host, the switch
// holds and releases the hosts in order, the limits, the close questions,
// resizing, and titles that stay unique.

#include <random>
#include <set>

#include "app/AppFixture.h"
#include "app/JournalLink.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

class SessionWindowsTest : public AppFixture {
 protected:
  // Opens a new session window from the File menu; returns its number.
  int NewWindow() {
    Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
    Turns(3);
    return app->flags.ActiveWindowNumber;
  }
  void Activate(int n) {
    windows.UserActivates(n);
    Turns(2);
  }
  // Runs turns until window n has read everything its host sent.
  void Drain(int n) {
    for (int i = 0; i < 1000 && LinkOf(n).Waiting() > 0; ++i) app->Turn();
    Turns(2);
  }
};

// What a session keeps that a switch must not disturb.
struct Snapshot {
  std::vector<int16_t> cells;  // characters, attributes and colours of the screen
  std::vector<int16_t> lines;  // the scroll-back's characters
  int16_t cursorRow, cursorCol, scrollTop, scrollBottom, linePos, viewLine, cursorHidden, lineGraphics;
  int16_t colourModeA, insertMode, graphicsMode, currentBack;
  std::string title;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(SessionWindow& w) {
  Screen& s = w.session.screen;
  Snapshot snap{};
  for (int r = 1; r <= 24; ++r)
    for (int c = 1; c <= 80; ++c) {
      snap.cells.push_back(s.ScreenChars(r, c));
      snap.cells.push_back(s.ScreenAttrs(r, c));
      snap.cells.push_back(s.ScreenForeColours(r, c));
    }
  for (int l = 1; l <= 200; ++l) snap.lines.push_back(s.ScrollBack.Cell(ScrollBackPlanes::kChars, l, 1));
  snap.cursorRow = s.CursorRow();
  snap.cursorCol = s.CursorCol();
  snap.scrollTop = s.ScrollTop;
  snap.scrollBottom = s.ScrollBottom;
  snap.linePos = s.ScrollBackLinePos;
  snap.viewLine = s.ScrollBackViewLine;
  snap.cursorHidden = s.CursorHidden;
  snap.lineGraphics = s.LineGraphicsOn;
  snap.colourModeA = w.session.Opt.ColourModeA;
  snap.insertMode = w.session.input.InsertMode;
  snap.graphicsMode = w.session.input.GraphicsModeOn;
  snap.currentBack = s.CurrentBackColour;
  snap.title = w.session.window.ItemTitle;
  return snap;
}

TEST_F(SessionWindowsTest, TwoSessionsKeepTheirScreensScrollBackAndModesAcrossAHundredSwitches) {
  StartLocal();
  const int a = 48, b = NewWindow();
  ASSERT_EQ(b, 49);
  // Different screens and scroll-back through each session's host ...
  Activate(a);
  for (int i = 0; i < 60; ++i) LinkOf(a).Feed("alpha " + std::to_string(i) + "\r\n");
  Drain(a);
  Activate(b);
  for (int i = 0; i < 30; ++i) LinkOf(b).Feed("bravo " + std::to_string(i) + "\r\n");
  LinkOf(b).Feed("prompt> ");
  Drain(b);
  // ... and different modes.
  Screen& sb = Window(b).session.screen;
  sb.ScrollTop = 3;
  sb.ScrollBottom = sb.ScreenRows;
  sb.CursorHidden = 1;
  sb.LineGraphicsOn = 1;
  Window(b).session.input.InsertMode = 1;
  Window(a).session.Opt.ColourModeA = 1;
  Window(a).session.screen.ScreenForeColours(5, 5) = 7;
  const Snapshot beforeA = Take(Window(a)), beforeB = Take(Window(b));
  ASSERT_NE(beforeA.cells, beforeB.cells);
  ASSERT_NE(beforeA.lines, beforeB.lines);

  for (int i = 0; i < 100; ++i) {
    Activate(i % 2 == 0 ? a : b);
    ASSERT_EQ(app->flags.ActiveWindowNumber, i % 2 == 0 ? a : b);
  }
  const Snapshot afterA = Take(Window(a)), afterB = Take(Window(b));
  EXPECT_EQ(afterA.cells, beforeA.cells);
  EXPECT_EQ(afterA.lines, beforeA.lines);
  EXPECT_TRUE(afterA == beforeA);
  EXPECT_EQ(afterB.cells, beforeB.cells);
  EXPECT_EQ(afterB.lines, beforeB.lines);
  EXPECT_TRUE(afterB == beforeB);
  EXPECT_EQ(Row(b, sb.ScreenRows), "prompt>");
}

TEST_F(SessionWindowsTest, HostOutputForAWindowBehindIsReadOnlyWhenItComesToTheFront) {
  StartLocal();
  const int a = 48, b = NewWindow();
  ASSERT_EQ(windows.FrontWindow(), b);
  pump.watched.clear();
  LinkOf(a).Feed("for a");
  LinkOf(b).Feed("for b");
  Turns(10);
  EXPECT_EQ(LinkOf(a).Waiting(), 5);
  EXPECT_EQ(LinkOf(b).Waiting(), 0);
  EXPECT_EQ(Row(a, Window(a).session.screen.CursorRow()).find("for a"), std::string::npos);
  // The loop did not wait on the window behind.
  for (HostLink* watched : pump.watched) EXPECT_NE(watched, &LinkOf(a));
  Activate(a);
  EXPECT_EQ(LinkOf(a).Waiting(), 0);
  EXPECT_NE(Row(a, Window(a).session.screen.CursorRow()).find("for a"), std::string::npos);
}

TEST_F(SessionWindowsTest, ASwitchHoldsTheOutgoingHostThenHoldsAndReleasesTheIncomingOne) {
  StartLocal();
  const int a = 48, b = NewWindow();
  for (int n : {a, b}) {
    auto link = std::make_unique<JournalLink>(n == a ? "A" : "B", journal);
    Window(n).session.conn.PtyStream = std::move(link);
    Window(n).session.Opt.XonXoffOn = 1;
  }
  journal.clear();
  Activate(a);
  EXPECT_EQ(journal, (std::vector<std::string>{"B write ^S", "A write ^S^Q"}));
  journal.clear();
  Activate(b);
  EXPECT_EQ(journal, (std::vector<std::string>{"A write ^S", "B write ^S^Q"}));
  // Without Xon/Xoff nothing is sent.
  Window(a).session.Opt.XonXoffOn = Window(b).session.Opt.XonXoffOn = 0;
  journal.clear();
  Activate(a);
  EXPECT_TRUE(journal.empty());
}

TEST_F(SessionWindowsTest, TheIncomingSessionIsBroughtInLineWithItsWindow) {
  StartLocal();
  const int a = 48, b = NewWindow();
  Screen& sa = Window(a).session.screen;
  sa.SetCursorRow(0);
  sa.SetCursorCol(0);
  sa.RepaintPending = 0;
  sa.BarRedrawRequest = 0;
  // The port its settings name (a local session keeps it for the day it is
  // switched to the serial line); its connection follows the serial line.
  app->serialLines.For(Window(a))->Line().Serial().ConnectionPort = -2;
  menus.MarkItem(platform::kSerialPortMenu, 1, true);
  menus.MarkItem(platform::kSerialPortMenu, 3, true);
  windows.UserActivates(a);
  Turns(1);
  EXPECT_EQ(sa.CursorRow(), 1);
  EXPECT_EQ(sa.CursorCol(), 1);
  EXPECT_EQ(sa.BarRedrawRequest, 1);
  // Exactly the session's serial port is marked.
  EXPECT_FALSE(menus.ItemMarked(platform::kSerialPortMenu, 1));
  EXPECT_TRUE(menus.ItemMarked(platform::kSerialPortMenu, 2));
  EXPECT_FALSE(menus.ItemMarked(platform::kSerialPortMenu, 3));
  // Its Window-menu item is the one checked.
  EXPECT_TRUE(menus.ItemMarked(10, 18));
  EXPECT_FALSE(menus.ItemMarked(10, 19));
  // The outgoing window's settings went to its own file.
  EXPECT_TRUE(files.files.count("/prefs/TempSettingsKV  " + std::to_string(b)));
}

TEST_F(SessionWindowsTest, TheBuiltInDefaultsResetTheWindowsScreenToo) {
  StartLocal();
  SessionWindow& w = Window(48);
  Screen& screen = w.session.screen;
  screen.SetCursorRow(9);
  screen.SetCursorCol(40);
  screen.DisplayOn = 0;
  screen.NormalForeColour = 3;
  screen.NormalBackColour = 4;
  screen.CurrentBackColour = 5;
  w.settings.SetDefaultSettings();
  EXPECT_EQ(screen.CursorRow(), 1);
  EXPECT_EQ(screen.CursorCol(), 1);
  EXPECT_EQ(screen.DisplayOn, 1);
  EXPECT_EQ(screen.NormalForeColour, 17);
  EXPECT_EQ(screen.NormalBackColour, 18);
  EXPECT_EQ(screen.CurrentBackColour, 18);
  EXPECT_EQ(screen.WindowWidth, 640);  // the main screen's, at most 640 x 480
  EXPECT_EQ(screen.CellHeight, 24);    // the metrics of 18-point text
}

TEST_F(SessionWindowsTest, TheEleventhWindowIsRefused) {
  StartLocal();
  for (int i = 0; i < 9; ++i) NewWindow();
  ASSERT_EQ(app->windows.Count(), 10);
  EXPECT_EQ(app->windows.Numbers().back(), 57);
  alerts.shown.clear();
  NewWindow();
  EXPECT_EQ(app->windows.Count(), 10);
  ASSERT_EQ(alerts.shown.size(), 1u);
  // The limit is written as the program writes numbers: with a leading blank.
  EXPECT_EQ(alerts.shown[0].text, "Maximum number of windows allowed is  10");
  EXPECT_EQ(WindowItems().size(), 10u);
}

TEST_F(SessionWindowsTest, AClosedWindowsNumberIsTheNextOneOpened) {
  StartLocal();
  NewWindow();
  NewWindow();
  Activate(49);
  windows.UserCloses(49);
  Turns(2);
  EXPECT_EQ(app->windows.Numbers(), (std::vector<int>{48, 50}));
  EXPECT_EQ(NewWindow(), 49);
}

TEST_F(SessionWindowsTest, ClosingAWindowBehindAsksAboutTheConnectionFirstThenToActivateIt) {
  StartLocal();
  const int a = 48;
  NewWindow();
  Window(a).session.Opt.ConfirmClose = 1;
  alerts.shown.clear();
  alerts.answers = {1, 1};
  windows.UserCloses(a);
  Turns(2);
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_EQ(alerts.shown[0].text, "Closing this window will close the connection to the host computer.");
  EXPECT_EQ(alerts.shown[1].text, "Please activate the window before closing it.");
  EXPECT_EQ(app->windows.Count(), 2);
  EXPECT_FALSE(LinkOf(a).closed);
  // Cancelling the connection question keeps the window and asks nothing more.
  Activate(a);
  alerts.shown.clear();
  alerts.answers = {2};
  windows.UserCloses(a);
  Turns(2);
  EXPECT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(app->windows.Count(), 2);
}

TEST_F(SessionWindowsTest, ClosingTheActiveWindowEndsItsChildAndMakesTheWindowListedLastActive) {
  StartLocal();
  NewWindow();
  NewWindow();
  fakes::MemoryLink* middle = &LinkOf(49);
  Activate(49);
  windows.UserCloses(49);
  Turns(2);
  EXPECT_TRUE(middle->closed);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 50);
  EXPECT_EQ(windows.FrontWindow(), 50);
  EXPECT_EQ(WindowItems().size(), 2u);
  EXPECT_TRUE(menus.ItemMarked(10, 19));
  EXPECT_FALSE(files.files.count("/prefs/TempSettingsKV  49"));
}

TEST_F(SessionWindowsTest, ChangedSettingsAreOfferedForSavingBeforeTheWindowCloses) {
  StartLocal();
  NewWindow();
  Window(49).session.window.SettingsChanged = 1;
  std::string asked;
  app->askSettingsFileName = [&](const std::string& proposed) -> std::optional<std::string> {
    asked = proposed;
    return std::string("/docs/kept");
  };
  alerts.answers = {1};
  windows.UserCloses(49);
  Turns(2);
  EXPECT_EQ(AlertsWith("Do you want to save your settings for this session window before closing it?"), 1);
  EXPECT_TRUE(files.files.count("/docs/kept"));
  EXPECT_EQ(app->windows.Count(), 1);
}

TEST_F(SessionWindowsTest, ALocalShellLearnsItsNewSizeFromItsTerminalOnThePassAfterAResize) {
  StartLocal();
  fakes::MemoryLink& link = LinkOf(48);
  link.rows = link.cols = 0;
  link.written.clear();
  Screen& s = Window(48).session.screen;
  Window(48).session.Opt.AutoWrapOn = 0;
  windows.UserResizes(48, s.CellWidth * 101, 9 + s.CellHeight * 33);
  Turns(1);
  EXPECT_EQ(link.rows, 0);
  Turns(1);
  EXPECT_EQ(link.rows, s.ScreenRows);
  EXPECT_EQ(link.cols, 100);
  EXPECT_GT(s.ScreenRows, 24);
  // Nothing is typed into the shell for it.
  EXPECT_EQ(link.written, "");
}

TEST_F(SessionWindowsTest, AWindowMadeShorterKeepsTheTextThatNoLongerFitsInTheScrollBack) {
  StartLocal();
  Screen& s = Window(48).session.screen;
  ASSERT_EQ(s.ScreenRows, 24);
  for (int i = 1; i <= 24; ++i) LinkOf(48).Feed("row " + std::to_string(i) + (i < 24 ? "\r\n" : ""));
  Drain(48);
  Turns(40);  // the periodic pass notes the last row holding text
  ASSERT_EQ(Row(48, 24), "row 24");
  windows.UserResizes(48, windows.ContentSize(48).width, 9 + s.CellHeight * 23);
  Turns(1);
  const int rows = s.ScreenRows;
  ASSERT_LT(rows, 24);
  EXPECT_EQ(Row(48, rows), "row 24");
  EXPECT_EQ(Row(48, 1), "row " + std::to_string(24 - rows + 1));
  EXPECT_EQ(s.CursorRow(), rows);
  EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, s.ScrollBackLinePos - rows, 5), '0' + 24 - rows);
}

TEST_F(SessionWindowsTest, AResizeRightAfterTheHostsOutputLosesNoRow) {
  // The host has just written its rows; no periodic pass has looked at them.
  for (const int shorter : {1, 3, 10}) {
    SCOPED_TRACE(shorter);
    StartLocal();
    Screen& s = Window(48).session.screen;
    ASSERT_EQ(s.ScreenRows, 24);
    for (int i = 1; i <= 24; ++i) LinkOf(48).Feed("row " + std::to_string(i) + (i < 24 ? "\r\n" : ""));
    Drain(48);
    windows.UserResizes(48, windows.ContentSize(48).width, 9 + s.CellHeight * (24 - shorter));
    Turns(1);
    const int rows = s.ScreenRows;
    ASSERT_LT(rows, 24);
    // Every row is on the screen or in the scroll-back, in order (the
    // scroll-back's last lines are the screen's own).
    for (int r = 1; r <= rows; ++r) EXPECT_EQ(Row(48, r), "row " + std::to_string(24 - rows + r));
    for (int k = 1; k <= 24 - rows; ++k) {
      std::string stored;
      for (int c = 1; c <= 6; ++c) {
        const int ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, s.ScrollBackLinePos - rows - (k - 1), c);
        stored += ch == 0 ? ' ' : static_cast<char>(ch);
      }
      stored.erase(stored.find_last_not_of(' ') + 1);
      EXPECT_EQ(stored, "row " + std::to_string(24 - rows + 1 - k));
    }
    app.reset();
    files.files.clear();
  }
}

TEST_F(SessionWindowsTest, ANarrowerWindowTellsTheChildTheColumnsItShows) {
  for (const int wrap : {1, 0}) {
    SCOPED_TRACE(wrap);
    StartLocal();
    fakes::MemoryLink& link = LinkOf(48);
    Screen& s = Window(48).session.screen;
    Window(48).session.Opt.AutoWrapOn = static_cast<int8_t>(wrap);
    ASSERT_EQ(s.ColumnsSetting, 80);
    windows.UserResizes(48, s.CellWidth * 41, windows.ContentSize(48).height);
    Turns(2);
    // The shell lays its lines out for the window it is shown in.
    EXPECT_EQ(link.cols, 40);
    app.reset();
    files.files.clear();
  }
}

TEST_F(SessionWindowsTest, TitlesStayUniqueAcrossAddRenameAndCloseInAnyOrder) {
  StartLocal();
  std::mt19937 random(12345);
  const std::vector<std::string> names = {"T", "T [2]", "T [3]", "U [7]", "Korvane Using local", "T [12]"};
  for (int step = 0; step < 300; ++step) {
    const int choice = static_cast<int>(random() % 3);
    const std::vector<int> open = app->windows.Numbers();
    if (choice == 0 && open.size() < 10) {
      NewWindow();
    } else if (choice == 1) {
      SessionWindow& w = Window(open[random() % open.size()]);
      app->windows.SetWindowTitle(w, names[random() % names.size()]);
    } else if (open.size() > 1) {
      const int n = open[random() % open.size()];
      Activate(n);
      windows.UserCloses(n);
      Turns(2);
    }
    // Every item differs from every other, and each window's item carries its title.
    const std::vector<std::string> items = WindowItems();
    ASSERT_EQ(std::set<std::string>(items.begin(), items.end()).size(), items.size()) << "step " << step;
    ASSERT_EQ(static_cast<int>(items.size()), app->windows.Count()) << "step " << step;
    for (int n : app->windows.Numbers()) {
      const std::string& title = Window(n).session.window.ItemTitle;
      ASSERT_NE(std::find(items.begin(), items.end(), title), items.end()) << "step " << step;
      ASSERT_EQ(app->windowMenu.WindowTitles[n], title) << "step " << step;
    }
  }
}

TEST_F(SessionWindowsTest, AButtonsValueAndStateAreSetOnlyWhereTheButtonExists) {
  StartLocal();
  fakes::RecordingControls& controls = *windows.ControlsOf(48);
  controls.MakeBevelButton(7001, {0, 0, 40, 15}, "F1");
  controls.ShowControl(7001, false);
  app->windows.SetButtonState(48, 7001, 0, 0);
  EXPECT_FALSE(controls.ControlActive(7001));
  EXPECT_TRUE(controls.Find(7001)->shown);
  app->windows.SetButtonState1(48, 7001, 1);
  EXPECT_TRUE(controls.ControlActive(7001));
  // A number without a control, or without a window, changes nothing.
  app->windows.SetButtonState(48, 7099, 0, 0);
  EXPECT_FALSE(controls.HasControl(7099));
  app->windows.SetButtonState(51, 7001, 0, 0);
  EXPECT_TRUE(controls.ControlActive(7001));
}

TEST_F(SessionWindowsTest, ACollapsedWindowIsReportedSo) {
  StartLocal();
  EXPECT_EQ(app->windows.IsWindowCollapsedNum(48), 0);
  windows.windows.at(48).collapsed = true;
  EXPECT_EQ(app->windows.IsWindowCollapsedNum(48), 1);
  EXPECT_EQ(app->windows.IsWindowCollapsedNum(60), 0);
}

}  // namespace
}  // namespace korvane::testing
