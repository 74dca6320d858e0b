// Hostile host output through the program on the Qt platform, offscreen: a
// temporary HOME, a session whose child prints the hostile stream and then
// hands whatever the terminal types back to a real shell (recording it), and
// an xdg-open first on PATH that records each start. For every stream: no
// text the host chose is typed back, nothing is created outside the folders
// the host may use, no key leaves the user's files, no program starts
// without a recorded yes, the main loop turns at least every 100 ms while
// the stream arrives, and quitting takes less than a second.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/EmulationFlags.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/AlertButtons.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// Nanoseconds this thread has waited for a processor (the machine's load,
// not the program's doing): taken out of the measured times, so that a busy
// machine does not pass for a frozen program.
int64_t WaitedForProcessorNs() {
  std::ifstream in("/proc/thread-self/schedstat");
  int64_t running = 0, waiting = 0;
  in >> running >> waiting;
  return waiting;
}

std::string Repeat(const std::string& piece, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += piece;
  return out;
}

// What the child does after printing the stream.
enum class Child {
  Shell,       // hands what it is typed to a shell, recording it
  NotReading,  // never reads
  Drip,        // sends an open-location address one byte every 300 ms, for ever
};

// How the user answers the program's questions.
enum class User {
  Away,  // leaves them up
  Yes,   // says OK to each
};

struct HostileCase {
  const char* name;
  EmulationKind emulation;
  std::string stream;
  Child child = Child::Shell;
  User user = User::Away;
  // What the fake xdg-open was started for (only after a yes; $HOME stands
  // for the temporary home).
  std::vector<std::string> opened = {};
  // When set: exactly what the shell must have been typed.
  const char* typedBack = nullptr;
  // At most this many boxes shown in all ...
  size_t maxAlerts = 1;
  // ... and at least this many (the question or notice the stream causes).
  size_t minAlerts = 0;
  // At most this many bytes typed back in all.
  size_t maxTyped = 1 << 20;
};

class HostileHost : public ::testing::TestWithParam<HostileCase> {
 protected:
  QTemporaryDir root;
  fs::path home, work, bin;
  std::string savedHome, savedPath;
  app::EventQueue queue;
  platform::InterfaceDescription description;
  std::unique_ptr<platform::QtPlatform> qt;
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  std::unique_ptr<app::Platform> platform;
  std::unique_ptr<app::App> app;

  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    const fs::path r = root.path().toStdString();
    home = r / "home";
    work = r / "work";
    bin = r / "bin";
    for (const auto& d : {home / "Desktop", home / "Documents" / "pick", home / "transfers", home / "scripts",
                          home / ".ssh", work, bin})
      fs::create_directories(d);
    WriteAll(home / ".ssh" / "id_rsa", "SECRET-KEY-MATERIAL\n");
    WriteAll(home / "Desktop" / "note.txt", "a note\n");
    WriteAll(home / "scripts" / "backup.sh", "#!/bin/sh\ntouch " + (work / "script-ran").string() + "\n");
    fs::permissions(home / "scripts" / "backup.sh", fs::perms::owner_all);
    // The desktop's opener, first on PATH: it records, and opens nothing.
    WriteAll(bin / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> " + (work / "xdg-open.log").string() + "\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    savedHome = getenv("HOME") ? getenv("HOME") : "";
    savedPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("HOME", home.c_str(), 1);
    setenv("PATH", (bin.string() + ":" + savedPath).c_str(), 1);

    std::string error;
    ASSERT_TRUE(platform::LoadInterfaceDescription(KORVANE_RESOURCES "/interface.json", description, error));
    qt = std::make_unique<platform::QtPlatform>(queue, description, [](const std::string& s) { return s; });
    platform = std::make_unique<app::Platform>(
        app::Platform{qt->clock, qt->pump, qt->windows, qt->menus, alerts, qt->cursors, qt->files, qt->processes,
                      qt->desktop, sounds, qt->printing, qt->programs, qt->fileDialogs, qt->clipboard});
    queue.onPost = [this] { qt->pump.Wake(); };
  }
  void TearDown() override {
    app.reset();
    setenv("HOME", savedHome.c_str(), 1);
    setenv("PATH", savedPath.c_str(), 1);
  }

  // Every path under HOME except the folders a host may write in.
  std::set<std::string> OutsideTheHostsFolders() const {
    std::set<std::string> out;
    for (auto it = fs::recursive_directory_iterator(home); it != fs::recursive_directory_iterator(); ++it) {
      const fs::path rel = fs::relative(it->path(), home);
      const std::string top = rel.begin()->string();
      if (top == "Desktop" || top == "Documents" || top == "transfers") continue;
      // The program's own settings and data.
      if (top == ".config" || top == ".local" || top == ".cache") continue;
      out.insert(rel.string());
    }
    return out;
  }

