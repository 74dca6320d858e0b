// The program on the Qt platform, offscreen: the interface description, the
// menus and their keys, the busy cursor, three session windows of which the
// middle one is closed, and a local session whose child really runs on a
// pseudo-terminal, from the first byte to the closed window.

#include <gtest/gtest.h>

#include <algorithm>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <functional>
#include <set>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "emulation/EmulationFlags.h"
#include "app/EventQueue.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/CharMap.h"
#include "platform/NullPort.h"
#include "platform/posix/PosixPrograms.h"
#include "platform/posix/PtyChild.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"
#include "platform/MenuNumbers.h"

namespace korvane {
namespace {

TEST(InterfaceFile, TheProgramsDescriptionHasTheMenusTheProgramAddresses) {
  const platform::InterfaceDescription d = testing_support::ProgramInterface();
  for (int menu : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
    EXPECT_NE(std::find(d.menuBar.begin(), d.menuBar.end(), menu), d.menuBar.end()) << menu;
  const platform::MenuDescription* window = d.FindMenu(platform::kWindowMenu);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->items.size(), static_cast<size_t>(platform::kWindowMenuFixedItems));
  EXPECT_EQ(d.FindMenu(platform::kFileMenu)->items[0].text, "New Session Window");
  EXPECT_EQ(d.FindMenu(platform::kAppMenu)->items[platform::kAppQuitItem - 1].text, "Quit Korvane");
  // No two items share a key.
  std::set<char> keys;
  for (const auto& m : d.menus)
    for (const auto& item : m.items)
      if (item.shortcut) {
        EXPECT_TRUE(keys.insert(item.shortcut).second) << item.shortcut;
      }
  for (const char* name : {"Tell DLOG", "Enter SSH User Name", "KorvanePretty"}) EXPECT_NE(d.FindWindow(name), nullptr);
}

TEST(InterfaceFile, NumbersLeftOutAreSeparatorsAndBadDescriptionsAreRefused) {
  platform::InterfaceDescription d;
  std::string error;
  ASSERT_TRUE(platform::ParseInterfaceDescription(
      R"({"menuBar":[3],"menus":[{"number":3,"title":"Fichier","items":[
           {"item":1,"text":"Nouvelle fen\u00eatre de session","key":"n"},{"item":4,"text":"Quatre"}]}]})",
      d, error))
      << error;
  const auto& items = d.menus[0].items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text, "Nouvelle fen\x90tre de session");
  EXPECT_EQ(items[0].shortcut, 'n');
  EXPECT_TRUE(items[1].separator);
  EXPECT_TRUE(items[2].separator);
  EXPECT_EQ(items[3].text, "Quatre");

  const std::pair<const char*, const char*> bad[] = {
      {"{", "not a valid interface description"},
      {R"({"menuBar":[9],"menus":[]})", "names menu 9"},
      {R"({"menus":[{"number":3,"items":[{"item":2},{"item":1}]}]})", "out of order"},
      {R"({"menus":[{"number":3,"items":[{"text":"no number"}]}]})", "without a number"},
  };
  for (const auto& [json, reason] : bad) {
    platform::InterfaceDescription out;
    out.menuBar = {42};
    EXPECT_FALSE(platform::ParseInterfaceDescription(json, out, error)) << json;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_EQ(out.menuBar, std::vector<int>{42});  // left as it was
  }
}

class Recorder final : public platform::EventSink {
 public:
  std::vector<platform::UiEvent> events;
  void Post(const platform::UiEvent& e) override { events.push_back(e); }
};

