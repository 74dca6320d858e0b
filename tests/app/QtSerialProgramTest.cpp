// The program on the Qt platform, offscreen, with serial sessions on real
// pseudo-terminals standing in for the line, found as devices the user names:
// a fake Hayes modem dialled from a QuickDial service, talked through to the
// host behind it and hung up; the far end's XOFF and XON holding and
// releasing what is typed; and the far end closing the line under an open
// session.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "app/EventQueue.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/MenuNumbers.h"
#include "platform/posix/PosixSerialPorts.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

extern char** environ;

namespace korvane {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The bytes the fake modem received, from its log ("<ms> <hex>" lines).
std::string ModemReceived(const std::string& log) {
  std::istringstream in(ReadAll(log));
  std::string out;
  for (std::string line; std::getline(in, line);) {
    std::istringstream f(line);
    std::string ms, what;
    f >> ms >> what;
    if (what != "event" && !what.empty()) out += static_cast<char>(std::stoi(what, nullptr, 16));
  }
  return out;
}

class QtSerialProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description = testing_support::ProgramInterface();
  platform::QtPlatform qt{queue, description, [](const std::string& s) { return s; }};
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  fakes::FakeFileDialogs fileDialogs;
  std::unique_ptr<platform::posix::PosixSerialPorts> ports;
  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,  qt.files,
                         qt.processes, qt.desktop, sounds,     qt.printing, qt.programs, fileDialogs, qt.clipboard};
  std::unique_ptr<app::App> app;
  pid_t modemPid = -1;

  QtSerialProgram() {
    queue.onPost = [this] { qt.pump.Wake(); };
  }
  ~QtSerialProgram() override {
    app.reset();
    if (modemPid > 0) {
      kill(modemPid, SIGTERM);
      waitpid(modemPid, nullptr, 0);
    }
  }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  std::string Prefs() const { return Path("prefs") + "/"; }

  // The machine has no serial port of its own here; the user names `device`.
  void NameDevice(const std::string& device) {
    platform::posix::SerialDevicePlaces places;
    places.sysRoot = Path("sys");
    places.devRoot = Path("dev");
    places.namedInVariable = device;
    ports = std::make_unique<platform::posix::PosixSerialPorts>(places);
    platform.serialPorts = ports.get();
  }
  void StartModem() {
    const std::string link = Path("modem"), log = Path("modem.log");
    char* argv[] = {const_cast<char*>(KORVANE_FAKE_MODEM), const_cast<char*>(link.c_str()),
                    const_cast<char*>(log.c_str()), nullptr};
    ASSERT_EQ(posix_spawn(&modemPid, KORVANE_FAKE_MODEM, nullptr, nullptr, argv, environ), 0);
    QElapsedTimer t;
    t.start();
    while (access(link.c_str(), F_OK) != 0 && t.elapsed() < 5000) usleep(5000);
    ASSERT_EQ(access(link.c_str(), F_OK), 0);
    NameDevice(link);
  }
  // A serial session on the first port the user named.
  void StartSerial(const std::string& portName, const std::function<void(SessionOptions&)>& more = {}) {
    const std::string document = Path("serial");
    {
      SessionOptions opt;
      SettingsState state;
      Preferences prefs(Prefs());
      fakes::RecordingSettingsHost host;
      Settings settings(opt, state, prefs, qt.files, alerts, host);
      settings.SetDefaultSettings();
      opt.UsesPty = 0;
      opt.TelnetSession = opt.SshSession = opt.LocalShellSession = 0;
      opt.ConnectionPort = -1;
      opt.BaudRate = 9600;
      opt.SerialPortList = portName + ",";
      opt.ConfirmClose = 0;
      if (more) more(opt);
      ASSERT_TRUE(settings.WriteSettingsFile(document));
    }
    app::StartupData data;
    data.preferencesFolder = Prefs();
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({document});
    app->Turn();
  }
  bool RunUntil(const std::function<bool()>& done, int limitMs = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < limitMs) app->Turn();
    return done();
  }
  SessionWindow& Window() { return *app->windows.Find(48); }
  bool ScreenShows(const std::string& text) {
    Screen& s = Window().session.screen;
    for (int r = 1; r <= s.ScreenRows; ++r) {
      std::string row;
      for (int c = 1; c <= s.ScreenCols; ++c) {
        const int ch = s.ScreenChars(r, c);
        row += ch == 0 ? ' ' : static_cast<char>(ch);
      }
      if (row.find(text) != std::string::npos) return true;
    }
    return false;
  }
  void Type(const std::string& text) {
    for (char c : text) {
      platform::UiEvent e;
      e.kind = platform::UiEventKind::Dialog;
      e.type = platform::kKeyTyped;
      e.window = 48;
      e.number = static_cast<uint8_t>(c);
      e.key.text = std::string(1, c);
      queue.Post(e);
    }
  }
  std::string AlertTexts() const {
    std::string out;
    for (const auto& a : alerts.shown) out += "[" + a.text + "]";
    return out;
  }
};

