// Choosing and opening a session's serial port, and the menu items that
// follow the connection, on ports and menus in memory.

#include <gtest/gtest.h>

#include <cerrno>

#include "connection/SerialLineCodes.h"
#include "connection/SerialMenuItems.h"
#include "connection/SerialPortSelection.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingSerialPorts.h"
#include "platform/Menus.h"
#include "platform/MenuNumbers.h"

namespace korvane {
namespace {

using platform::MemoryMenus;
using platform::MenuDescription;

MenuDescription MenuOf(int number, int items) {
  MenuDescription m;
  m.number = number;
  for (int i = 1; i <= items; ++i) m.items.push_back({"item " + std::to_string(i)});
  return m;
}

// The items of a menu that carry the check mark.
std::vector<int> Marked(const MemoryMenus& menus, int menu) {
  std::vector<int> out;
  for (int i = 1; i <= menus.CountItems(menu); ++i)
    if (menus.ItemMarked(menu, i)) out.push_back(i);
  return out;
}

std::vector<std::string> Texts(const MemoryMenus& menus, int menu) {
  std::vector<std::string> out;
  for (int i = 1; i <= menus.CountItems(menu); ++i) out.push_back(menus.ItemText(menu, i));
  return out;
}

class SerialSelectionTest : public ::testing::Test {
 protected:
  SerialSelectionTest() {
    menus.AddMenu(MenuOf(platform::kPortSettingsMenu, 20));
    menus.AddMenu(MenuOf(platform::kConnectionMenu, 15));
    menus.AddMenu(MenuOf(platform::kWindowMenu, 17));
    menus.AddMenu(MenuOf(platform::kSerialPortMenu, 0));
    menus.AddMenu(MenuOf(kFlowControlMenu, 3));
    menus.AddMenu(MenuOf(kSerialFormatMenu, 5));
    ports.AddPort("ttyS0");
    ports.AddPort("ttyUSB0", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    Opt.UsesPty = 0;
    Opt.BaudRate = 9600;
    Opt.DataBits = 1;
  }

  // Lists the ports as the settings remember them and chooses port n.
  void ChoosePort(int n) {
    Opt.SerialPortList = "ttyS0,ttyUSB0,";
    selection.ListSerialPorts();
    serial.ConnectionPort = static_cast<int16_t>(-n);
  }
  std::vector<std::string> AlertTexts() const {
    std::vector<std::string> out;
    for (const auto& a : alerts.shown) out.push_back(a.text);
    return out;
  }

  fakes::FakeClock clock;
  fakes::RecordingSerialPorts ports{&clock};
  SerialFiles files{ports};
  SessionOptions Opt;
  SerialSession serial{files};
  fakes::FakeAlerts alerts;
  MemoryMenus menus;
  SerialPortSelection selection{Opt, serial, alerts, menus};
};

TEST_F(SerialSelectionTest, ListingFillsThePortMenuWithNamesAndStableNames) {
  Opt.SerialPortList = "ttyS0,ttyUSB0,";
  serial.ConnectionPort = -2;
  selection.ListSerialPorts();
  EXPECT_EQ(Texts(menus, platform::kSerialPortMenu),
            (std::vector<std::string>{"ttyS0", "ttyUSB0  (usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0)"}));
  EXPECT_EQ(Marked(menus, platform::kSerialPortMenu), (std::vector<int>{2}));
  EXPECT_TRUE(menus.ItemMarked(platform::kConnectionMenu, kSerialConnectionItem));
  EXPECT_EQ(serial.PortListChanged, 0);
  EXPECT_TRUE(alerts.shown.empty());

  // A second listing replaces the items instead of adding to them.
  selection.ListSerialPorts();
  EXPECT_EQ(menus.CountItems(platform::kSerialPortMenu), 2);
}

TEST_F(SerialSelectionTest, PortsThatDifferFromTheRememberedListAreReported) {
  const struct {
    const char* remembered;
    bool changed;
  } cases[] = {
      {"ttyS0,ttyUSB0,", false},         // as written by the settings
      {"", false},                       // nothing remembered
      {"ttyUSB0,ttyS0,", true},          // the same ports in another order
      {"ttyS0,", true},                  // one more port now
      {"ttyS0,ttyUSB0,ttyUSB1,", true},  // one port fewer
  };
  for (const auto& c : cases) {
    alerts.shown.clear();
    Opt.SerialPortList = c.remembered;
    selection.ListSerialPorts();
    EXPECT_EQ(serial.PortListChanged, c.changed ? 1 : 0) << c.remembered;
    EXPECT_EQ(AlertTexts(), c.changed ? std::vector<std::string>{"Available serial ports\rhas changed. Please select a "
                                                                 "new serial port from the Settings Menu"}
                                      : std::vector<std::string>{})
        << c.remembered;
  }
}

TEST_F(SerialSelectionTest, AChangedListOpensNothingUntilAPortIsChosen) {
  Opt.SerialPortList = "ttyUSB0,ttyS0,";
  serial.ConnectionPort = -1;
  selection.ListSerialPorts();
  alerts.shown.clear();
  selection.OpenSelectedSerialPort();
  EXPECT_TRUE(ports.opened.empty());
  EXPECT_EQ(serial.ConnectionOpen, 0);
  EXPECT_TRUE(alerts.shown.empty());

  // Choosing from the menu is the answer the warning asked for.
  const auto choice = selection.DoSerialPortMenu(1, [] { return true; });
  EXPECT_TRUE(choice.opened);
  EXPECT_EQ(serial.Connected, 1);
}

TEST_F(SerialSelectionTest, NoPortsAtAll) {
  ports.ports.clear();
  serial.ConnectionPort = -1;
  selection.ListSerialPorts();
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"No Serial Ports Available."});
  EXPECT_EQ(serial.PortListChanged, 1);
  EXPECT_EQ(serial.ConnectionPort, 0);
  EXPECT_EQ(menus.CountItems(platform::kSerialPortMenu), 0);
}

TEST_F(SerialSelectionTest, AThirteenthPortIsNotListed) {
  ports.ports.clear();
  for (int i = 0; i < 13; ++i) ports.AddPort("ttyUSB" + std::to_string(i));
  selection.ListSerialPorts();
  EXPECT_EQ(menus.CountItems(platform::kSerialPortMenu), 12);
  EXPECT_EQ(menus.ItemText(platform::kSerialPortMenu, 12), "ttyUSB11");
}

TEST_F(SerialSelectionTest, NoPortChosen) {
  ChoosePort(2);
  menus.MarkItem(platform::kSerialPortMenu, 2, true);
  serial.ConnectionPort = 0;
  selection.OpenSelectedSerialPort();
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Please select a serial port from the Settings Menu"});
  EXPECT_TRUE(Marked(menus, platform::kSerialPortMenu).empty());
  EXPECT_EQ(serial.ConnectionOpen, 0);
  EXPECT_TRUE(ports.opened.empty());
}

TEST_F(SerialSelectionTest, OpensThePortWithTheSessionsLineAndFlowControl) {
  const struct {
    int16_t xonXoffOn;
    platform::SerialFlowControl flow;
  } cases[] = {{0, platform::SerialFlowControl::None},
               {1, platform::SerialFlowControl::XonXoff},
               {2, platform::SerialFlowControl::RtsCts}};
  for (const auto& c : cases) {
    serial.CloseSerialFile();
    ChoosePort(2);
    Opt.BaudRate = 0;
    Opt.Parity = 2;
    Opt.DataBits = 0;
    Opt.XonXoffOn = c.xonXoffOn;
    selection.OpenSelectedSerialPort();
    ASSERT_EQ(serial.Connected, 1);
    const auto record = ports.opened.back();
    EXPECT_EQ(record->request.path, "/dev/ttyUSB0");
    // A speed of 0 opens at 9600, which the session keeps.
    EXPECT_EQ(fakes::RecordingSerialPort::Describe(record->settings), "9600 7E1");
    EXPECT_EQ(Opt.BaudRate, 9600);
    EXPECT_EQ(record->request.inputBufferSize, 30000u);
    EXPECT_EQ(record->flow, c.flow);
    EXPECT_EQ(serial.ConnectionOpen, 1);
    EXPECT_EQ(serial.LastOpenedPort, -2);
    EXPECT_EQ(serial.SerialPortName, "available");
    EXPECT_TRUE(alerts.shown.empty());
  }
}

TEST_F(SerialSelectionTest, APortOpenInAnotherSessionIsRefused) {
  SerialSession other{files};
  SerialPortSelection otherSelection{Opt, other, alerts, menus};
  ChoosePort(2);
  other.ConnectionPort = -2;
  otherSelection.OpenSelectedSerialPort();
  ASSERT_EQ(other.Connected, 1);

  selection.OpenSelectedSerialPort();
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"ttyUSB0 port is in use"});
  EXPECT_EQ(serial.ConnectionPort, 0);
  EXPECT_EQ(serial.ConnectionOpen, 0);
  EXPECT_EQ(serial.Connected, 0);
  EXPECT_EQ(ports.opened.size(), 1u);
  EXPECT_FALSE(ports.opened[0]->closed);
}

