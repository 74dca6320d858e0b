// The dialog windows in the program on the Qt platform, offscreen: each is
// opened as its menu item opens it (the session's dialog service), the test
// types into its fields and clicks its buttons as a user does, and what the
// window stores reaches the session: a telnet host the session then connects
// to, an ssh user name the ssh program is given, a function key the child
// receives, the function-key bar's buttons, the scroll bar, the question
// before closing a window whose settings changed.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "app/EventQueue.h"
#include "connection/support/TelnetStub.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

namespace korvane {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class QtDialogs : public ::testing::Test {
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

  QtDialogs() {
    queue.onPost = [this] { qt.pump.Wake(); };
  }
  ~QtDialogs() override { app.reset(); }

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
  // A local session whose child is `program`.
  void WriteLocalDocument(const std::string& path, const std::string& program,
                          const std::function<void(SessionOptions&)>& edit = {}) {
    WriteDocument(path, [&](SessionOptions& o) {
      o.UsesPty = 1;
      o.LocalShellSession = 1;
      o.TelnetSession = 0;
      o.ShellRunsProgram = 1;
      o.ShellProgram = program;
      o.AutoConnect = 1;
      if (edit) edit(o);
    });
  }
  void WriteScript(const std::string& path, const std::string& text) {
    {
      std::ofstream out(path);
      out << "#!/bin/sh\n" << text;
    }
    ASSERT_EQ(chmod(path.c_str(), 0755), 0);
  }
  void Start(const std::vector<std::string>& documents) {
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
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
  void Turns(int n) {
    for (int i = 0; i < n; ++i) app->Turn();
  }
  SessionWindow& Window(int n) { return *app->windows.Find(n); }
  std::string Row(int window, int r) {
    Screen& s = Window(window).session.screen;
    std::string out;
    for (int c = 1; c <= s.ScreenCols; ++c) {
      const int ch = s.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
  }
  bool ScreenShows(int window, const std::string& text) {
    for (int r = 1; r <= Window(window).session.screen.ScreenRows; ++r)
      if (Row(window, r).find(text) != std::string::npos) return true;
    return false;
  }
  // The widget of control `control` of window `window`.
  QWidget* Widget(int window, int control) {
    auto* controls = dynamic_cast<platform::QtControls*>(qt.windows.WindowControls(window));
    return controls ? controls->Widget(control) : nullptr;
  }
  // The user replaces the text of field `field` by typing.
  void Type(int window, int field, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(Widget(window, field));
    ASSERT_NE(edit, nullptr) << "window " << window << " field " << field;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
  }
  void Click(int window, int control) {
    QWidget* button = Widget(window, control);
    ASSERT_NE(button, nullptr) << "window " << window << " control " << control;
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  }
  bool Shown(const std::string& text) {
    for (const auto& a : alerts.shown)
      if (a.text.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(QtDialogs, TheTelnetWindowTakesAHostAndPortAndOpenConnectionReachesThem) {
  if (access("/usr/bin/telnet", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/telnet (Debian package telnet)";
  testing_support::TelnetStub server;
  WriteDocument(Path("telnet"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.TelnetSession = 1;
    o.LocalShellSession = 0;
    o.TelnetHost.clear();
    o.TelnetViaShell = 0;
    o.DiscardLoginOutput133 = 1;  // the login output is kept
    o.AutoConnect = 0;
  });
  Start({Path("telnet")});
  ASSERT_TRUE(RunUntil([&] { return app->IdlePassSeen != 0; }));
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);

  Window(48).services.dialogs.OpenDialog(15);
  ASSERT_TRUE(qt.windows.Exists(15));
  Type(15, 3, "127.0.0.1");
  Type(15, 4, std::to_string(server.port()));
  Click(15, 8);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(15); }));
  const SessionOptions& Opt = Window(48).session.Opt;
  EXPECT_EQ(Opt.TelnetHost, "127.0.0.1");
  EXPECT_EQ(Opt.TelnetPort, std::to_string(server.port()));
  // Closing the window will ask whether to keep what was typed.
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 1);

  qt.menus.Action(platform::kConnectionMenu, platform::kConnectionOpenItem)->trigger();
  ASSERT_TRUE(RunUntil([&] { return server.seen().connected; }));
  EXPECT_TRUE(RunUntil([&] { return ScreenShows(48, "login:"); }));
  for (char c : std::string("dialogs\r")) QTest::keyClick(qt.windows.View(48), c);
  EXPECT_TRUE(RunUntil([&] { return server.seen().data.find("dialogs") != std::string::npos; })) << server.seen().data;
}

TEST_F(QtDialogs, ARefusedTelnetHostIsNamedAndNothingIsStored) {
  WriteDocument(Path("telnet"), [](SessionOptions& o) {
    o.UsesPty = 1;
    o.TelnetSession = 1;
    o.LocalShellSession = 0;
    o.TelnetHost = "host.example";
    o.AutoConnect = 0;
  });
  Start({Path("telnet")});
  ASSERT_TRUE(RunUntil([&] { return app->IdlePassSeen != 0; }));
  Window(48).services.dialogs.OpenDialog(15);
  Type(15, 3, "-oProxyCommand=touch /tmp/x");
  Click(15, 8);
  Turns(3);
  EXPECT_TRUE(Shown("The host name may hold only")) << (alerts.shown.empty() ? "" : alerts.shown.back().text);
  EXPECT_TRUE(qt.windows.Exists(15));
  EXPECT_EQ(Window(48).session.Opt.TelnetHost, "host.example");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);
  // Its close box is its Cancel.
  qt.windows.TopLevel(15)->close();
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(15); }));
  EXPECT_EQ(Window(48).session.Opt.TelnetHost, "host.example");
}