TEST(QtMenus, ItemsPostTheirNumbersTakeCtrlShiftKeysAndShowTextAsItStands) {
  Recorder sink;
  platform::InterfaceDescription d = testing_support::ProgramInterface();
  platform::QtMenus menus(d, sink);
  QAction* quit = menus.Action(platform::kAppMenu, platform::kAppQuitItem);
  ASSERT_NE(quit, nullptr);
  EXPECT_EQ(quit->shortcut(), QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Q)));
  quit->trigger();
  ASSERT_EQ(sink.events.size(), 1u);
  EXPECT_EQ(sink.events[0].kind, platform::UiEventKind::Menu);
  EXPECT_EQ(sink.events[0].number, platform::kAppMenu);
  EXPECT_EQ(sink.events[0].item, platform::kAppQuitItem);
  // A session item appended at run time is a real action, text taken literally.
  menus.AppendItem(platform::kWindowMenu, "R&D \xA5");
  menus.MarkItem(platform::kWindowMenu, 18, true);
  QAction* item = menus.Action(platform::kWindowMenu, 18);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), QString::fromUtf8("R&&D \u2022"));
  EXPECT_TRUE(item->isChecked());
  item->trigger();
  EXPECT_EQ(sink.events.back().number, platform::kWindowMenu);
  EXPECT_EQ(sink.events.back().item, 18);
  menus.DeleteItem(platform::kWindowMenu, 18);
  EXPECT_EQ(menus.Menu(platform::kWindowMenu)->actions().size(), platform::kWindowMenuFixedItems);
}

// The marks and enabled states change after nearly every event; an open menu
// must keep its actions (and so the item the user has highlighted), and a
// submenu item stays the submenu.
TEST(QtMenus, AMarkOrStateChangeKeepsTheMenusActionsAndTheHighlightedItem) {
  Recorder sink;
  platform::InterfaceDescription d = testing_support::ProgramInterface();
  platform::QtMenus menus(d, sink);
  QMenu* port = menus.Menu(platform::kPortSettingsMenu);
  ASSERT_NE(port, nullptr);
  const QList<QAction*> before = port->actions();
  port->setActiveAction(before.at(4));
  menus.MarkItem(platform::kPortSettingsMenu, 5, true);
  menus.EnableItem(platform::kPortSettingsMenu, 1, false);
  EXPECT_EQ(port->actions(), before);
  EXPECT_EQ(port->activeAction(), before.at(4));
  EXPECT_TRUE(before.at(4)->isChecked());
  EXPECT_FALSE(before.at(0)->isEnabled());
  EXPECT_TRUE(std::any_of(before.begin(), before.end(), [](QAction* a) { return a->menu() != nullptr; }));
  // A changed item list still makes the actions again.
  const int count = static_cast<int>(menus.Menu(platform::kWindowMenu)->actions().size());
  menus.AppendItem(platform::kWindowMenu, "another");
  EXPECT_EQ(menus.Menu(platform::kWindowMenu)->actions().size(), count + 1);
}

TEST(QtCursors, TheBusyCursorIsSetOnceHoweverOftenTheWatchTurns) {
  platform::QtCursors cursors;
  for (int i = 0; i < 1000; ++i) cursors.ShowWatch();
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  cursors.ShowArrow();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The program with every Qt service but alerts, which a test answers.
class QtProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description = testing_support::ProgramInterface();
  platform::QtPlatform qt{queue, description, [](const std::string& s) { return s; }};
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, sounds,     qt.printing, qt.programs, qt.fileDialogs, qt.clipboard};
  std::unique_ptr<app::App> app;
  // The folders the host's commands may name files in.
  HostFolders hostFolders;

  QtProgram() {
    queue.onPost = [this] { qt.pump.Wake(); };
  }
  ~QtProgram() override { app.reset(); }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  void WriteDocument(const std::string& path, const std::function<void(SessionOptions&)>& edit) {
    SessionOptions opt;
    SettingsState state;
    Preferences prefs(Path("prefs"));
    fakes::RecordingSettingsHost host;
    Settings settings(opt, state, prefs, qt.files, alerts, host);
    settings.SetDefaultSettings();
    edit(opt);
    ASSERT_TRUE(settings.WriteSettingsFile(path));
  }
  void Start(const std::vector<std::string>& documents) {
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    data.hostFolders = hostFolders;
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments(documents);
    app->Turn();
  }
  // Runs turns until `done` holds or ten seconds have passed.
  bool RunUntil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < 10000) app->Turn();
    return done();
  }
  std::string Row(int window, int r) {
    Screen& s = app->windows.Find(window)->session.screen;
    std::string out;
    for (int c = 1; c <= s.ScreenCols; ++c) {
      const int ch = s.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
  }
  std::vector<std::string> WindowMenuItems() {
    std::vector<std::string> out;
    const auto actions = qt.menus.Menu(platform::kWindowMenu)->actions();
    for (int i = platform::kWindowMenuFixedItems; i < actions.size(); ++i)
      out.push_back(actions[i]->text().toStdString() + (actions[i]->isChecked() ? " (checked)" : ""));
    return out;
  }
};

