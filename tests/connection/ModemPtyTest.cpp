// The whole serial road against a fake modem on the far end of a
// pseudo-terminal: the port found among the devices the user names, opened
// by the port selection, dialled from the QuickDial file, text exchanged
// with the host behind the modem, and the modem hung up, on the real clock.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <sstream>

#include "connection/Modem.h"
#include "connection/SerialPortSelection.h"
#include "fakes/FakeAlerts.h"
#include "fakes/MemoryFiles.h"
#include "fakes/RecordingModemHost.h"
#include "platform/Clock.h"
#include "platform/posix/PosixSerialPorts.h"
#include "support/PtySupport.h"
#include "platform/MenuNumbers.h"

extern char** environ;

namespace korvane {
namespace {

using testing_support::TempDir;
using testing_support::WaitUntil;

// What the fake modem logged.
struct ModemLog {
  struct Byte {
    int64_t atMs;
    char c;
  };
  std::vector<Byte> bytes;
  std::vector<std::string> events;

  static ModemLog Read(const std::string& path) {
    ModemLog log;
    std::istringstream in(testing_support::ReadFile(path));
    for (std::string line; std::getline(in, line);) {
      std::istringstream f(line);
      int64_t ms = 0;
      std::string what;
      f >> ms >> what;
      if (what == "event") {
        f >> what;
        log.events.push_back(what);
      } else {
        log.bytes.push_back({ms, static_cast<char>(std::stoi(what, nullptr, 16))});
      }
    }
    return log;
  }
  std::string Text() const {
    std::string s;
    for (const Byte& b : bytes) s += b.c;
    return s;
  }
  // The times the bytes of `text` arrived, found from byte `from` on.
  std::vector<int64_t> TimesOf(const std::string& text, std::size_t from = 0) const {
    const std::size_t at = Text().find(text, from);
    std::vector<int64_t> times;
    if (at == std::string::npos) return times;
    for (std::size_t i = at; i < at + text.size(); ++i) times.push_back(bytes[i].atMs);
    return times;
  }
};

class ModemPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string link = dir / "modem", logPath = dir / "modem.log";
    char* argv[] = {const_cast<char*>(KORVANE_FAKE_MODEM), const_cast<char*>(link.c_str()),
                    const_cast<char*>(logPath.c_str()), nullptr};
    ASSERT_EQ(posix_spawn(&modemPid, KORVANE_FAKE_MODEM, nullptr, nullptr, argv, environ), 0);
    ASSERT_TRUE(WaitUntil([&] { return testing_support::Exists(link); }));

    menus.AddMenu({platform::kSerialPortMenu, "Serial Port", {}});
    menus.AddMenu({platform::kConnectionMenu, "Connection", std::vector<platform::MenuItem>(15)});
    Opt.UsesPty = 0;
    Opt.BaudRate = 9600;
    Opt.DataBits = 1;
    Opt.ModemInitString = "AT&F%C1";
    Opt.ModemDtrOption = 1;
    Opt.DialMode = "T";
    prefs.files["/prefs/Quickdial"] = "555-0100\n";
  }
  void TearDown() override {
    if (modemPid > 0) {
      kill(modemPid, SIGTERM);
      waitpid(modemPid, nullptr, 0);
    }
  }

  // Steps the modem on the real clock until its sequence has ended.
  void RunModem(int limitMs) {
    ASSERT_TRUE(WaitUntil(
        [&] {
          modem.Step(clock.Milliseconds());
          return !modem.Busy();
        },
        limitMs));
  }
  std::string ReadPortFor(const std::string& wanted, int ms) {
    std::string got;
    WaitUntil(
        [&] {
          uint8_t buf[256];
          const int n = serial.Link()->Read(buf, sizeof buf);
          if (n > 0) got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
          return got.find(wanted) != std::string::npos;
        },
        ms);
    return got;
  }
  void Type(const std::string& text) {
    serial.Link()->Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
  }
  ModemLog Log() const { return ModemLog::Read(dir / "modem.log"); }