class QtSshDialog : public QtDialogs {
 protected:
  void SetUp() override {
    if (access("/bin/tcsh", X_OK) != 0) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
    // A fake ssh first on PATH records what it is given.
    ASSERT_EQ(mkdir(Path("bin").c_str(), 0755), 0);
    WriteScript(Path("bin/ssh"), "printf '%s\\n' \"$@\" >" + Path("ssh.args") + "\necho fake ssh\nexec cat\n");
    oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (Path("bin") + ":" + oldPath_).c_str(), 1);
    WriteDocument(Path("ssh"), [](SessionOptions& o) {
      o.UsesPty = 1;
      o.SshSession = 1;
      o.TelnetSession = 0;
      o.LocalShellSession = 0;
      o.SshHost = "example.invalid";
      o.SshUser.clear();
      o.AutoConnect = 1;
    });
    Start({Path("ssh")});
    ASSERT_TRUE(RunUntil([&] { return qt.windows.Exists(46); })) << "no Enter SSH User Name window";
  }
  void TearDown() override {
    if (!oldPath_.empty()) setenv("PATH", oldPath_.c_str(), 1);
  }
  std::string oldPath_;
};

TEST_F(QtSshDialog, ASecureShellSessionWithoutAUserAsksAndSshIsGivenTheName) {
  EXPECT_FALSE(Window(48).Connected());
  Type(46, 3, "alice");
  // Return presses the window's default button.
  QTest::keyClick(Widget(46, 3), Qt::Key_Return);
  ASSERT_TRUE(RunUntil([&] { return !ReadAll(Path("ssh.args")).empty(); }));
  const std::string args = ReadAll(Path("ssh.args"));
  EXPECT_EQ(args.rfind("-l\nalice\n", 0), 0u) << args;
  EXPECT_NE(args.find("\n--\nexample.invalid\n"), std::string::npos) << args;
  EXPECT_FALSE(qt.windows.Exists(46));
  EXPECT_TRUE(Window(48).Connected());
  // The name served this connection only: the settings keep no user.
  EXPECT_EQ(Window(48).session.Opt.SshUser, "");
}

TEST_F(QtSshDialog, CancelLeavesTheSessionClosedAndSaysSo) {
  Click(46, 2);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(46); }));
  EXPECT_TRUE(RunUntil([&] { return ScreenShows(48, "No user name was given"); }));
  Turns(20);
  EXPECT_FALSE(Window(48).Connected());
  EXPECT_EQ(ReadAll(Path("ssh.args")), "");
}