TEST_F(QtProgram, ThreeWindowsOfWhichTheMiddleOneIsClosed) {
  WriteDocument(Path("cat"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = "/bin/cat";
  });
  Start({Path("cat")});
  for (int i = 0; i < 2; ++i) {
    qt.menus.Action(platform::kFileMenu, platform::kFileNewSessionWindowItem)->trigger();
    const size_t want = static_cast<size_t>(i + 2);
    ASSERT_TRUE(RunUntil([&] { return app->windows.Numbers().size() == want; }));
  }
  EXPECT_EQ(app->windows.Numbers(), (std::vector<int>{48, 49, 50}));
  // New windows are titled by their connection; the document's name stays
  // with the window that opened it.
  EXPECT_EQ(WindowMenuItems(), (std::vector<std::string>{"Korvane Using cat", "Korvane Using Local Shell",
                                                         "Korvane Using Local Shell [2] (checked)"}));
  // The user brings the middle window to the front and closes it.
  qt.windows.Activated(49);
  ASSERT_TRUE(RunUntil([&] { return app->flags.ActiveWindowNumber == 49; }));
  EXPECT_EQ(WindowMenuItems()[1], "Korvane Using Local Shell (checked)");
  qt.windows.TopLevel(49)->close();
  ASSERT_TRUE(RunUntil([&] { return app->windows.Count() == 2; }));
  EXPECT_EQ(qt.windows.TopLevel(49), nullptr);
  EXPECT_EQ(app->windows.Numbers(), (std::vector<int>{48, 50}));
  EXPECT_EQ(WindowMenuItems(),
            (std::vector<std::string>{"Korvane Using cat", "Korvane Using Local Shell [2] (checked)"}));
  EXPECT_EQ(app->flags.ActiveWindowNumber, 50);
  EXPECT_EQ(qt.windows.FrontWindow(), 50);
  // Choosing the first item brings its window back as the active session.
  qt.menus.Action(platform::kWindowMenu, platform::kWindowMenuFixedItems + 1)->trigger();
  ASSERT_TRUE(RunUntil([&] { return app->flags.ActiveWindowNumber == 48; }));
  EXPECT_EQ(WindowMenuItems(),
            (std::vector<std::string>{"Korvane Using cat (checked)", "Korvane Using Local Shell [2]"}));
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(QtProgram, AHostsCaptureFileIsWrittenOnTheDesktopAndItsPrintScreenReachesThePrinting) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is set up here: no PDF file to look at";
  if (access("/usr/bin/pdftotext", X_OK) != 0) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  // The host's output: text, a capture file it names on the desktop, a
  // captured line, capture off, and a print of the screen.
  const std::string desktop = Path("Desktop");
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(desktop)));
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("Documents"))));
  const std::string output = Path("host-output");
  {
    std::ofstream out(output, std::ios::binary);
    // (The terminal turns each LF into CR LF on its way to the program.)
    out << "hello\n\x1b~5~F~capture.txt\ncaptured line\n\x1b~4\x1b~p";
  }
  WriteDocument(Path("host"), [&](SessionOptions& o) {
    SetEmulationFlags(EmulationKind::Vt220, o);
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = "/bin/cat " + output;
    o.AutoConnect = 1;
  });
  hostFolders.desktop = desktop;
  // Without a printer the print dialog prints into a PDF file in the
  // documents folder; the user presses Print as soon as it is up.
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(folder.path().toStdString()));
  int printDialogs = 0;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&printDialogs] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      ++printDialogs;
      dialog->accept();
    }
  });
  user.start(20);
  Start({Path("host")});
  auto pdf = [&]() -> std::string {
    for (const auto& entry : std::filesystem::directory_iterator(Path("Documents")))
      if (entry.path().extension() == ".pdf") return entry.path().string();
    return {};
  };
  const bool printed = RunUntil([&] { return !pdf().empty() && std::filesystem::file_size(pdf()) > 0; });
  user.stop();
  qputenv("HOME", home);
  ASSERT_TRUE(printed) << printDialogs << " dialogs, " << alerts.shown.size() << " alerts";
  EXPECT_EQ(printDialogs, 1);
  EXPECT_EQ(Row(48, 1), "hello");
  std::string text;
  {
    platform::posix::PosixPrograms programs;
    int id = 0;
    ASSERT_EQ(programs.StartProgram({"pdftotext", "-layout", pdf(), "-"}, id), 0);
    platform::ProgramExit exit;
    bool ended = false;
    ASSERT_TRUE(RunUntil([&] { return ended || (ended = programs.ProgramEnded(id, exit)); }));
    text = exit.output;
  }
  EXPECT_NE(text.find("hello"), std::string::npos) << text;
  EXPECT_NE(text.find("captured line"), std::string::npos) << text;
  // The capture file holds the line captured between the host's on and off.
  std::ifstream in(desktop + "/capture.txt", std::ios::binary);
  std::ostringstream captured;
  captured << in.rdbuf();
  EXPECT_EQ(captured.str(), "captured line\n");
  for (const auto& a : alerts.shown) ADD_FAILURE() << a.text;
}