TEST_F(SerialSelectionTest, AFailedOpenExplainsWhyAndLeavesThePortClosed) {
  const struct {
    int32_t rate;
    std::vector<std::string> alerts;
  } cases[] = {
      {9600, {"The port is in use and cannot be opened.\r/dev/ttyUSB0: Permission denied"}},
      {230400,
       {"Error! The serial device you are connecting to may not support 230400 baud.",
        "The port is in use and cannot be opened.\r/dev/ttyUSB0: Permission denied"}},
  };
  ports.openErrors["/dev/ttyUSB0"] = EACCES;
  for (const auto& c : cases) {
    alerts.shown.clear();
    ChoosePort(2);
    Opt.BaudRate = c.rate;
    selection.OpenSelectedSerialPort();
    EXPECT_EQ(AlertTexts(), c.alerts) << c.rate;
    EXPECT_EQ(serial.ConnectionOpen, 0);
    EXPECT_EQ(serial.Connected, 0);
    EXPECT_EQ(serial.File(), nullptr);
    EXPECT_FALSE(files.IsOpen(2));
  }
}

TEST_F(SerialSelectionTest, AnOpenPortTakesNewSettingsInPlace) {
  ChoosePort(2);
  Opt.XonXoffOn = 1;
  selection.OpenSelectedSerialPort();
  const auto record = ports.opened.back();
  record->Feed("not yet read");

  selection.ChooseBaudRate(7);
  EXPECT_EQ(Opt.BaudRate, 28800);
  ASSERT_EQ(ports.opened.size(), 1u);
  EXPECT_FALSE(record->closed);
  EXPECT_EQ(fakes::RecordingSerialPort::Describe(record->settings), "28800 8N1");
  EXPECT_EQ(record->flow, platform::SerialFlowControl::XonXoff);
  EXPECT_EQ(serial.Link()->Waiting(), 12);
  EXPECT_EQ(Marked(menus, platform::kPortSettingsMenu), (std::vector<int>{7}));
  EXPECT_EQ(serial.Connected, 1);
}

