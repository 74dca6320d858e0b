#include "connection/SerialPortSelection.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "connection/SerialLineCodes.h"
#include "connection/SerialMenuItems.h"
#include "platform/Files.h"
#include "platform/MenuNumbers.h"

namespace korvane {
namespace {

constexpr int32_t kSerialBufferSize = 30000;

bool ContainsNoCase(const std::string& text, const std::string& word) {
  auto lower = [](std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  };
  return lower(text).find(word) != std::string::npos;
}

}  // namespace

std::string SerialConnectionWord(const std::string& portName) {
  if (portName.find("modem") != std::string::npos) return portName;
  return "Serial Port " + portName;
}

bool IsModemPort(const std::string& name, const std::string& stableName) {
  // Linux names a modem by its driver (ttyACM0); udev's stable name carries
  // the maker's description, which says "Modem" in any case.
  return ContainsNoCase(name, "modem") || ContainsNoCase(stableName, "modem");
}

std::string SerialPortSelection::SerialPortMenuText(int n) const {
  const std::string stable = files_.SerialPortStableName(n);
  return stable.empty() ? files_.SerialPortName(n) : files_.SerialPortName(n) + "  (" + stable + ")";
}

void SerialPortSelection::RebuildPortMenu() {
  while (menus_.CountItems(platform::kSerialPortMenu) > 0) menus_.DeleteItem(platform::kSerialPortMenu, 1);
  for (int n = 1; n <= files_.SerialPortCount; ++n) menus_.AppendItem(platform::kSerialPortMenu, SerialPortMenuText(n));
}

int SerialPortSelection::FillSerialPortMenu() {
  files_.RescanSerialPorts();
  RebuildPortMenu();
  if (serial_.ConnectionPort != 0) menus_.MarkItem(platform::kSerialPortMenu, std::abs(serial_.ConnectionPort), true);
  return 0;
}

int SerialPortSelection::ListSerialPorts() {
  files_.RescanSerialPorts();
  serial_.PortListChanged = 0;
  RebuildPortMenu();

  PreviousPortNames.clear();
  if (!Opt.SerialPortList.empty()) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = Opt.SerialPortList.find(',', start);
      PreviousPortNames.push_back(Opt.SerialPortList.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  PreviousPortCount = static_cast<int16_t>(PreviousPortNames.size());

  if (!Opt.UsesPty) {
    menus_.MarkItem(platform::kConnectionMenu, kSerialConnectionItem, true);
    const int compared = std::min<int>(PreviousPortCount, SerialFiles::kMaxPorts);
    for (int i = 1; i <= compared; ++i)
      if (PreviousPortNames[i - 1] != files_.SerialPortName(i)) serial_.PortListChanged = 1;
  }
  if (files_.SerialPortCount > 0) {
    if (serial_.PortListChanged)
      alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "Available serial ports", "\r",
                   "has changed. Please select a new serial port from the Settings Menu");
    menus_.MarkItem(platform::kSerialPortMenu, std::abs(serial_.ConnectionPort), true);
  } else {
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "No Serial Ports Available.");
    serial_.PortListChanged = 1;
    serial_.ConnectionPort = 0;
  }
  return 0;
}

void SerialPortSelection::LeaveClosed() {
  serial_.CloseSerialFile();
  serial_.ConnectionOpen = 0;
  serial_.Connected = 0;
}

int SerialPortSelection::ReportPortInUse() {
  alerts_.Show(platform::AlertKind::Stop, kSerialAlert, serial_.PortName(), " port is in use");
  serial_.ConnectionPort = 0;
  LeaveClosed();
  return 0;
}

void SerialPortSelection::ReportOpenFailure(int16_t code, int systemError) {
  LeaveClosed();
  if (QuietWhenGone && code == SerialFiles::kIoError &&
      (systemError == ENOENT || systemError == ENODEV || systemError == ENXIO || systemError == EIO)) {
    DeviceGone = true;
    return;
  }
  if (Opt.BaudRate == 230400)
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert,
                 "Error! The serial device you are connecting to may not support 230400 baud.");
  // The reason goes with the message: "in use" is only one of the ways a
  // port fails (it may have been unplugged, or belong to a group the user is
  // not in).
  const int reason = code == SerialFiles::kFileBusy ? EBUSY : code == SerialFiles::kBadName ? ENODEV : systemError;
  std::string where = files_.SerialCalloutPath(std::abs(serial_.ConnectionPort));
  if (where.empty()) where = serial_.PortName();
  alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The port is in use and cannot be opened.", "\r",
               where + ": " + platform::FileErrorText(reason));
}

