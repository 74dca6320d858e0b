// The main loop on the fake platform: start-up, the order in which handlers
// run, events that arrive together, the periodic pass, the idle pass's order
// and its delayed one-shot actions, and quitting.

#include <algorithm>

#include "app/AppFixture.h"
#include "app/JournalLink.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

using platform::UiEvent;
using platform::UiEventKind;

UiEvent Key(int window, char c) {
  UiEvent e;
  e.kind = UiEventKind::Dialog;
  e.type = platform::kKeyTyped;
  e.window = static_cast<int16_t>(window);
  e.number = static_cast<uint8_t>(c);
  e.key.text = std::string(1, c);
  return e;
}

UiEvent MenuChoice(int menu, int item) {
  UiEvent e;
  e.kind = UiEventKind::Menu;
  e.number = static_cast<int16_t>(menu);
  e.item = static_cast<int16_t>(item);
  return e;
}

class MainLoop : public AppFixture {};

TEST_F(MainLoop, TheFirstTurnCompletesStartUpOnceAndGreetsInTheFirstWindow) {
  Start();
  EXPECT_EQ(std::count(dispatched.begin(), dispatched.end(), "1 1"), 1);
  ASSERT_EQ(app->windows.Count(), 1);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 48);
  EXPECT_EQ(windows.FrontWindow(), 48);
  // The built-in defaults are a telnet session without a host.
  EXPECT_EQ(Row(48, 1), "Ready for communications using telnet");
  EXPECT_EQ(Row(48, 2), "Use Ctrl+Shift+O to open the connection");
  EXPECT_TRUE(processes.starts.empty());
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using Telnet"});
  EXPECT_TRUE(menus.ItemMarked(10, 18));
  // A pseudo-terminal session that is not connected is marked so.
  EXPECT_EQ(windows.Title(48), "Korvane Using Telnet \xC5");
  // Every window keeps its settings in a file of its own.
  EXPECT_TRUE(files.files.count("/prefs/TempSettingsKV  48"));
}

TEST_F(MainLoop, ALocalShellDocumentStartsItsChildInTheFirstWindow) {
  StartLocal();
  ASSERT_EQ(app->windows.Count(), 1);
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(processes.starts[0].program, "/usr/local/bin/host");
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using local"});
  // The connection mark follows the title.
  EXPECT_EQ(windows.Title(48), "Korvane Using local \xA5");
  // The child is told the window's size from the start.
  EXPECT_EQ(processes.starts[0].rows, Window(48).session.screen.ScreenRows);
  EXPECT_EQ(processes.starts[0].cols, 80);
}

TEST_F(MainLoop, EventsThatArriveTogetherAreAllHandledInArrivalOrder) {
  StartLocal();
  dispatched.clear();
  pump.script.push_back({Key(48, 'a'), Key(48, 'b'), Key(48, 'c')});
  Turns(1);
  EXPECT_EQ(LinkOf(48).written, "abc");
  const std::vector<std::string> expected = {"7 5", "7 8", "7 5", "7 8", "7 5", "7 8"};
  ASSERT_GE(dispatched.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(dispatched.begin(), dispatched.begin() + 6), expected);
}

TEST_F(MainLoop, AMenuChoiceAndAKeyInOneSliceAreBothHandled) {
  StartLocal();
  pump.script.push_back({MenuChoice(platform::kFileMenu, platform::kFileNewSessionWindowItem), Key(48, 'x')});
  Turns(2);
  // The new window came first; the key went to the window it was typed into.
  EXPECT_EQ(app->windows.Count(), 2);
  EXPECT_EQ(LinkOf(48).written, "x");
}

