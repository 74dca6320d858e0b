// Serial sessions in the program, on ports in memory and the fake clock: the
// port opened at start-up with the session's line settings and its greeting,
// bytes both ways through the session's connection, the refusals, a device
// that goes away, the menus that follow the active session and its kind, the
// port menu, and a modem dialled, answered and hung up by the main loop's
// turns (never by a wait that holds the loop) also when its window closes or
// the program quits.

#include <cerrno>

#include "app/AppFixture.h"
#include "connection/SerialMenuItems.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

using fakes::SerialPortRecord;

platform::MenuDescription MenuOf(int number, int items) {
  platform::MenuDescription m{number, "menu " + std::to_string(number), {}};
  for (int i = 1; i <= items; ++i) m.items.push_back({"item " + std::to_string(i)});
  return m;
}

// A session on serial port `port` (1-based in the list ttyS0, ttyS1,
// ttyUSB0, and a modem ttyACM0 where a test adds it).
std::function<void(SessionOptions&)> SerialSession(int port, int32_t baud = 9600) {
  return [port, baud](SessionOptions& o) {
    o.UsesPty = 0;
    o.TelnetSession = o.SshSession = o.LocalShellSession = 0;
    o.ConnectionPort = static_cast<int16_t>(-port);
    o.BaudRate = baud;
    o.SerialPortList = "ttyS0,ttyS1,ttyUSB0,";
    o.ConfirmClose = 0;
  };
}

// A session on the modem, ttyACM0, listed after the three ports.
std::function<void(SessionOptions&)> ModemSession() {
  return [](SessionOptions& o) {
    SerialSession(4)(o);
    o.SerialPortList = "ttyS0,ttyS1,ttyUSB0,ttyACM0,";
  };
}

// A Hayes modem on the far end of a port: "OK" to each command line, "OK"
// to "+++", and, when `answers`, "CONNECT 9600" to a dial.
void MakeModem(SerialPortRecord& r, bool answers) {
  auto line = std::make_shared<std::string>();
  r.farEnd = [line, answers](SerialPortRecord& port, char c) {
    *line += c;
    if (line->size() >= 3 && line->compare(line->size() - 3, 3, "+++") == 0) {
      port.Feed("\r\nOK\r\n");
      line->clear();
    } else if (c == '\r') {
      if (line->rfind("ATD", 0) == 0) {
        if (answers) port.Feed("\r\nCONNECT 9600\r\n");
      } else if (line->rfind("AT", 0) == 0) {
        port.Feed("\r\nOK\r\n");
      }
      line->clear();
    }
  };
}

class SerialSessionTest : public AppFixture {
 protected:
  SerialSessionTest() {
    menus.AddMenu(MenuOf(platform::kDialerMenu, 13));
    menus.AddMenu(MenuOf(platform::kPortSettingsMenu, 20));
    menus.AddMenu(MenuOf(kFlowControlMenu, 3));
    menus.AddMenu(MenuOf(kSerialFormatMenu, 5));
  }
  // Starts the program with the serial session `edit` describes.
  void StartSerial(const std::function<void(SessionOptions&)>& edit) {
    WriteDocument(files, "/docs/serial", edit);
    Start({"/docs/serial"});
  }
  SerialPortRecord* Port(const std::string& name) {
    auto r = serialPorts.Last("/dev/" + name);
    return r.get();
  }
  // Runs turns until `done` holds (at most `limit` turns).
  bool TurnUntil(const std::function<bool()>& done, int limit = 5000) {
    for (int i = 0; i < limit && !done() && !app->Finished(); ++i) app->Turn();
    return done();
  }
  std::vector<int> Marked(int menu, int last = 0) {
    std::vector<int> out;
    for (int i = 1; i <= (last ? last : menus.CountItems(menu)); ++i)
      if (menus.ItemMarked(menu, i)) out.push_back(i);
    return out;
  }
  // The marked items among the Port Settings menu's baud rates (1 to 11).
  std::vector<int> BaudMarked() { return Marked(platform::kPortSettingsMenu, 11); }
  std::vector<int> Enabled(int menu, int last) {
    std::vector<int> out;
    for (int i = 1; i <= last; ++i)
      if (menus.ItemEnabled(menu, i)) out.push_back(i);
    return out;
  }
  bool ScreenShows(int window, const std::string& text) {
    for (int r = 1; r <= 24; ++r)
      if (Row(window, r).find(text) != std::string::npos) return true;
    return false;
  }
  // The longest the clock moved in one turn over `turns` turns.
  int64_t LongestTurn(int turns) {
    int64_t longest = 0;
    for (int i = 0; i < turns && !app->Finished(); ++i) {
      const int64_t t0 = clock.Milliseconds();
      app->Turn();
      longest = std::max(longest, clock.Milliseconds() - t0);
    }
    return longest;
  }
  void AddModem() { serialPorts.AddPort("ttyACM0", "usb-U.S.Robotics_USB_Modem_0001-if00"); }
};