TEST_F(QtSshDialog, AUserNameThatCouldReachAShellIsRefused) {
  Type(46, 3, "-oProxyCommand=x");
  Click(46, 1);
  Turns(3);
  EXPECT_TRUE(Shown("A user name may hold only"));
  EXPECT_TRUE(qt.windows.Exists(46));
  EXPECT_FALSE(Window(48).Connected());
}

class QtKeyDialogs : public QtDialogs {
 protected:
  void SetUp() override {
    dir_ = folder.path().toStdString();
    ASSERT_EQ(setenv("KORVANE_KEY_RECORD_DIR", dir_.c_str(), 1), 0);
    WriteLocalDocument(Path("keys"), KORVANE_KEY_CHILD, [](SessionOptions& o) {
      o.FkeyStrings[1] = "{ESOP";
      o.FkeyStrings[17] = "<SF1>";
      o.FkeyTitles[1] = "   F1   ";
    });
    Start({Path("keys")});
    ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "recording"; })) << Row(48, 1);
  }
  void TearDown() override { unsetenv("KORVANE_KEY_RECORD_DIR"); }
  std::string Recorded() { return ReadAll(dir_ + "/korvane_test_key_child.keys"); }
  std::string dir_;
};

TEST_F(QtKeyDialogs, FOneEditedInTheEditorSendsItsNewStringAndTheBarButtonsSendTheirKeys) {
  Window(48).services.dialogs.OpenDialog(27);
  ASSERT_TRUE(qt.windows.Exists(27));
  EXPECT_EQ(qt.windows.WindowControls(27)->ControlText(6), "{ESOP");
  Type(27, 6, "{ESOX");
  Type(27, 5, "Mine");
  Click(27, 2);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(27); }));
  EXPECT_EQ(Window(48).session.Opt.FkeyStrings[1], "{ESOX");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 1);

  QTest::keyClick(qt.windows.View(48), Qt::Key_F1);
  ASSERT_TRUE(RunUntil([&] { return Recorded() == "1b 4f 58 "; })) << Recorded();

  // The bar shows the new label, and its buttons send their keys: F1 in the
  // first row, the shifted F1 first in the second.
  ASSERT_TRUE(RunUntil([&] { return Widget(48, 7001) != nullptr; }));
  auto* f1 = qobject_cast<QAbstractButton*>(Widget(48, 7001));
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->text().trimmed(), "Mine");
  Click(48, 7001);
  ASSERT_TRUE(RunUntil([&] { return Recorded() == "1b 4f 58 1b 4f 58 "; })) << Recorded();
  Screen& s = Window(48).session.screen;
  Click(48, s.FkeySecondRowBase);
  EXPECT_TRUE(RunUntil([&] { return Recorded() == "1b 4f 58 1b 4f 58 3c 53 46 31 3e "; })) << Recorded();
}

TEST_F(QtKeyDialogs, CancelInTheEditorLeavesTheKeyAsItWas) {
  Window(48).services.dialogs.OpenFunctionKeyEditor();
  ASSERT_TRUE(qt.windows.Exists(27));
  Type(27, 6, "{ESOX");
  Click(27, 3);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(27); }));
  EXPECT_EQ(Window(48).session.Opt.FkeyStrings[1], "{ESOP");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);
  QTest::keyClick(qt.windows.View(48), Qt::Key_F1);
  EXPECT_TRUE(RunUntil([&] { return Recorded() == "1b 4f 50 "; })) << Recorded();
}