  void WriteChild(const HostileCase& c) {
    WriteAll(work / "stream.bin", c.stream);
    std::string script = "#!/bin/sh\ncd " + work.string() + "\nstty -icanon -echo min 1\ncat stream.bin\n";
    switch (c.child) {
      case Child::Shell: script += "exec tee input.log | sh\n"; break;
      case Child::NotReading: script += "exec sleep 60\n"; break;
      case Child::Drip: script += "printf '\\033\\002<http://'\nwhile :; do printf a; sleep 0.3; done\n"; break;
    }
    WriteAll(work / "child.sh", script);
    fs::permissions(work / "child.sh", fs::perms::owner_all);
  }

  void Start(const HostileCase& c) {
    const std::string document = (work / "session").string();
    {
      SessionOptions opt;
      SettingsState state;
      Preferences prefs((work / "prefs").string());
      fakes::RecordingSettingsHost host;
      Settings settings(opt, state, prefs, qt->files, alerts, host);
      settings.SetDefaultSettings();
      opt.UsesPty = 1;
      opt.LocalShellSession = 1;
      opt.TelnetSession = 0;
      opt.ShellRunsProgram = 1;
      opt.ShellProgram = (work / "child.sh").string();
      opt.AutoConnect = 1;
      SetEmulationFlags(c.emulation, opt);
      ASSERT_TRUE(settings.WriteSettingsFile(document));
    }
    app::StartupData data;
    data.preferencesFolder = (work / "prefs").string() + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    data.hostFolders = {home.string(),     (home / "Desktop").string(), (home / "Documents").string(),
                        KORVANE_RESOURCES, (home / "scripts").string(), (home / "transfers").string()};
    app = std::make_unique<app::App>(*platform, queue, data);
    app->OpenDocuments({document});
    app->Turn();
  }
};