  // Discovery cannot see a pseudo-terminal; the user names it.
  static platform::posix::SerialDevicePlaces PlacesIn(const TempDir& d) {
    platform::posix::SerialDevicePlaces p;
    p.sysRoot = d / "sys";
    p.devRoot = d / "dev";
    p.namedInVariable = d / "modem";
    return p;
  }

  TempDir dir;
  pid_t modemPid = -1;
  platform::SteadyClock clock;
  SessionOptions Opt;
  fakes::FakeAlerts alerts;
  platform::MemoryMenus menus;
  fakes::MemoryFiles prefs;
  fakes::RecordingModemHost host;
  platform::posix::PosixSerialPorts machine{PlacesIn(dir)};
  SerialFiles files{machine};
  SerialSession serial{files};
  SerialPortSelection selection{Opt, serial, alerts, menus};
  Modem modem{serial, host, alerts, prefs, "/prefs/Quickdial"};
};

TEST_F(ModemPtyTest, DialsConnectsTalksAndHangsUp) {
  selection.ListSerialPorts();
  ASSERT_EQ(files.SerialPortNames(), std::vector<std::string>{"modem"});
  serial.ConnectionPort = -1;
  selection.OpenSelectedSerialPort();
  ASSERT_EQ(serial.Connected, 1) << (alerts.shown.empty() ? "" : alerts.shown[0].text);
  EXPECT_TRUE(IsModemPort(serial.PortName()));

  modem.DialRequest = 1;
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunModem(20000);
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_NE(ReadPortFor("CONNECT 9600", 3000).find("CONNECT 9600"), std::string::npos);

  ModemLog log = Log();
  EXPECT_EQ(log.Text(), "ATH\rAT\rAT&D1&F%C1\rATDT555-0100\r");
  // Each character on its own: a slow modem's buffer never overruns.
  const std::vector<int64_t> dial = log.TimesOf("ATDT555-0100");
  ASSERT_FALSE(dial.empty());
  for (std::size_t i = 1; i < dial.size(); ++i) EXPECT_GE(dial[i] - dial[i - 1], 90) << i;
  EXPECT_EQ(log.events, (std::vector<std::string>{"ready", "hangup", "connect"}));

  Type("hello there\r");
  EXPECT_NE(ReadPortFor("host: HELLO THERE", 3000).find("host: HELLO THERE"), std::string::npos);

  bool closed = false;
  modem.HangUpModem(clock.Milliseconds(), [&] {
    closed = true;
    serial.CloseSerialFile();
    serial.ConnectionOpen = 0;
    serial.Connected = 0;
  });
  RunModem(15000);
  EXPECT_TRUE(closed);
  EXPECT_EQ(serial.File(), nullptr);
  EXPECT_FALSE(files.IsOpen(1));

  log = Log();
  const std::string text = log.Text();
  const std::size_t talk = text.find("hello there\r");
  ASSERT_NE(talk, std::string::npos);
  EXPECT_EQ(text.substr(talk + 12), "+++ATH\r");
  const std::vector<int64_t> escape = log.TimesOf("+++", talk);
  ASSERT_EQ(escape.size(), 3u);
  EXPECT_GE(escape[1] - escape[0], 90);
  EXPECT_GE(escape[2] - escape[1], 90);
  EXPECT_EQ(log.events, (std::vector<std::string>{"ready", "hangup", "connect", "command-mode", "hangup"}));
}

TEST_F(ModemPtyTest, ANumberThatDoesNotAnswerLeavesNoCarrierForTheSession) {
  selection.ListSerialPorts();
  serial.ConnectionPort = -1;
  selection.OpenSelectedSerialPort();
  ASSERT_EQ(serial.Connected, 1);
  modem.DialRequest = 1;
  modem.DialNumber = "555-0000";
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunModem(20000);
  EXPECT_NE(ReadPortFor("NO CARRIER", 3000).find("NO CARRIER"), std::string::npos);
  EXPECT_EQ(Log().events, (std::vector<std::string>{"ready", "hangup"}));
  EXPECT_NE(host.IndexOf("dialing 555-0000"), -1);
}

}  // namespace
}  // namespace korvane