TEST_F(SerialSessionTest, ASerialSessionOpensItsPortAtStartAndTalksToTheHostThroughIt) {
  StartSerial([](SessionOptions& o) {
    SerialSession(2, 19200)(o);
    o.Parity = 2;
    o.DataBits = 0;
    o.XonXoffOn = 1;
  });
  SerialPortRecord* port = Port("ttyS1");
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->calls.front(), "open 19200 7E1");
  EXPECT_EQ(port->flow, platform::SerialFlowControl::XonXoff);
  EXPECT_TRUE(ScreenShows(48, "Ready for communications at 19200 Baud"));
  EXPECT_TRUE(alerts.shown.empty()) << alerts.shown.front().text;
  Session& s = Window(48).session;
  EXPECT_EQ(s.conn.ConnectionIsOpen(), 1);
  EXPECT_EQ(s.window.ConnectionWord, "Serial Port ttyS1");
  // The open connection's mark ends the title.
  EXPECT_EQ(windows.Title(48).back(), '\xA5');

  windows.UserTypes(48, "ls\r");
  Turns(3);
  EXPECT_EQ(port->written.substr(port->written.size() - 3), "ls\r");
  port->Feed("hello from the host\r\n");
  Turns(3);
  EXPECT_TRUE(ScreenShows(48, "hello from the host"));

  // The menus show the session's line: the Baud items enabled with 19200
  // checked, its port, Xon/Xoff, 7 data bits and even parity.
  EXPECT_EQ(Enabled(platform::kPortSettingsMenu, 11), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(BaudMarked(), std::vector<int>{6});
  EXPECT_EQ(Marked(platform::kSerialPortMenu), std::vector<int>{2});
  EXPECT_EQ(Marked(kFlowControlMenu), std::vector<int>{1});
  EXPECT_EQ(Marked(kSerialFormatMenu), (std::vector<int>{1, 4}));

  // A speed chosen in the menu is applied to the open port in place.
  Window(48).services.serial.ChooseBaudRate(10);
  Turns(2);
  EXPECT_EQ(port->calls.back(), "flow xonxoff");
  EXPECT_EQ(fakes::RecordingSerialPort::Describe(port->settings), "115200 7E1");
  EXPECT_EQ(BaudMarked(), std::vector<int>{10});
  EXPECT_EQ(serialPorts.opened.size(), 1u);
}

TEST_F(SerialSessionTest, APortListThatChangedOrAPortHeldByAnotherWindowIsNotOpened) {
  // The settings remember the ports in another order: the user is told and
  // chooses again.
  StartSerial([](SessionOptions& o) {
    SerialSession(1)(o);
    o.SerialPortList = "ttyS1,ttyS0,ttyUSB0,";
  });
  EXPECT_EQ(AlertsWith("Available serial ports\rhas changed. Please select a new serial port from the Settings Menu"),
            1);
  EXPECT_TRUE(serialPorts.opened.empty());
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 0);

  // Chosen in the port menu, it opens; a second window on the same settings
  // finds it held by the first.
  Menu(platform::kSerialPortMenu, 1);
  Turns(2);
  ASSERT_NE(Port("ttyS0"), nullptr);
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 1);
  EXPECT_EQ(Window(48).session.window.WindowTitle.substr(0, 28), "Korvane Using Serial Port tt");
  alerts.shown.clear();
  Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
  Turns(3);
  ASSERT_EQ(app->windows.Count(), 2);
  EXPECT_EQ(AlertsWith("ttyS0 port is in use"), 1);
  EXPECT_EQ(Window(49).session.conn.ConnectionIsOpen(), 0);
  EXPECT_EQ(Window(49).session.conn.ConnectionPort, 0);
  EXPECT_EQ(serialPorts.opened.size(), 1u);
  EXPECT_FALSE(Port("ttyS0")->closed);
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 1);
}

