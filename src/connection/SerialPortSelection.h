#pragma once
// Choosing a session's serial port and opening it with the session's line
// settings: the serial-port menu (75) kept in step with the ports present, a
// warning when they differ from the ports the settings remember, refusal of
// a port another session holds, and the menu choices that change the line
// (speed, character format, flow control), each applied to the open port at
// once.
//
// Every refusal leaves the session usable with no port open
// (ConnectionOpen and Connected 0) and tells the user why.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "connection/SerialSession.h"
#include "platform/Alerts.h"
#include "platform/Menus.h"
#include "settings/SessionOptions.h"

namespace korvane {

// The alert the serial messages use.
inline constexpr int kSerialAlert = 320;

// "Serial Port ttyUSB0", or the port's name alone for a modem: the word the
// window title gives the connection.
std::string SerialConnectionWord(const std::string& portName);
// A port whose name (or stable name) says it is a modem: it is hung up
// before it is closed.
bool IsModemPort(const std::string& name, const std::string& stableName = {});

class SerialPortSelection {
 public:
  SerialPortSelection(SessionOptions& opt, SerialSession& serial, platform::Alerts& alerts, platform::Menus& menus)
      : Opt(opt), serial_(serial), files_(serial.Files()), alerts_(alerts), menus_(menus) {}

  SessionOptions& Opt;
  // While set, a port held by another session is not refused here (the
  // open itself then finds it busy), and a session without `AutoConnect`
  // opens nothing.
  int16_t SkipPortCheck = 0;
  // Set while a port whose device went away is opened again: an open that
  // fails because the device is still not there is not reported (the caller
  // tells the user in the session window) and sets DeviceGone.
  bool QuietWhenGone = false;
  bool DeviceGone = false;
  // The names the settings remember (`SerialPortList` split at its commas).
  std::vector<std::string> PreviousPortNames;
  int16_t PreviousPortCount = 0;

  // Lists the ports anew in menu 75 and compares them with the ports the
  // settings remember; warns when they differ or when there are none.
  int ListSerialPorts();
  // Lists the ports anew in menu 75, the session's port marked, without a
  // word to the user: a session that is not on a serial line has no use for
  // the warnings (many machines have no serial port at all).
  int FillSerialPortMenu();
  // Opens the session's port with its line settings, or applies them to the
  // port when it is open already.
  int OpenSelectedSerialPort();
  // The port is open in another session: the user is told, and the session
  // is left without a port.
  int ReportPortInUse();
  // For the idle pass, while a serial connection is open: a port whose
  // device has gone is closed and opened again (or the user told why it
  // cannot be), as after a failed read; output the line did not take is
  // reported.
  int CheckSerialPort();

  // Baud items 1..11 enabled and unchecked.
  int ClearSerialPortMenuMarks();
  // Parity items 3..5 of the serial-format menu enabled and unchecked.
  int ResetMenu78Items();

  // ---- Menu choices --------------------------------------------------------------
  // Port-settings items 1..11: the speed of the item, applied to the port.
  int ChooseBaudRate(int item);
  // Serial-format items: 1 seven and 2 eight data bits, 3 no, 4 even and 5
  // odd parity; a serial session's port is opened again with the change.
  int ChooseSerialFormat(int item);
  // Flow-control items: 1 XON/XOFF, 2 RTS/CTS, 3 none; likewise applied.
  int ChooseFlowControl(int item);

  struct PortChoice {
    bool opened = false;
    // The connection's word for the window title ("Serial Port ttyUSB0").
    std::string connectionWord;
  };
  // Item `item` of the serial-port menu. `closeConnection` closes the
  // session's connection as the Connection menu does (with the user's
  // confirmation) and answers false when the user cancelled.
  PortChoice DoSerialPortMenu(int item, const std::function<bool()>& closeConnection);

  // The text of port n's item in menu 75: its name, and its stable name when
  // it has one.
  std::string SerialPortMenuText(int n) const;

 private:
  void RebuildPortMenu();
  void LeaveClosed();
  void ReportOpenFailure(int16_t code, int systemError);

  SerialSession& serial_;
  SerialFiles& files_;
  platform::Alerts& alerts_;
  platform::Menus& menus_;
};

}  // namespace korvane