TEST_F(QtProgram, ALocalSessionShowsWhatItsChildWritesAndClosingTheWindowEndsTheChild) {
  WriteDocument(Path("echo"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = KORVANE_ECHO_CHILD;
    o.AutoConnect = 1;
  });
  Start({Path("echo")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "child ready"; })) << Row(48, 1);

  // Bytes typed into the window reach the child; its terminal echoes them
  // and the child answers.
  for (char c : std::string("abc\r")) {
    platform::UiEvent e;
    e.kind = platform::UiEventKind::Dialog;
    e.type = platform::kKeyTyped;
    e.window = 48;
    e.number = static_cast<uint8_t>(c);
    e.key.text = std::string(1, c);
    queue.Post(e);
  }
  ASSERT_TRUE(RunUntil([&] { return Row(48, 3) == "got abc"; })) << Row(48, 2) << "|" << Row(48, 3);
  EXPECT_EQ(Row(48, 2), "abc");

  // The back buffer shows them: ink in the text rows, none in an empty row.
  Screen& s = app->windows.Find(48)->session.screen;
  const QImage& image = qt.windows.BackBuffer(48)->Image();
  auto ink = [&](int row) {
    const QRgb background = image.pixel(2, row * s.CellHeight - 2);
    int n = 0;
    for (int y = (row - 1) * s.CellHeight; y < row * s.CellHeight; ++y)
      for (int x = 4; x < 4 + 7 * s.CellWidth; ++x) n += image.pixel(x, y) != background;
    return n;
  };
  EXPECT_GT(ink(1), 30);
  EXPECT_GT(ink(3), 30);
  EXPECT_EQ(ink(12), 0);

  auto* child = dynamic_cast<platform::posix::PtyChild*>(app->windows.Find(48)->session.conn.PtyStream.get());
  ASSERT_NE(child, nullptr);
  const pid_t pid = child->pid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(kill(pid, 0), 0);

  // Closing the only window asks to quit; the answer quits and the child is
  // hung up and reaped.
  alerts.answers = {1};
  qt.windows.TopLevel(48)->close();
  ASSERT_TRUE(RunUntil([&] { return app->Finished(); }));
  EXPECT_EQ(app->ExitStatus(), 0);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "Do you want to Quit Korvane?");
  errno = 0;
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
}