int SerialPortSelection::OpenSelectedSerialPort() {
  if (serial_.ConnectionPort == 0) {
    LeaveClosed();
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "Please select a serial port from the Settings Menu");
    for (int i = 1; i <= menus_.CountItems(platform::kSerialPortMenu); ++i)
      menus_.MarkItem(platform::kSerialPortMenu, i, false);
    return 0;
  }
  const int n = std::abs(serial_.ConnectionPort);
  SerialFile* own = serial_.File();
  const bool ownIsThisPort = own && own->Path() == files_.SerialCalloutPath(n);
  if (!SkipPortCheck && files_.IsOpen(n) && !ownIsThisPort) {
    ReportPortInUse();
    return 0;
  }
  // The user was told when the list changed; until a port is chosen anew
  // nothing is opened.
  if (serial_.PortListChanged) {
    LeaveClosed();
    return 0;
  }
  if (files_.SerialPortCount == 0 || n > files_.SerialPortCount) {
    LeaveClosed();
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "Please select a serial port from the Settings Menu");
    return 0;
  }
  if (SkipPortCheck && !Opt.AutoConnect) {
    LeaveClosed();
    return 0;
  }
  if (Opt.BaudRate == 0) Opt.BaudRate = 9600;
  // A port that is open and still there takes the new settings in place:
  // closing it would drop DTR (and with it a modem's call) and lose what the
  // line had buffered. A port that has gone is closed and opened again.
  const bool reuse = ownIsThisPort && !own->Ended() && !Opt.UsesPty;
  if (!reuse) serial_.CloseSerialFile();
  if (Opt.UsesPty) return 0;

  serial_.ConnectionOpen = 1;
  serial_.SerialPortName = "available";
  int16_t code = 0;
  int systemError = 0;
  if (reuse) {
    systemError = own->Reconfigure(Opt.BaudRate, Opt.Parity, 0, Opt.DataBits);
    if (systemError) code = SerialFiles::kIoError;
  } else {
    SerialFiles::Opened opened =
        files_.OpenSerialPort(serial_.ConnectionPort, Opt.BaudRate, Opt.Parity, 0, Opt.DataBits, kSerialBufferSize);
    code = opened.code;
    systemError = opened.systemError;
    if (opened.file) serial_.Adopt(std::move(opened.file));
  }
  if (code != 0) {
    ReportOpenFailure(code, systemError);
    return 0;
  }
  // Flow-control failures change nothing on the line and are not reported,
  // as a line without modem-control wires takes no DTR.
  serial_.File()->SerialHandshake(HandshakeSetting(Opt.XonXoffOn));
  serial_.LastOpenedPort = serial_.ConnectionPort;
  serial_.Connected = 1;
  return 0;
}

int SerialPortSelection::CheckSerialPort() {
  SerialFile* file = serial_.File();
  if (!file || Opt.UsesPty) return 0;
  if (file->Ended()) {
    OpenSelectedSerialPort();
    return 0;
  }
  if (const std::size_t refused = file->Port().TakeRefusedOutput())
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The serial port is not taking output:", "\r",
                 std::to_string(refused) + " bytes were not sent.");
  return 0;
}

int SerialPortSelection::ClearSerialPortMenuMarks() {
  for (int item = 1; item <= static_cast<int>(kBaudRateItems.size()); ++item) {
    if (item > menus_.CountItems(platform::kPortSettingsMenu)) break;
    menus_.EnableItem(platform::kPortSettingsMenu, item, true);
    menus_.MarkItem(platform::kPortSettingsMenu, item, false);
  }
  return 0;
}

int SerialPortSelection::ResetMenu78Items() {
  for (int item = 3; item <= 5; ++item) {
    menus_.EnableItem(kSerialFormatMenu, item, true);
    menus_.MarkItem(kSerialFormatMenu, item, false);
  }
  return 0;
}