TEST_F(SerialSelectionTest, ASettingThePortRefusesClosesIt) {
  ChoosePort(2);
  selection.OpenSelectedSerialPort();
  const auto record = ports.opened.back();
  record->configureError = EINVAL;
  selection.ChooseBaudRate(11);
  EXPECT_TRUE(record->closed);
  EXPECT_EQ(serial.Connected, 0);
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_EQ(alerts.shown[0].text, "Error! The serial device you are connecting to may not support 230400 baud.");
}

TEST_F(SerialSelectionTest, APortThatWentAwayIsOpenedAgain) {
  ChoosePort(2);
  selection.OpenSelectedSerialPort();
  const auto first = ports.opened.back();
  first->ended = true;
  selection.OpenSelectedSerialPort();
  ASSERT_EQ(ports.opened.size(), 2u);
  EXPECT_TRUE(first->closed);
  EXPECT_FALSE(ports.opened[1]->closed);
  EXPECT_EQ(serial.Connected, 1);
}

TEST_F(SerialSelectionTest, TheIdleCheckReopensAnUnpluggedPortOrSaysWhyItCannot) {
  ChoosePort(2);
  selection.OpenSelectedSerialPort();
  selection.CheckSerialPort();
  EXPECT_EQ(ports.opened.size(), 1u);

  // Plugged in again at once: the session goes on with the new device.
  ports.opened.back()->ended = true;
  selection.CheckSerialPort();
  ASSERT_EQ(ports.opened.size(), 2u);
  EXPECT_EQ(serial.Connected, 1);
  EXPECT_TRUE(alerts.shown.empty());

  // Gone for good.
  ports.opened.back()->ended = true;
  ports.openErrors["/dev/ttyUSB0"] = ENOENT;
  selection.CheckSerialPort();
  EXPECT_EQ(serial.Connected, 0);
  EXPECT_EQ(serial.File(), nullptr);
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{
                              "The port is in use and cannot be opened.\r/dev/ttyUSB0: No such file or directory"});
}