TEST_F(QtSerialProgram, AModemIsDialledFromAQuickDialServiceTalkedThroughAndHungUp) {
  StartModem();
  const std::string service = Prefs() + "QuickDial/Office.kvdial";
  std::filesystem::create_directories(Prefs() + "QuickDial");
  std::ofstream(service) << "555-0100\n";
  fileDialogs.answers.push_back(service);
  StartSerial("modem");
  ASSERT_TRUE(RunUntil([&] { return ScreenShows("Ready for communications at 9600 Baud"); })) << AlertTexts();
  SessionWindow& w = Window();
  EXPECT_EQ(w.session.window.ConnectionWord, "modem");

  // What the Dialer's "Dial from QuickDial File" asks for.
  w.services.serial.DialFromQuickDialFile();
  ASSERT_TRUE(RunUntil([&] { return ScreenShows("CONNECT 9600"); }, 20000)) << ModemReceived(Path("modem.log"));
  const std::string sent = ModemReceived(Path("modem.log"));
  EXPECT_NE(sent.find("AT&D1&F%C1\r"), std::string::npos) << sent;
  EXPECT_NE(sent.find("ATDT555-0100\r"), std::string::npos) << sent;
  // The modem's command answers were examined, not shown.
  EXPECT_FALSE(ScreenShows("OK"));

  Type("hello\r");
  ASSERT_TRUE(RunUntil([&] { return ScreenShows("host: HELLO"); })) << ModemReceived(Path("modem.log"));

  // The Dialer's Hang Up: "+++", a pause, "ATH".
  w.services.serial.HangUpModem();
  ASSERT_TRUE(RunUntil([&] { return ReadAll(Path("modem.log")).find("event hangup") != std::string::npos; }));
  const std::string all = ModemReceived(Path("modem.log"));
  EXPECT_NE(all.find("+++ATH\r"), std::string::npos);
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
}

// A pseudo-terminal whose master side the test keeps as the far end.
struct FarEnd {
  int master = -1;
  std::string path;
  FarEnd() {
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return;
    path = ttyname(slave);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    close(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  }
  ~FarEnd() { Close(); }
  void Close() {
    if (master >= 0) close(master);
    master = -1;
  }
  void Send(const std::string& bytes) { ASSERT_EQ(write(master, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  std::string Take() {
    std::string got;
    char buf[4096];
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;) got.append(buf, static_cast<size_t>(n));
    return got;
  }
};

TEST_F(QtSerialProgram, TheFarEndsXoffHoldsWhatIsTypedAndItsXonLetsItGo) {
  FarEnd line;
  ASSERT_FALSE(line.path.empty());
  NameDevice(line.path);
  const std::string name = std::filesystem::path(line.path).filename().string();
  StartSerial(name, [](SessionOptions& o) { o.XonXoffOn = 1; });
  ASSERT_TRUE(RunUntil([&] { return Window().session.conn.ConnectionIsOpen() != 0; })) << AlertTexts();
  // The window coming to the front releases its host (XOFF, XON) once.
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 500) app->Turn();
  EXPECT_EQ(line.Take(), "\x13\x11");

  line.Send("\x13");
  t.restart();
  while (t.elapsed() < 200) app->Turn();
  Type("held");
  t.restart();
  while (t.elapsed() < 300) app->Turn();
  EXPECT_EQ(line.Take(), "");
  line.Send("\x11");
  std::string got;
  ASSERT_TRUE(RunUntil([&] {
    got += line.Take();
    return got == "held";
  })) << got;
  // The flow-control bytes were the line's, never the host's text.
  EXPECT_FALSE(ScreenShows("\x13"));
}

TEST_F(QtSerialProgram, AFarEndThatGoesAwayClosesTheConnectionWithALineInTheWindow) {
  FarEnd line;
  NameDevice(line.path);
  const std::string name = std::filesystem::path(line.path).filename().string();
  StartSerial(name);
  ASSERT_TRUE(RunUntil([&] { return Window().session.conn.ConnectionIsOpen() != 0; })) << AlertTexts();
  line.Send("before\r\n");
  ASSERT_TRUE(RunUntil([&] { return ScreenShows("before"); }));
  line.Close();
  ASSERT_TRUE(RunUntil([&] { return ScreenShows("The serial port has gone away; the connection is closed: " + name); }))
      << AlertTexts();
  EXPECT_EQ(Window().session.conn.ConnectionIsOpen(), 0);
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  // Nothing spins: idle, the program sleeps in its waits.
  const clock_t cpu0 = clock();
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 1000) app->Turn();
  const double cpuSeconds = static_cast<double>(clock() - cpu0) / CLOCKS_PER_SEC;
  EXPECT_LT(cpuSeconds, 0.3);
}

}  // namespace
}  // namespace korvane