TEST_F(MainLoop, EachTurnDispatchesThenRunsTheIdlePassAndAnEventTurnRunsThePassAfterTheEvent) {
  StartLocal();
  Turns(2);
  dispatched.clear();
  pump.script.push_back({MenuChoice(platform::kConnectionMenu, 9)});
  Turns(4);
  std::vector<std::string> handlers;
  // (Leaving out the periodic pass, which a quiet loop may reach within
  // these turns.)
  for (const auto& d : dispatched)
    if (d != "1 4" && d != "7 4") handlers.push_back(d);
  // The menu handler, the pass after the event; then turns without events
  // dispatch what the last turn left and run the idle pass.
  ASSERT_GE(handlers.size(), 6u);
  EXPECT_EQ(handlers[0].substr(0, 1), "2");
  EXPECT_EQ(handlers[1], "7 8");
  EXPECT_EQ(handlers[2], "7 8");
  EXPECT_EQ(handlers[3], "7 7");
  EXPECT_EQ(handlers[4], "7 7");
  EXPECT_EQ(handlers[5], "7 7");
}

TEST_F(MainLoop, ThePeriodicPassRunsOnceInEveryThirtyOneTicksWhileASessionWindowIsInFront) {
  StartLocal();
  std::vector<int64_t> at;
  app->onDispatch = [&](int h, int k) {
    if (h == 1 && k == 4) at.push_back(clock.Ticks());
  };
  const int64_t start = clock.Ticks();
  while (clock.Ticks() - start < 600) app->Turn();
  ASSERT_GE(at.size(), 17u);
  for (size_t i = 1; i < at.size(); ++i) {
    EXPECT_GE(at[i] - at[i - 1], 31) << i;
    EXPECT_LE(at[i] - at[i - 1], 32) << i;
  }
}

TEST_F(MainLoop, WithADialogWindowInFrontOnlyTheIdlePassRunsAndTheSessionBehindKeepsReadingItsHost) {
  StartLocal();
  app->numbered.OpenAppWindow(43);
  ASSERT_EQ(windows.FrontWindow(), 43);
  int periodic = 0, idle = 0;
  app->onDispatch = [&](int h, int k) {
    periodic += h == 1 && k == 4;
    idle += h == 7 && k == 7;
  };
  for (int i = 0; i < 120; ++i) app->Turn();
  EXPECT_EQ(periodic, 0);
  EXPECT_GE(idle, 120);
  // The dialog stands over the active session: its host's output is still
  // read and drawn.
  LinkOf(48).Feed("later");
  Turns(2);
  EXPECT_EQ(LinkOf(48).Waiting(), 0);
  EXPECT_EQ(Row(48, 1).substr(0, 5), "later");
}

TEST_F(MainLoop, TheIdlePassReadsHostInputThenSendsTheWindowSizeThenRunsPendingCommands) {
  StartLocal();
  auto link = std::make_unique<JournalLink>("host", journal);
  JournalLink* host = link.get();
  Window(48).session.conn.PtyStream = std::move(link);
  host->inner.Feed("$ ");
  Window(48).session.window.WindowSizeRequest = 1;
  app->requests.RequestSendTab = 1;
  Turns(1);
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(journal[0], "host read $ ");
  EXPECT_EQ(journal[1].substr(0, 10), "host size ");
  EXPECT_EQ(journal[2], "host write ^I");
}

TEST_F(MainLoop, DelayedActionsActOnThePassTheirCountSays) {
  StartLocal();
  // The window size: on the first pass after the request.
  LinkOf(48).rows = 0;
  Window(48).session.window.WindowSizeCounter = 1;
  app->Turn();
  EXPECT_GT(LinkOf(48).rows, 0);
  // The transfer notice: on the 200th pass after it was set.
  int passes = 0, shownAt = 0;
  app->onDispatch = [&](int h, int k) {
    if (h != 7 || k != 7) return;
    if (shownAt == 0 && AlertsWith("File transfer done") > 0) shownAt = passes;
    ++passes;
  };
  app->TransferDoneCounter = 1;
  while (shownAt == 0 && passes < 400) app->Turn();
  EXPECT_EQ(shownAt, 200);
  EXPECT_EQ(app->TransferDoneCounter, 0);
}