TEST_F(SerialSessionTest, AnUnpluggedAdapterClosesTheConnectionWithALineInTheWindowAndNothingSpins) {
  StartSerial(SerialSession(3));
  SerialPortRecord* port = Port("ttyUSB0");
  ASSERT_NE(port, nullptr);
  // The adapter is pulled out: its device goes, and with it the file.
  port->ended = true;
  serialPorts.openErrors["/dev/ttyUSB0"] = ENOENT;
  Turns(3);
  EXPECT_TRUE(ScreenShows(48, "The serial port has gone away; the connection is closed: ttyUSB0")) << Row(48, 4);
  EXPECT_TRUE(alerts.shown.empty()) << alerts.shown.front().text;
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 0);
  EXPECT_NE(windows.Title(48).back(), '\xA5');
  EXPECT_TRUE(port->closed);
  // Nothing tries again, and the loop waits its whole slice without a
  // connection to watch.
  pump.waitedTicks.clear();
  pump.watched.clear();
  const int listCalls = serialPorts.listCalls;
  Turns(50);
  EXPECT_EQ(serialPorts.listCalls, listCalls);
  for (size_t i = 0; i < pump.watched.size(); ++i) {
    EXPECT_EQ(pump.watched[i], nullptr);
    EXPECT_GE(pump.waitedTicks[i], 1);
  }
  // Plugged in again, Open Connection opens it.
  serialPorts.openErrors.clear();
  Menu(platform::kConnectionMenu, platform::kConnectionOpenItem);
  Turns(3);
  ASSERT_EQ(serialPorts.opened.size(), 2u);
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 1);
  EXPECT_EQ(windows.Title(48).back(), '\xA5');
}

TEST_F(SerialSessionTest, TheMenusFollowTheActiveSessionAndAKindSwitchedToTheSerialLineOpensItsPort) {
  WriteDocument(files, "/docs/serial", SerialSession(2, 2400));
  WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
  Start({"/docs/serial", "/docs/local"});
  Turns(3);
  ASSERT_EQ(app->windows.Count(), 2);
  ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  // A local session: no speed to choose.
  EXPECT_TRUE(Enabled(platform::kPortSettingsMenu, 11).empty());
  EXPECT_TRUE(BaudMarked().empty());
  windows.UserActivates(48);
  Turns(3);
  EXPECT_EQ(Enabled(platform::kPortSettingsMenu, 11).size(), 11u);
  EXPECT_EQ(BaudMarked(), std::vector<int>{3});
  EXPECT_EQ(Marked(platform::kSerialPortMenu), std::vector<int>{2});

  // Window 49 is switched to the serial line as the Connection menu does it:
  // its connection closed, the kind flags changed, a port named.
  windows.UserActivates(49);
  Turns(3);
  SessionWindow& local = Window(49);
  local.CloseConnection();
  local.session.Opt.UsesPty = 0;
  local.session.Opt.LocalShellSession = 0;
  local.session.Opt.ConnectionPort = -3;
  local.session.Opt.SerialPortList.clear();
  Turns(3);
  ASSERT_NE(Port("ttyUSB0"), nullptr);
  EXPECT_EQ(local.session.conn.ConnectionIsOpen(), 1);
  EXPECT_EQ(local.session.window.WindowTitle, "Korvane Using Serial Port ttyUSB0 \xA5");
  EXPECT_EQ(Enabled(platform::kPortSettingsMenu, 11).size(), 11u);
  EXPECT_EQ(Marked(platform::kSerialPortMenu), std::vector<int>{3});
  // And back to a local shell: the port is closed.
  local.CloseConnection();
  local.session.Opt.UsesPty = 1;
  local.session.Opt.LocalShellSession = 1;
  Turns(3);
  EXPECT_TRUE(Port("ttyUSB0")->closed);
  EXPECT_TRUE(Enabled(platform::kPortSettingsMenu, 11).empty());
}

