// The Keep-Alive window in the program on the Qt platform, offscreen, with a
// fake sudo first on the PATH: it prints the prompt it is given, reads a line
// with echo off, and either records its arguments and ends with status 0 or
// says "Sorry, try again." and asks again. The user chooses Keep-Alive...,
// types the minutes and the password and clicks OK, and sees what happened.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <algorithm>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/App.h"
#include "app/EventQueue.h"
#include "app/QtProgramParts.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"
#include "ui/menus/MenuItems.h"

namespace korvane {
namespace {

constexpr int kKeepAliveWindow = 24;
constexpr int kPasswordField = 3, kMinutesField = 7, kOk = 1;

class QtKeepAlive : public ::testing::Test {
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
  std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";

  QtKeepAlive() {
    queue.onPost = [this] { qt.pump.Wake(); };
    // The fake sudo, found first along the PATH.
    const std::string bin = Path("bin");
    std::filesystem::create_directories(bin);
    testing_support::WriteFile(bin + "/sudo", R"(#!/bin/sh
echo $$ > ')" + Path("pid") + R"('
prompt=
while [ $# -gt 0 ]; do
  case "$1" in
    -p) prompt=$2; shift 2 ;;
    -k) shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
while :; do
  printf '%s' "$prompt"
  stty -echo
  IFS= read -r answer || exit 1
  stty echo
  printf '\n'
  if [ "$answer" = 'correct horse' ]; then
    printf '%s\n' "$*" > ')" + Path("record") + R"('
    echo "net.ipv4.tcp_keepalive_time = 0"
    exit 0
  fi
  if [ "$answer" = 'slow horse' ]; then sleep 60; exit 0; fi
  echo 'Sorry, try again.'
done
)");
    chmod((bin + "/sudo").c_str(), 0755);
    setenv("PATH", (bin + ":" + savedPath).c_str(), 1);
  }
  ~QtKeepAlive() override {
    app.reset();
    setenv("PATH", savedPath.c_str(), 1);
  }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  // A local-shell session that does not connect by itself.
  void StartSession() {
    SessionOptions opt;
    SettingsState state;
    Preferences prefs(Path("prefs"));
    fakes::RecordingSettingsHost host;
    Settings settings(opt, state, prefs, qt.files, alerts, host);
    settings.SetDefaultSettings();
    opt.UsesPty = 1;
    opt.LocalShellSession = 1;
    opt.TelnetSession = 0;
    opt.AutoConnect = 0;
    ASSERT_TRUE(settings.WriteSettingsFile(Path("session")));
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({Path("session")});
    app->Turn();
    ASSERT_TRUE(RunUntil([&] { return app->IdlePassSeen != 0 && app->windows.Find(48) != nullptr; }));
  }
  bool RunUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < ms) app->Turn();
    return done();
  }
  QWidget* Widget(int window, int control) {
    auto* controls = dynamic_cast<platform::QtControls*>(qt.windows.WindowControls(window));
    return controls ? controls->Widget(control) : nullptr;
  }
  void Type(int field, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(Widget(kKeepAliveWindow, field));
    ASSERT_NE(edit, nullptr) << "field " << field;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
  }
  // The user chooses Keep-Alive..., types the minutes and the password, and clicks OK.
  void SetKeepAlive(const std::string& minutes, const std::string& password) {
    qt.menus.Action(platform::kHostControlMenu, ui::host_item::kKeepAlive)->trigger();
    ASSERT_TRUE(RunUntil([&] { return qt.windows.Exists(kKeepAliveWindow); }));
    Type(kMinutesField, minutes);
    Type(kPasswordField, password);
    QWidget* ok = Widget(kKeepAliveWindow, kOk);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
  }
  const fakes::FakeAlerts::Shown* Alert(const std::string& text) {
    for (const auto& a : alerts.shown)
      if (a.text.find(text) != std::string::npos) return &a;
    return nullptr;
  }
  std::string AllAlerts() const {
    std::string all;
    for (const auto& a : alerts.shown) all += a.text + "\n";
    return all;
  }
};

TEST_F(QtKeepAlive, TheRightPasswordRunsSysctlThroughSudoAndTheTimeIsSet) {
  StartSession();
  SetKeepAlive("3", "correct horse");
  ASSERT_TRUE(RunUntil([&] { return Alert("Keep-Alive time set.") != nullptr; })) << AllAlerts();
  EXPECT_EQ(Alert("Keep-Alive time set.")->kind, platform::AlertKind::Plain);
  EXPECT_FALSE(qt.windows.Exists(kKeepAliveWindow));
  EXPECT_EQ(testing_support::ReadFile(Path("record")),
            "sysctl -w net.ipv4.tcp_keepalive_time=180 net.ipv4.tcp_keepalive_intvl=90\n");
  EXPECT_EQ(app->windows.Find(48)->session.Opt.KeepAlive, 3);
  // Nothing the set-up did reaches the session's screen or shows the password.
  EXPECT_EQ(AllAlerts().find("correct horse"), std::string::npos);
}

TEST_F(QtKeepAlive, AWrongPasswordIsRefusedRecordsNothingAndEndsSudo) {
  StartSession();
  SetKeepAlive("3", "wrong horse");
  ASSERT_TRUE(RunUntil([&] { return Alert("Incorrect Admin Password.") != nullptr; })) << AllAlerts();
  EXPECT_EQ(Alert("Incorrect Admin Password.")->kind, platform::AlertKind::Stop);
  // The fake sudo would ask for ever; the set-up ended it.
  const pid_t pid = std::stoi(testing_support::ReadFile(Path("pid")));
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
  // A few more turns: no late "set".
  RunUntil([] { return false; }, 300);
  EXPECT_EQ(Alert("Keep-Alive time set."), nullptr) << AllAlerts();
  EXPECT_FALSE(std::filesystem::exists(Path("record")));
}

TEST_F(QtKeepAlive, OneSetUpRunsAtATimeAndQuittingDuringItEndsSudo) {
  StartSession();
  SetKeepAlive("3", "slow horse");
  ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(Path("pid")); }));
  // The password has been typed and sudo is still busy.
  RunUntil([] { return false; }, 500);
  const pid_t pid = std::stoi(testing_support::ReadFile(Path("pid")));
  ASSERT_EQ(kill(pid, 0), 0);
  // One set-up at a time: a second OK is told so and starts nothing.
  SetKeepAlive("4", "correct horse");
  ASSERT_TRUE(RunUntil([&] { return Alert("A keep-alive set-up is already running.") != nullptr; })) << AllAlerts();
  EXPECT_EQ(std::stoi(testing_support::ReadFile(Path("pid"))), pid);
  qt.menus.Action(platform::kAppMenu, platform::kAppQuitItem)->trigger();
  ASSERT_TRUE(RunUntil([&] { return app->Finished(); }));
  app.reset();
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(alerts.shown.end(), std::find_if(alerts.shown.begin(), alerts.shown.end(), [](const auto& a) {
              return a.text.find("Keep-Alive time set.") != std::string::npos;
            }));
}

TEST_F(QtKeepAlive, WithoutSudoTheUserIsToldAndNothingRuns) {
  std::filesystem::remove(Path("bin/sudo"));
  setenv("PATH", Path("bin").c_str(), 1);
  StartSession();
  SetKeepAlive("3", "correct horse");
  ASSERT_TRUE(RunUntil([&] { return Alert("could not be set") != nullptr; })) << AllAlerts();
  EXPECT_NE(Alert("\"sudo\" was not found."), nullptr) << AllAlerts();
  EXPECT_EQ(Alert("Keep-Alive time set."), nullptr);
}

}  // namespace
}  // namespace korvane