// While output floods in, the frames of text do not move the scroll bar each
// time: it follows at most ten times a second, and once the flood stops it
// shows where the text ended.
TEST_F(MainLoop, TheScrollBarFollowsAFloodTenTimesASecondAndEndsWhereTheTextEnded) {
  StartLocal();
  Screen& s = Window(48).session.screen;
  platform::Controls& controls = Window(48).controls;
  std::string lines;
  for (int i = 0; i < 40; ++i) lines += "line " + std::to_string(i) + "\r\n";
  std::vector<int64_t> moved;
  int last = controls.ControlValue(kScrollBarControl);
  auto note = [&] {
    const int v = controls.ControlValue(kScrollBarControl);
    if (v != last) moved.push_back(clock.Milliseconds());
    last = v;
  };
  const int64_t start = clock.Milliseconds();
  int repaints = 0;
  while (clock.Milliseconds() - start < 1000) {
    LinkOf(48).Feed(lines);
    const int64_t before = Window(48).session.window.LastRepaintMs;
    app->Turn();
    repaints += Window(48).session.window.LastRepaintMs != before;
    note();
    clock.AdvanceMs(5);
  }
  EXPECT_GE(repaints, 30) << "the flood was repainted once a frame";
  ASSERT_GE(moved.size(), 5u);
  EXPECT_LE(moved.size(), 11u);
  for (size_t i = 1; i < moved.size(); ++i) EXPECT_GE(moved[i] - moved[i - 1], app::App::kScrollBarMs) << i;
  // The flood has stopped: within the next tenth of a second the bar shows
  // the end of the text.
  const int64_t stopped = clock.Milliseconds();
  while (clock.Milliseconds() - stopped < app::App::kScrollBarMs + 20) app->Turn();
  EXPECT_EQ(controls.ControlValue(kScrollBarControl), s.ScrollBackViewLine);
  EXPECT_EQ(s.ScrollBackViewLine, s.ScrollBackLinePos);
}

// A quiet loop sleeps until the next thing that is due, and no longer: the
// periodic pass (the cursor's blink), and whatever waits for a later pass
// or a time of its own is served on time.
TEST_F(MainLoop, AQuietLoopSleepsUntilWhatIsDueAndNoLonger) {
  StartLocal();
  Turns(3);
  // Nothing under way: the wait reaches the periodic pass, half a second.
  app->Turn();
  EXPECT_GE(pump.waitedTicks.back(), 20);
  EXPECT_LE(pump.waitedTicks.back(), 31);
  struct Case {
    const char* what;
    std::function<void()> start;
    int longestWait;  // ticks
  };
  SessionWindow& w = Window(48);
  const Case cases[] = {
      {"an answer to the host delayed to a later pass",
       [&] { w.session.input.answers.SendLater(HostAnswer(FixedText("\x1b[0n")), 0, 50); }, 1},
      {"a notice on the 200th pass", [&] { app->TransferDoneCounter = 1; }, 1},
      {"the window size for the next pass", [&] { w.session.window.WindowSizeCounter = 1; }, 1},
      {"a request of a menu for the next pass", [&] { app->requests.RequestSendTab = 1; }, 1},
      {"a repaint of a flood, a frame after the last",
       [&] {
         w.session.screen.RepaintPending = 1;
         w.session.window.LastRepaintMs = clock.Milliseconds();
       },
       1},
      {"the scroll bar's next follow of a flood",
       [&] {
         w.session.screen.ScrollBarValuePending = 1;
         w.session.window.LastScrollBarMs = clock.Milliseconds();
       },
       7},
  };
  for (const Case& c : cases) {
    Turns(2);
    c.start();
    app->Turn();
    EXPECT_LE(pump.waitedTicks.back(), c.longestWait) << c.what;
    // Once served, the loop is quiet again.
    for (int i = 0; i < 400 && pump.waitedTicks.back() <= 1; ++i) app->Turn();
    EXPECT_GT(pump.waitedTicks.back(), 1) << c.what << " was never served";
  }
}

TEST_F(MainLoop, RequestsOfOneRunAreCarriedOutInTheirFixedOrder) {
  StartLocal();
  LinkOf(48).written.clear();
  // Set in the opposite order to the executor's.
  app->requests.RequestSendTab = 1;
  app->requests.RequestSendEscape = 1;
  app->requests.RequestSendControl = 1;
  Window(48).session.conn.ScriptKeyText = "c";
  app->RunPendingCommand();
  EXPECT_EQ(LinkOf(48).written, std::string("\x03\x1b\t"));
  app->RunPendingCommand();
  EXPECT_EQ(LinkOf(48).written, std::string("\x03\x1b\t"));
}