TEST_P(HostileHost, GetsNowhere) {
  const HostileCase& c = GetParam();
  alerts.holdOpen = c.user == User::Away;
  WriteChild(c);
  const std::set<std::string> before = OutsideTheHostsFolders();
  Start(c);
  ASSERT_NE(app->windows.Find(48), nullptr);

  // The main loop's pace, measured by a timer it serves.
  QElapsedTimer sinceTick;
  sinceTick.start();
  int64_t waitedAtTick = WaitedForProcessorNs();
  qint64 longestGap = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const int64_t waited = WaitedForProcessorNs();
    longestGap = std::max(longestGap, sinceTick.restart() - (waited - waitedAtTick) / 1000000);
    waitedAtTick = waited;
  });
  tick.start(5);

  // The stream arrives and is handled; the user answers when asked (Yes).
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 2500 && !app->Finished()) {
    app->Turn();
    if (c.user == User::Yes) alerts.AnswerOpen(1);
  }
  EXPECT_LT(longestGap, 100) << "the main loop stood still";
  std::string shownTexts;
  for (const auto& a : alerts.shown) shownTexts += a.text + "\n";
  const size_t shownBeforeQuit = alerts.shown.size();

  // Quitting: the only window closes, the user confirms, the program ends.
  alerts.answers = {1};
  QElapsedTimer quit;
  quit.start();
  const int64_t waitedBeforeQuit = WaitedForProcessorNs();
  qt->windows.TopLevel(48)->close();
  while (!app->Finished() && quit.elapsed() < 5000) app->Turn();
  EXPECT_TRUE(app->Finished());
  EXPECT_LT(quit.elapsed() - (WaitedForProcessorNs() - waitedBeforeQuit) / 1000000, 1000) << "quitting took too long";
  tick.stop();
  app.reset();

  // Nothing typed back that the host chose, nothing read from the key.
  const std::string typed = ReadAll(work / "input.log");
  EXPECT_EQ(typed.find("pwned"), std::string::npos) << typed;
  EXPECT_EQ(typed.find("SECRET"), std::string::npos);
  if (c.typedBack) {
    EXPECT_EQ(typed, c.typedBack);
  }
  EXPECT_FALSE(fs::exists(work / "pwned"));
  EXPECT_FALSE(fs::exists(home / "pwned"));
  EXPECT_FALSE(fs::exists(work / "script-ran")) << "a script ran without the user's yes";
  // Nothing created outside the host's folders.
  EXPECT_EQ(OutsideTheHostsFolders(), before);
  // No program started but those the user said yes to.
  std::vector<std::string> opened;
  std::istringstream log(ReadAll(work / "xdg-open.log"));
  for (std::string line; std::getline(log, line);) opened.push_back(line);
  std::vector<std::string> expected;
  for (std::string e : c.opened) {
    if (e.rfind("$HOME", 0) == 0) e = fs::canonical(home).string() + e.substr(5);
    expected.push_back(e);
  }
  EXPECT_EQ(opened, expected);
  EXPECT_LE(shownBeforeQuit, c.maxAlerts) << shownTexts;
  EXPECT_GE(shownBeforeQuit, c.minAlerts) << shownTexts;
  EXPECT_LE(typed.size(), c.maxTyped);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, HostileHost,
    ::testing::Values(
        // The capture file's name set by the host, then asked back: a command
        // line with its CR. The answer is an empty line.
        HostileCase{"CaptureNameVt220",
                    EmulationKind::Vt220,
                    "\x1b~5~F~touch pwned\r\n\x1b~6",
                    Child::Shell,
                    User::Away,
                    {},
                    "\n"},
        HostileCase{"CaptureNameWyse60",
                    EmulationKind::Wyse60,
                    "\x1b~5~F~touch pwned\r\n\x1b~6",
                    Child::Shell,
                    User::Away,
                    {},
                    "\n"},
        HostileCase{"DownloadNameVt220",
                    EmulationKind::Vt220,
                    "\x1b~5~I~touch pwned\r\x1b~6",
                    Child::Shell,
                    User::Away,
                    {},
                    "\n"},
        // A local file opened for the host: a question, left up; nothing runs.
        HostileCase{"OpenAFileUnanswered",
                    EmulationKind::Wyse60,
                    "\x1b\x02>UserDesktop/note.txt\r",
                    Child::Shell,
                    User::Away,
                    {},
                    "",
                    1,
                    1},
        // The same with the user's yes: the opener runs once, for that file.
        HostileCase{"OpenAFileAfterYes",
                    EmulationKind::Wyse60,
                    "\x1b\x02>UserDesktop/note.txt\r",
                    Child::Shell,
                    User::Yes,
                    {"$HOME/Desktop/note.txt"}},
        // A script of the scripts folder, and files sent to the host.
        HostileCase{
            "RunAScriptUnanswered", EmulationKind::Vt220, "\x1b~a~backup.sh\r", Child::Shell, User::Away, {}, "", 1, 1},
        HostileCase{"SendTheKey",
                    EmulationKind::Vt220,
                    "\x1b~s~../.ssh/id_rsa\r\x1b~s~BootVolume/etc/passwd\r",
                    Child::Shell,
                    User::Yes,
                    {},
                    "Canceled\nCanceled\n",
                    2},
        // Whether the user's key exists: "no", as for any file outside the
        // transfer folders.
        HostileCase{"KeyExists",
                    EmulationKind::Wyse60,
                    "\x1b\x02PFileExists(../.ssh/id_rsa)\r",
                    Child::Shell,
                    User::Away,
                    {},
                    "0\n",
                    0},
        // Floods: identification requests to a child that never reads, and
        // to one that does (the answers are capped); 200 addresses; 300
        // messages.
        HostileCase{"IdentificationToAChildNotReading",
                    EmulationKind::Vt220,
                    Repeat("\x1b[c", 2000),
                    Child::NotReading,
                    User::Away,
                    {},
                    nullptr,
                    0},
        HostileCase{"IdentificationFlood",
                    EmulationKind::Vt220,
                    Repeat("\x1b[c", 20000),
                    Child::Shell,
                    User::Away,
                    {},
                    nullptr,
                    0,
                    0,
                    20000 * 3 / 4},
        HostileCase{"TwoHundredAddresses",
                    EmulationKind::Wyse60,
                    Repeat("\x1b\x02<http://example.com/x\r", 200),
                    Child::Shell,
                    User::Away,
                    {},
                    "",
                    1,
                    1},
        HostileCase{"ThreeHundredMessages",
                    EmulationKind::Vt220,
                    Repeat("\x1b~M~hello\r", 300),
                    Child::Shell,
                    User::Away,
                    {},
                    "",
                    1,
                    1},
        // An address that never ends, one byte at a time.
        HostileCase{"DrippedAddress", EmulationKind::Wyse60, "", Child::Drip, User::Away, {}, nullptr, 0}),
    [](const ::testing::TestParamInfo<HostileCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace korvane