TEST_F(QtDialogs, DraggingTheScrollBarShowsOlderLines) {
  // Sixty lines full of text, then sixty empty ones: the live screen is
  // empty, the older lines are not.
  WriteScript(Path("lines.sh"),
              "sleep 1\ni=0\nwhile [ $i -lt 60 ]; do echo "
              "\"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX $i\"; i=$((i + 1)); done\n"
              "i=0\nwhile [ $i -lt 60 ]; do echo; i=$((i + 1)); done\necho done\nexec cat >/dev/null\n");
  WriteLocalDocument(Path("lines"), Path("lines.sh"), [](SessionOptions& o) { o.ScrollBackOn = 1; });
  Start({Path("lines")});
  ASSERT_TRUE(RunUntil([&] { return ScreenShows(48, "done"); }));
  Screen& s = Window(48).session.screen;
  Turns(10);
  ASSERT_GT(s.ScrollBackLinePos, s.ScreenRows + 60) << s.ScrollBackLinePos;

  const QImage& image = qt.windows.BackBuffer(48)->Image();
  auto ink = [&] {
    const QRgb background = image.pixel(2, 2);
    int n = 0;
    for (int y = 0; y < s.ScreenRows * s.CellHeight; ++y)
      for (int x = 4; x < 4 + 70 * s.CellWidth; ++x) n += image.pixel(x, y) != background;
    return n;
  };
  const int live = ink();
  auto* bar = qobject_cast<QScrollBar*>(Widget(48, kScrollBarControl));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), s.ScrollBackLinePos);
  EXPECT_EQ(bar->value(), s.ScrollBackLinePos);
  // The user drags the thumb up, past the sixty empty lines.
  bar->setSliderDown(true);
  for (int v = bar->value(); v >= s.ScrollBackLinePos - 70; v -= 7) bar->setSliderPosition(v);
  bar->setSliderDown(false);
  Turns(5);
  EXPECT_LE(s.ScrollBackViewLine, s.ScrollBackLinePos - 63);
  EXPECT_GT(ink(), live + 5000) << "live " << live;
  // A key brings the live screen back.
  QTest::keyClick(qt.windows.View(48), Qt::Key_A);
  EXPECT_TRUE(RunUntil([&] { return s.ScrollBackViewLine == s.ScrollBackLinePos; }));
}

TEST_F(QtDialogs, ADialogOpenOverASessionDoesNotStopItsHostsOutput) {
  WriteScript(Path("late.sh"), "sleep 1\necho late output\nexec cat >/dev/null\n");
  WriteLocalDocument(Path("late"), Path("late.sh"));
  Start({Path("late")});
  ASSERT_TRUE(RunUntil([&] { return app->IdlePassSeen != 0; }));
  Window(48).services.dialogs.OpenDialog(18);
  ASSERT_EQ(qt.windows.FrontWindow(), 18);
  EXPECT_TRUE(RunUntil([&] { return ScreenShows(48, "late output"); })) << Row(48, 1);
  EXPECT_EQ(qt.windows.FrontWindow(), 18);
}

TEST_F(QtDialogs, ClosingAWindowWhoseSettingsADialogChangedAsksToSaveThem) {
  WriteLocalDocument(Path("cat"), "/bin/cat");
  Start({Path("cat")});
  qt.menus.Action(platform::kFileMenu, platform::kFileNewSessionWindowItem)->trigger();
  ASSERT_TRUE(RunUntil([&] { return app->windows.Count() == 2 && app->flags.ActiveWindowNumber == 49; }));
  // Without a change, the window closes without a question.
  Window(49).services.dialogs.OpenDialog(35);
  Click(35, 1);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(35); }));
  EXPECT_EQ(Window(49).session.window.SettingsChanged, 0);
  // A changed delay is a changed setting.
  Window(49).services.dialogs.OpenDialog(35);
  Type(35, 4, "7");
  Click(35, 1);
  ASSERT_TRUE(RunUntil([&] { return !qt.windows.Exists(35); }));
  EXPECT_EQ(Window(49).session.Opt.ClipboardLineDelay, 7);
  EXPECT_EQ(Window(49).session.window.SettingsChanged, 1);
  alerts.answers = {2};
  qt.windows.TopLevel(49)->close();
  ASSERT_TRUE(RunUntil([&] { return app->windows.Count() == 1; }));
  EXPECT_TRUE(Shown("Do you want to save your settings for this session window before closing it?"));
}

}  // namespace
}  // namespace korvane