TEST_F(SerialSelectionTest, TheIdleCheckReportsOutputTheLineDidNotTake) {
  ChoosePort(2);
  selection.OpenSelectedSerialPort();
  ports.opened.back()->refused = 200;
  selection.CheckSerialPort();
  selection.CheckSerialPort();
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"The serial port is not taking output:\r200 bytes were not sent."});
  EXPECT_EQ(serial.Connected, 1);
}

TEST_F(SerialSelectionTest, SerialFormatAndFlowControlChoices) {
  ChoosePort(1);
  selection.OpenSelectedSerialPort();
  const auto record = ports.opened.back();
  const struct {
    int item;
    int16_t dataBits, parity;
    const char* line;
    std::vector<int> marked;
  } formats[] = {
      {1, 0, 0, "9600 7N1", {1}},    {4, 0, 2, "9600 7E1", {1, 4}}, {2, 1, 2, "9600 8E1", {2, 4}},
      {5, 1, 1, "9600 8O1", {2, 5}}, {3, 1, 0, "9600 8N1", {2, 3}},
  };
  for (const auto& f : formats) {
    selection.ChooseSerialFormat(f.item);
    EXPECT_EQ(Opt.DataBits, f.dataBits) << f.item;
    EXPECT_EQ(Opt.Parity, f.parity) << f.item;
    EXPECT_EQ(fakes::RecordingSerialPort::Describe(record->settings), f.line) << f.item;
    EXPECT_EQ(Marked(menus, kSerialFormatMenu), f.marked) << f.item;
  }
  const struct {
    int item;
    int16_t value;
    platform::SerialFlowControl flow;
  } flows[] = {{1, 1, platform::SerialFlowControl::XonXoff},
               {2, 2, platform::SerialFlowControl::RtsCts},
               {3, 0, platform::SerialFlowControl::None}};
  for (const auto& f : flows) {
    selection.ChooseFlowControl(f.item);
    EXPECT_EQ(Opt.XonXoffOn, f.value);
    EXPECT_EQ(record->flow, f.flow);
    EXPECT_EQ(Marked(menus, kFlowControlMenu), std::vector<int>{f.item});
  }
  EXPECT_EQ(ports.opened.size(), 1u);
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(SerialSelectionTest, ThePortMenuOnAPseudoTerminalSessionOnlyExplains) {
  Opt.UsesPty = 1;
  bool closed = false;
  const auto choice = selection.DoSerialPortMenu(1, [&] { return closed = true; });
  EXPECT_FALSE(choice.opened);
  EXPECT_FALSE(closed);
  EXPECT_EQ(AlertTexts(),
            std::vector<std::string>{"Must enable Serial / modem first!\r(Look under the Connection Menu)."});
}

TEST_F(SerialSelectionTest, ACancelledCloseKeepsTheConnection) {
  ChoosePort(1);
  selection.OpenSelectedSerialPort();
  const auto choice = selection.DoSerialPortMenu(2, [] { return false; });
  EXPECT_FALSE(choice.opened);
  EXPECT_EQ(serial.ConnectionPort, -1);
  EXPECT_EQ(serial.Connected, 1);
  EXPECT_FALSE(ports.opened.back()->closed);
}

TEST_F(SerialSelectionTest, ChoosingAPortOpensItAndDropsWhatItHadBuffered) {
  ChoosePort(1);
  selection.OpenSelectedSerialPort();
  ports.pendingInput["/dev/ttyUSB0"] = "line noise";
  const auto choice = selection.DoSerialPortMenu(2, [] { return true; });
  EXPECT_TRUE(choice.opened);
  EXPECT_EQ(choice.connectionWord, "Serial Port ttyUSB0");
  EXPECT_EQ(serial.ConnectionPort, -2);
  EXPECT_TRUE(ports.opened[0]->closed);
  EXPECT_EQ(ports.opened.back()->request.path, "/dev/ttyUSB0");
  EXPECT_EQ(serial.Link()->Waiting(), 0);
  EXPECT_EQ(Marked(menus, platform::kSerialPortMenu), std::vector<int>{2});
}

TEST_F(SerialSelectionTest, APortThatCannotBeOpenedLeavesThePreviousChoice) {
  ChoosePort(1);
  selection.OpenSelectedSerialPort();
  menus.MarkItem(platform::kSerialPortMenu, 1, true);
  ports.openErrors["/dev/ttyUSB0"] = EBUSY;
  const auto choice = selection.DoSerialPortMenu(2, [] { return true; });
  EXPECT_FALSE(choice.opened);
  EXPECT_EQ(serial.ConnectionPort, -1);
  EXPECT_EQ(serial.Connected, 0);
  EXPECT_EQ(Marked(menus, platform::kSerialPortMenu), std::vector<int>{1});
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{
                              "The port is in use and cannot be opened.\r/dev/ttyUSB0: Device or resource busy"});
}