int SerialPortSelection::ChooseBaudRate(int item) {
  if (item < 1 || item > static_cast<int>(kBaudRateItems.size())) return 0;
  Opt.BaudRate = kBaudRateItems[item - 1];
  OpenSelectedSerialPort();
  ClearSerialPortMenuMarks();
  menus_.MarkItem(platform::kPortSettingsMenu, item, true);
  return 0;
}

int SerialPortSelection::ChooseSerialFormat(int item) {
  switch (item) {
    case 1:
    case 2:
      Opt.DataBits = static_cast<int16_t>(item - 1);
      menus_.MarkItem(kSerialFormatMenu, 1, item == 1);
      menus_.MarkItem(kSerialFormatMenu, 2, item == 2);
      break;
    case 3:
    case 4:
    case 5:
      Opt.Parity = item == 3 ? 0 : item == 4 ? 2 : 1;
      ResetMenu78Items();
      menus_.MarkItem(kSerialFormatMenu, item, true);
      break;
    default: return 0;
  }
  if (!Opt.UsesPty) OpenSelectedSerialPort();
  return 0;
}

int SerialPortSelection::ChooseFlowControl(int item) {
  if (item < 1 || item > 3) return 0;
  Opt.XonXoffOn = item == 1 ? 1 : item == 2 ? 2 : 0;
  for (int i = 1; i <= 3; ++i) menus_.MarkItem(kFlowControlMenu, i, i == item);
  if (!Opt.UsesPty) OpenSelectedSerialPort();
  return 0;
}

SerialPortSelection::PortChoice SerialPortSelection::DoSerialPortMenu(int item,
                                                                      const std::function<bool()>& closeConnection) {
  PortChoice choice;
  if (Opt.UsesPty) {
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "Must enable Serial / modem first!", "\r",
                 "(Look under the Connection Menu).");
    return choice;
  }
  if (!closeConnection()) return choice;
  serial_.CloseSerialFile();

  const int16_t previous = serial_.ConnectionPort;
  // The menu showed the list of the last scan: the port the user chose is
  // looked for by its name in the new one, so that a device plugged in
  // meanwhile cannot shift the choice onto another port.
  const std::string chosenName = files_.SerialPortName(item);
  serial_.Connected = 0;
  serial_.ConnectionOpen = 0;
  serial_.ConnectionPort = 0;
  files_.RescanSerialPorts();
  if (files_.SerialPortCount == 0) {
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "No Serial Ports Available.");
    return choice;
  }
  RebuildPortMenu();
  if (files_.SerialPortCount == 1) menus_.MarkItem(platform::kSerialPortMenu, 1, true);

  int index = 0;
  for (int n = 1; n <= files_.SerialPortCount; ++n)
    if (files_.SerialPortName(n) == chosenName) index = n;
  auto restorePrevious = [&]() {
    for (int i = 1; i <= menus_.CountItems(platform::kSerialPortMenu); ++i)
      menus_.MarkItem(platform::kSerialPortMenu, i, false);
    if (previous != 0) menus_.MarkItem(platform::kSerialPortMenu, std::abs(previous), true);
    serial_.ConnectionPort = previous;
  };
  if (index == 0) {
    restorePrevious();
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The port is in use and cannot be opened.", "\r",
                 (chosenName.empty() ? std::string("?") : chosenName) + ": " + platform::FileErrorText(ENODEV));
    return choice;
  }
  serial_.ConnectionPort = static_cast<int16_t>(-index);
  for (int i = 1; i <= files_.SerialPortCount; ++i) menus_.MarkItem(platform::kSerialPortMenu, i, i == index);
  // The user has chosen the port the change warning asked for.
  serial_.PortListChanged = 0;
  OpenSelectedSerialPort();
  if (!serial_.Connected) {
    restorePrevious();
    return choice;
  }
  // What the port had buffered before the session took it is not the host's
  // answer to anything.
  uint8_t discard[250];
  if (serial_.Link()->Waiting() > 0) serial_.Link()->Read(discard, sizeof discard);
  choice.opened = true;
  choice.connectionWord = SerialConnectionWord(serial_.PortName());
  return choice;
}

}  // namespace korvane