TEST_F(SerialSessionTest, ClosingAModemConnectionHangsUpOverTheLoopsTurnsBeforeThePortCloses) {
  AddModem();
  StartSerial(ModemSession());
  SerialPortRecord* port = Port("ttyACM0");
  ASSERT_NE(port, nullptr);
  MakeModem(*port, true);
  port->TakeWritten();

  Menu(platform::kConnectionMenu, platform::kConnectionCloseItem);
  Turns(1);
  // The session counts as closed at once; the modem is hung up meanwhile.
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 0);
  EXPECT_NE(windows.Title(48).back(), '\xA5');
  EXPECT_FALSE(port->closed);
  EXPECT_LE(LongestTurn(20), 100);
  ASSERT_TRUE(TurnUntil([&] { return port->closed; }));
  EXPECT_EQ(port->written, "+++ATH\r");
  // The modem's answers were examined, not shown.
  EXPECT_FALSE(ScreenShows(48, "OK"));
  // The '+' go out 100 ms apart (the loop wakes within a tick of the time).
  for (int i = 1; i <= 2; ++i) {
    EXPECT_GE(port->writtenAtMs[i] - port->writtenAtMs[i - 1], 100);
    EXPECT_LT(port->writtenAtMs[i] - port->writtenAtMs[i - 1], 117);
  }
}

TEST_F(SerialSessionTest, AnotherPortChosenWhileTheModemHangsUpStaysOpen) {
  AddModem();
  StartSerial(ModemSession());
  SerialPortRecord* modem = Port("ttyACM0");
  ASSERT_NE(modem, nullptr);
  MakeModem(*modem, true);
  Menu(platform::kConnectionMenu, platform::kConnectionCloseItem);
  Turns(2);
  ASSERT_FALSE(modem->closed);
  // The user does not wait for the hang-up and chooses ttyS0.
  Menu(platform::kSerialPortMenu, 1);
  Turns(2);
  EXPECT_TRUE(modem->closed);
  SerialPortRecord* other = Port("ttyS0");
  ASSERT_NE(other, nullptr);
  Turns(1000);  // longer than any hang-up
  // Nothing of the modem's hang-up reached the new port.
  EXPECT_EQ(other->written.find('+'), std::string::npos) << other->written;
  EXPECT_EQ(other->written.find("ATH"), std::string::npos) << other->written;
  EXPECT_FALSE(other->closed);
  EXPECT_EQ(Window(48).session.conn.ConnectionIsOpen(), 1);
  EXPECT_EQ(Marked(platform::kSerialPortMenu), std::vector<int>{1});
}

TEST_F(SerialSessionTest, AModemWhoseWindowClosesIsHungUpAfterTheWindowHasGone) {
  AddModem();
  WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
  WriteDocument(files, "/docs/modem", ModemSession());
  Start({"/docs/local", "/docs/modem"});
  Turns(3);
  ASSERT_EQ(app->windows.Count(), 2);
  SerialPortRecord* port = Port("ttyACM0");
  ASSERT_NE(port, nullptr);
  MakeModem(*port, true);
  port->TakeWritten();
  windows.UserCloses(49);
  Turns(1);
  ASSERT_EQ(app->windows.Count(), 1);
  EXPECT_FALSE(port->closed);
  ASSERT_TRUE(TurnUntil([&] { return port->closed; }));
  EXPECT_EQ(port->written, "+++ATH\r");
}

TEST_F(SerialSessionTest, QuittingHangsTheModemUpFirst) {
  AddModem();
  StartSerial(ModemSession());
  SerialPortRecord* port = Port("ttyACM0");
  ASSERT_NE(port, nullptr);
  MakeModem(*port, true);
  port->TakeWritten();
  Menu(platform::kAppMenu, platform::kAppQuitItem);
  Turns(1);
  ASSERT_TRUE(app->Finished());
  EXPECT_EQ(port->written, "+++ATH\r");
  EXPECT_TRUE(port->closed);
  EXPECT_TRUE(ScreenShows(48, "Modem disconnecting. Please wait..."));
}