TEST_F(MainLoop, TheQuitSequenceClosesEveryWindowWithoutTheConnectionQuestion) {
  StartLocal();
  for (int i = 0; i < 2; ++i) {
    Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
    Turns(3);
  }
  ASSERT_EQ(app->windows.Count(), 3);
  std::vector<fakes::MemoryLink*> links = processes.links;
  ASSERT_EQ(links.size(), 3u);
  for (int n : app->windows.Numbers()) Window(n).session.Opt.ConfirmClose = 1;
  alerts.shown.clear();
  Menu(platform::kAppMenu, platform::kAppQuitItem);
  Turns(1);
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(app->ExitStatus(), 0);
  EXPECT_TRUE(alerts.shown.empty());
  for (auto* link : links) EXPECT_TRUE(link->closed);
  // The windows' temporary settings files are gone.
  for (const auto& [path, bytes] : files.files) EXPECT_EQ(path.find("TempSettingsKV"), std::string::npos) << path;
}

TEST_F(MainLoop, AMenuItemWhoseWorkIsNotInThisVersionSaysSo) {
  StartLocal();
  alerts.shown.clear();
  // Item 2 is no item the File menu acts on.
  Menu(platform::kFileMenu, 2);
  Turns(1);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
  EXPECT_EQ(alerts.shown[0].text, "\"File item 2\" is not available in this version of Korvane.");
}

TEST_F(MainLoop, ClosingTheOnlyWindowAsksToQuitAndTheSecondButtonKeepsItOpen) {
  StartLocal();
  alerts.answers = {2};
  windows.UserCloses(48);
  Turns(2);
  EXPECT_EQ(AlertsWith("Do you want to Quit Korvane?"), 1);
  EXPECT_FALSE(app->Finished());
  EXPECT_EQ(app->windows.Count(), 1);
  alerts.answers = {1};
  windows.UserCloses(48);
  Turns(2);
  EXPECT_TRUE(app->Finished());
  EXPECT_TRUE(processes.links[0]->closed);
}

TEST_F(MainLoop, DocumentsNamedAtStartOpenOneWindowEachAndTheProgramsOwnFilesAreSkipped) {
  WriteDocument(files, "/docs/one", LocalProgram("/usr/local/bin/host"));
  WriteDocument(files, "/docs/two", LocalProgram("/usr/local/bin/host"));
  Start({"/docs/one", "/docs/International", "/docs/Fkeydefaults", "/docs/two"});
  EXPECT_EQ(app->windows.Numbers(), (std::vector<int>{48, 49}));
  EXPECT_EQ(WindowItems(), (std::vector<std::string>{"Korvane Using one", "Korvane Using two"}));
  EXPECT_EQ(processes.starts.size(), 2u);
}

TEST_F(MainLoop, AMissingDocumentIsReportedAndTheFirstWindowStartsFromTheDefaults) {
  Start({"/docs/none"});
  EXPECT_EQ(AlertsWith("none was not found."), 1);
  EXPECT_EQ(app->windows.Count(), 1);
  EXPECT_EQ(Row(48, 1), "Ready for communications using telnet");
}

TEST_F(MainLoop, TheWheelScrollsTheViewAsManyLinesAsItMovedInEitherDirection) {
  StartLocal();
  Screen& s = Window(48).session.screen;
  for (int i = 0; i < 200; ++i) LinkOf(48).Feed("line\r\n");
  Turns(20);
  const int live = s.ScrollBackLinePos;
  ASSERT_GT(live, 100);
  ASSERT_EQ(s.ScrollBackViewLine, live);
  UiEvent up;
  up.kind = UiEventKind::Wheel;
  up.window = 48;
  up.wheelDelta = 3;
  pump.script.push_back({up});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live - 3);
  UiEvent down = up;
  down.wheelDelta = -2;
  pump.script.push_back({down});
  Turns(1);
  EXPECT_EQ(s.ScrollBackViewLine, live - 1);
}