TEST_F(SerialSelectionTest, AChoiceFollowsItsPortWhenTheListChangedMeanwhile) {
  ChoosePort(1);
  // The menu shows ttyS0 and ttyUSB0; a new adapter sorts in before them.
  ports.ports.insert(ports.ports.begin(), {"ttyACM0", "/dev/ttyACM0", {}});
  const auto choice = selection.DoSerialPortMenu(2, [] { return true; });
  EXPECT_TRUE(choice.opened);
  EXPECT_EQ(serial.ConnectionPort, -3);
  EXPECT_EQ(ports.opened.back()->request.path, "/dev/ttyUSB0");
}

TEST_F(SerialSelectionTest, ModemPortsAreKnownByTheirNames) {
  EXPECT_EQ(SerialConnectionWord("ttyUSB0"), "Serial Port ttyUSB0");
  EXPECT_EQ(SerialConnectionWord("internal modem"), "internal modem");
  EXPECT_TRUE(IsModemPort("modem"));
  EXPECT_TRUE(IsModemPort("ttyACM0", "usb-U.S._Robotics_USB_Modem_0001-if00"));
  EXPECT_FALSE(IsModemPort("ttyUSB0", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"));
}

class BaudMenuTest : public ::testing::Test {
 protected:
  BaudMenuTest() {
    menus.AddMenu(MenuOf(platform::kPortSettingsMenu, 20));
    menus.AddMenu(MenuOf(platform::kWindowMenu, 17));
  }
  std::vector<int> Enabled(int menu, int last) const {
    std::vector<int> out;
    for (int i = 1; i <= last; ++i)
      if (menus.ItemEnabled(menu, i)) out.push_back(i);
    return out;
  }
  MemoryMenus menus;
};

TEST_F(BaudMenuTest, SerialSessionsCheckTheirRateOnly) {
  const std::vector<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const struct {
    int32_t rate;
    std::vector<int> marked;
  } cases[] = {{230400, {11}}, {9600, {5}}, {28800, {7}}, {300, {1}}, {14400, {}}, {0, {}}, {9601, {}}};
  for (const auto& c : cases) {
    FillBaudRateMenu(menus, 0, c.rate);
    EXPECT_EQ(Marked(menus, platform::kPortSettingsMenu), c.marked) << c.rate;
    EXPECT_EQ(Enabled(platform::kPortSettingsMenu, 11), all) << c.rate;
  }
}

TEST_F(BaudMenuTest, PseudoTerminalSessionsDisableTheRates) {
  FillBaudRateMenu(menus, 0, 9600);
  menus.EnableItem(platform::kPortSettingsMenu, 12, true);
  menus.MarkItem(platform::kPortSettingsMenu, 14, true);
  FillBaudRateMenu(menus, 1, 9600);
  EXPECT_EQ(Enabled(platform::kPortSettingsMenu, 11), std::vector<int>{});
  EXPECT_EQ(Marked(menus, platform::kPortSettingsMenu), std::vector<int>{14});
}

TEST_F(BaudMenuTest, AShortMenuIsFilledAsFarAsItGoes) {
  MemoryMenus shortMenus;
  shortMenus.AddMenu(MenuOf(platform::kPortSettingsMenu, 6));
  FillBaudRateMenu(shortMenus, 0, 230400);
  FillBaudRateMenu(shortMenus, 0, 19200);
  EXPECT_EQ(shortMenus.CountItems(platform::kPortSettingsMenu), 6);
  EXPECT_EQ(Marked(shortMenus, platform::kPortSettingsMenu), std::vector<int>{6});
  MemoryMenus none;
  FillBaudRateMenu(none, 0, 9600);
  EXPECT_FALSE(none.HasMenu(platform::kPortSettingsMenu));
}

TEST_F(BaudMenuTest, FontSizeItemsAreAllEnabledAndUnchecked) {
  menus.EnableItem(platform::kWindowMenu, 3, false);
  menus.MarkItem(platform::kWindowMenu, 2, true);
  menus.MarkItem(platform::kWindowMenu, 9, true);
  EnableMenu10Items(menus);
  EXPECT_EQ(Enabled(platform::kWindowMenu, 5), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Marked(menus, platform::kWindowMenu), std::vector<int>{9});
}

}  // namespace
}  // namespace korvane