TEST_F(SerialSessionTest, ADialFromAQuickDialServiceTalksToTheModemThenTheHost) {
  AddModem();
  StartSerial(ModemSession());
  SerialPortRecord* port = Port("ttyACM0");
  ASSERT_NE(port, nullptr);
  MakeModem(*port, true);
  port->TakeWritten();
  files.files["/prefs/QuickDial/Office.kvdial"] = "555-0100\n";
  fileDialogs.answers.push_back(std::string("/prefs/QuickDial/Office.kvdial"));

  SessionWindow& w = Window(48);
  w.services.serial.DialFromQuickDialFile();
  ASSERT_TRUE(TurnUntil([&] { return port->written.find("ATDT555-0100\r") != std::string::npos; }));
  ASSERT_EQ(fileDialogs.asked.size(), 1u);
  EXPECT_EQ(fileDialogs.asked[0].kinds, std::vector<platform::FileKind>{platform::FileKind::QuickDial});
  // Init string with the DTR command, then the dial; the modem's answers
  // never reached the screen.
  EXPECT_NE(port->written.find("AT&D1&F%C1\r"), std::string::npos) << port->written;
  EXPECT_FALSE(ScreenShows(48, "OK"));
  // Each turn is short: the dial is stepped, not waited out.
  ASSERT_TRUE(TurnUntil([&] { return !app->serialLines.For(w)->Busy(); }));
  port->Feed("login: ");
  Turns(3);
  EXPECT_TRUE(ScreenShows(48, "login:"));
  windows.UserTypes(48, "guest\r");
  Turns(3);
  EXPECT_EQ(port->written.substr(port->written.size() - 6), "guest\r");
}

TEST_F(SerialSessionTest, KeysTypedWhileTheModemIsTalkedToAreHeldBackUntilTheAnswerIsAwaited) {
  AddModem();
  StartSerial(ModemSession());
  SerialPortRecord* port = Port("ttyACM0");
  ASSERT_NE(port, nullptr);
  MakeModem(*port, false);  // the far end never answers the dial
  files.files["/prefs/Quickdial"] = "555-0199\n";
  SessionWindow& w = Window(48);
  w.services.serial.Dial();
  Turns(2);
  port->TakeWritten();
  // Typed into the middle of the modem's commands: refused with the bell.
  const int beeps = sounds.beeps;
  windows.UserTypes(48, "z");
  Turns(1);
  EXPECT_EQ(port->written.find('z'), std::string::npos);
  EXPECT_EQ(sounds.beeps, beeps + 1);
  ASSERT_TRUE(TurnUntil([&] { return port->written.find("ATDT555-0199\r") != std::string::npos; }));
  Turns(60);  // into the wait for the far end, which would last a minute
  ASSERT_TRUE(app->serialLines.For(w)->Busy());
  port->TakeWritten();
  windows.UserTypes(48, "x");
  Turns(1);
  // The key ended the wait and went to the host.
  EXPECT_FALSE(app->serialLines.For(w)->Busy());
  EXPECT_EQ(port->written, "x");
}

TEST_F(SerialSessionTest, ABreakHoldsTheLineWhileTheLoopGoesOn) {
  StartSerial(SerialSession(1));
  SerialPortRecord* port = Port("ttyS0");
  ASSERT_NE(port, nullptr);
  app->requests.RequestSendBreak = 1;
  Turns(1);
  ASSERT_TRUE(port->breakOn);
  const int64_t on = port->callAtMs.back();
  EXPECT_LE(LongestTurn(5), 20);
  ASSERT_TRUE(TurnUntil([&] { return !port->breakOn; }));
  const int64_t held = port->callAtMs.back() - on;
  EXPECT_GE(held, 270);
  EXPECT_LE(held, 290);
}

TEST_F(SerialSessionTest, ASessionOnAPseudoTerminalCannotDialOrChooseAPort) {
  StartLocal();
  Window(48).services.serial.Dial();
  EXPECT_EQ(AlertsWith("Cannot Dial unless Serial / Modem is selected.\r(Look under the Connection Menu)"), 1);
  Menu(platform::kSerialPortMenu, 2);
  Turns(1);
  EXPECT_EQ(AlertsWith("Must enable Serial / modem first!"), 1);
  EXPECT_TRUE(serialPorts.opened.empty());
  // The port menu lists the machine's ports all the same.
  EXPECT_EQ(menus.CountItems(platform::kSerialPortMenu), 3);
}

}  // namespace
}  // namespace korvane::testing