TEST_F(QtProgram, ABellFromTheHostOfEitherFamilyAndTheEmulateMenuReachTheProgram) {
  WriteDocument(Path("bell"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = KORVANE_ECHO_CHILD;
    o.AutoConnect = 1;
    SetEmulationFlags(EmulationKind::Vt100, o);
  });
  Start({Path("bell")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "child ready"; })) << Row(48, 1);
  // The child answers the line "\a" with "got \a": the host rings the bell.
  auto ring = [&] {
    for (char c : std::string("\a\r")) {
      platform::UiEvent e;
      e.kind = platform::UiEventKind::Dialog;
      e.type = platform::kKeyTyped;
      e.window = 48;
      e.number = static_cast<uint8_t>(c);
      e.key.text = std::string(1, c);
      queue.Post(e);
    }
  };
  ring();
  EXPECT_TRUE(RunUntil([&] { return sounds.beeps >= 1; }));
  const int vtBeeps = sounds.beeps;

  // Emulate > Wyse 60, chosen through the menu bar's own item.
  QAction* wyse60 = qt.menus.Action(platform::kEmulateMenu, 7);
  ASSERT_NE(wyse60, nullptr);
  wyse60->trigger();
  SessionOptions& o = app->windows.Find(48)->session.Opt;
  ASSERT_TRUE(RunUntil([&] { return o.EmuWyse60 == 1; }));
  EXPECT_EQ(std::string(EmulationNameFromFlags(o)), "Wyse 60");
  EXPECT_TRUE(qt.menus.Action(platform::kEmulateMenu, 7)->isChecked());
  EXPECT_FALSE(qt.menus.Action(platform::kEmulateMenu, 3)->isChecked());
  ring();
  EXPECT_TRUE(RunUntil([&] { return sounds.beeps > vtBeeps; }));
}

TEST_F(QtProgram, FullScreenFromTheWindowMenuAndEscapeInItGoesToTheHost) {
  const std::string dir = folder.path().toStdString();
  ASSERT_EQ(setenv("KORVANE_KEY_RECORD_DIR", dir.c_str(), 1), 0);
  WriteDocument(Path("keys"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = KORVANE_KEY_CHILD;
    o.AutoConnect = 1;
  });
  Start({Path("keys")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "recording"; })) << Row(48, 1);
  QAction* full = qt.menus.Action(platform::kWindowMenu, 15);
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(full->text().toStdString(), "Enter Full Screen");
  full->trigger();
  ASSERT_TRUE(RunUntil([&] { return qt.windows.TopLevel(48)->isFullScreen(); }));
  EXPECT_TRUE(RunUntil([&] { return qt.menus.Action(platform::kWindowMenu, 15)->text() == "Exit Full Screen"; }));

  QTest::keyClick(qt.windows.View(48), Qt::Key_Escape);
  const std::string record = dir + "/korvane_test_key_child.keys";
  auto recorded = [&] {
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  EXPECT_TRUE(RunUntil([&] { return recorded() == "1b "; })) << recorded();

  qt.menus.Action(platform::kWindowMenu, 15)->trigger();
  EXPECT_TRUE(RunUntil([&] { return !qt.windows.TopLevel(48)->isFullScreen(); }));
  EXPECT_TRUE(RunUntil([&] { return qt.menus.Action(platform::kWindowMenu, 15)->text() == "Enter Full Screen"; }));
  unsetenv("KORVANE_KEY_RECORD_DIR");
}