TEST(RawKeyDown, TheFlagsAreSetOnlyForTheirExactModifiers) {
  using namespace platform;
  struct Case {
    uint16_t modifiers;
    int option, optionShift, command, control;
  };
  const Case cases[] = {
      {kOptionModifier, 1, 0, 0, 0},
      {kOptionModifier | kShiftModifier, 0, 1, 0, 0},
      {kCommandModifier, 0, 0, 1, 0},
      {kControlModifier, 0, 0, 0, 1},
      {kOptionModifier | kCapsLockModifier, 0, 0, 0, 0},
      {kCommandModifier | kOptionModifier, 0, 0, 0, 0},
      {kShiftModifier, 0, 0, 0, 0},
      {0, 0, 0, 0, 0},
  };
  app::RawKeyState state;
  for (const auto& c : cases) {
    // A key with every flag left set by the key before it.
    state.OptionKeyAlone = state.OptionShiftKeys = 1;
    state.CommandKeyDown = state.ControlKeyDown = 1;
    KeyPress key;
    key.keyCode = 34;
    key.modifiers = c.modifiers;
    state.RawKeyDownHandler(key);
    EXPECT_EQ(state.LastRawKeyCode, 34u);
    EXPECT_EQ(state.OptionKeyAlone, c.option) << c.modifiers;
    EXPECT_EQ(state.OptionShiftKeys, c.optionShift) << c.modifiers;
    EXPECT_EQ(state.CommandKeyDown, c.command) << c.modifiers;
    EXPECT_EQ(state.ControlKeyDown, c.control) << c.modifiers;
  }
}

TEST(WaitOneTick, EndsAtTheNextTick) {
  fakes::FakeClock clock;
  for (int i = 0; i < 5; ++i) {
    const int64_t start = clock.Ticks();
    app::WaitOneTick(clock);
    EXPECT_EQ(clock.Ticks(), start + 1);
    clock.AdvanceMs(3);
  }
}

TEST_F(MainLoop, ReturnInASettingsWindowPressesItsDefaultButton) {
  StartLocal();
  struct Case {
    int window, control;  // 0: no button
  };
  const Case cases[] = {{18, 10}, {25, 9}, {17, 3}, {46, 1}, {34, 0}};
  for (const auto& c : cases) {
    app->numbered.OpenAppWindow(c.window);
    dispatched.clear();
    app->DialogControl = 0;
    pump.script.push_back({Key(c.window, '\r')});
    Turns(1);
    const bool dialog = std::find_if(dispatched.begin(), dispatched.end(),
                                     [](const std::string& d) { return d[0] == '3'; }) != dispatched.end();
    EXPECT_EQ(dialog, c.control != 0) << c.window;
    EXPECT_EQ(app->DialogControl, c.control) << c.window;
    EXPECT_EQ(LinkOf(48).written, "");  // nothing went to the host
    app->numbered.SelectWindowPlain(c.window);
  }
}

TEST_F(MainLoop, TheClickThatActivatesAWindowIsNotTakenAsAClickInIt) {
  StartLocal();
  Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
  Turns(3);
  UiEvent click;
  click.kind = UiEventKind::Click;
  click.window = 48;
  dispatched.clear();
  windows.UserActivates(48);
  queue.Post(click);
  Turns(1);
  EXPECT_EQ(std::count(dispatched.begin(), dispatched.end(), "4 8"), 0);
  // After a pass after a null event, clicks count again.
  Turns(1);
  pump.script.push_back({click});
  Turns(1);
  EXPECT_EQ(std::count_if(dispatched.begin(), dispatched.end(), [](const std::string& d) { return d[0] == '4'; }), 1);
}

TEST_F(MainLoop, AnItemMissingFromTheDataFolderIsNamedInAnAlert) {
  Start();
  app->data.resourcesFolder = "/res";
  files.files["/res/International"] = "x";
  EXPECT_EQ(app->FindInResources("International"), "/res/International");
  EXPECT_EQ(app->FindInResources("AppleScripts"), "");
  EXPECT_EQ(AlertsWith("AppleScripts not found in Resources folder"), 1);
}

}  // namespace
}  // namespace korvane::testing