TEST_F(QtProgram, KeysTypedIntoTheSessionWindowReachTheChildAsTheEmulationsBytes) {
  const std::string dir = folder.path().toStdString();
  ASSERT_EQ(setenv("KORVANE_KEY_RECORD_DIR", dir.c_str(), 1), 0);
  WriteDocument(Path("keys"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = KORVANE_KEY_CHILD;
    o.AutoConnect = 1;
    o.FkeyStrings[1] = "{ESOP";
    o.FkeyStrings[2] = "<F2>";
    o.FkeyStrings[18] = "<SF2>";
  });
  Start({Path("keys")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "recording"; })) << Row(48, 1);
  ASSERT_EQ(app->windows.Find(48)->session.Opt.EmuVt100, 1);

  QWidget* view = qt.windows.View(48);
  ASSERT_NE(view, nullptr);
  QTest::keyClick(view, Qt::Key_A);
  QTest::keyClick(view, Qt::Key_Up);
  QTest::keyClick(view, Qt::Key_F1);
  QTest::keyClick(view, Qt::Key_F2, Qt::ShiftModifier);
  QTest::keyClick(view, Qt::Key_Return);
  QTest::keyClick(view, Qt::Key_Backspace);
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(view, Qt::Key_2, Qt::AltModifier);
  QTest::keyClick(view, Qt::Key_Escape);
  QTest::keyClick(view, Qt::Key_5, Qt::KeypadModifier);
  QTest::keyClick(view, Qt::Key_Tab);

  const std::string expected =
      "61 "              // a
      "1b 5b 41 "        // up arrow
      "1b 4f 50 "        // F1's string
      "3c 53 46 32 3e "  // shifted F2's string
      "0d "              // Return
      "7f "              // Backspace
      "03 "              // Control-C
      "3c 46 32 3e "     // Option-2 is F2
      "1b "              // Escape
      "35 "              // keypad 5
      "09 ";             // Tab
  const std::string record = dir + "/korvane_test_key_child.keys";
  auto recorded = [&] {
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  EXPECT_TRUE(RunUntil([&] { return recorded() == expected; })) << recorded();
  unsetenv("KORVANE_KEY_RECORD_DIR");
}

// A Wyse 370 with the alternate editing keys: Super+Alt with a letter or a
// digit sends SOH, the character and CR, at most once in 18 ticks; in any
// other emulation the same keys send nothing, and Super+Alt+1 is not the
// output hold.
TEST_F(QtProgram, TheWyse370sCommandKeysSendSohTheCharacterAndCarriageReturn) {
  const std::string dir = folder.path().toStdString();
  ASSERT_EQ(setenv("KORVANE_KEY_RECORD_DIR", dir.c_str(), 1), 0);
  WriteDocument(Path("keys"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellProgram = KORVANE_KEY_CHILD;
    o.AutoConnect = 1;
    SetEmulationFlags(EmulationKind::Wyse370, o);
    o.AltEditKeys = 1;
  });
  Start({Path("keys")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "recording"; })) << Row(48, 1);
  SessionWindow& w = *app->windows.Find(48);
  QWidget* view = qt.windows.View(48);
  ASSERT_NE(view, nullptr);
  const std::string record = dir + "/korvane_test_key_child.keys";
  auto recorded = [&] {
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  auto wait18Ticks = [&] {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 320) app->Turn();
  };
  const Qt::KeyboardModifiers superAlt = Qt::MetaModifier | Qt::AltModifier;
  QTest::keyClick(view, Qt::Key_Q, superAlt);
  // Pressed again at once: too soon, nothing is sent.
  QTest::keyClick(view, Qt::Key_Q, superAlt);
  wait18Ticks();
  QTest::keyClick(view, Qt::Key_Z, superAlt | Qt::ShiftModifier);
  wait18Ticks();
  QTest::keyClick(view, Qt::Key_1, superAlt);
  wait18Ticks();
  QTest::keyClick(view, Qt::Key_0, superAlt);
  wait18Ticks();
  EXPECT_EQ(w.session.input.OutputHeld, 0) << "Super+Alt+1 held the output";
  // Super alone with a letter is no command key.
  QTest::keyClick(view, Qt::Key_Q, Qt::MetaModifier);
  wait18Ticks();
  // Another emulation: the same keys send nothing.
  SetEmulationFlags(EmulationKind::Wyse60, w.session.Opt);
  QTest::keyClick(view, Qt::Key_Q, superAlt);
  wait18Ticks();
  QTest::keyClick(view, Qt::Key_B);
  const std::string expected =
      "01 71 0d "  // Super+Alt+Q
      "01 5a 0d "  // Super+Alt+Shift+Z
      "01 31 0d "  // Super+Alt+1
      "01 30 0d "  // Super+Alt+0
      "62 ";       // the plain b that marks the end
  EXPECT_TRUE(RunUntil([&] { return recorded() == expected; })) << recorded();
  unsetenv("KORVANE_KEY_RECORD_DIR");
}

}  // namespace
}  // namespace korvane
