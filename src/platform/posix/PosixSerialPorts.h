#pragma once
// The machine's serial devices, found in sysfs, and opening one of them.
//
// A terminal device counts as a serial port when a driver is bound to it
// (USB adapters ttyUSB, modems and boards ttyACM, on-board UARTs) and, for the
// UARTs the serial core knows, when a UART was actually found there (ports the
// kernel sets up without hardware have type 0); Bluetooth rfcomm ports count
// as well. They are named by their kernel name and sorted so that ttyS2 comes
// before ttyS10. Where udev gave a device a stable name under
// /dev/serial/by-id, the entry carries it.
//
// Devices that discovery cannot see (a pseudo-terminal made by socat, a
// converter with an unusual driver) can be named by the user: the variable
// KORVANE_SERIAL_DEVICES (paths separated by ':') and the file
// "serial-devices" in the settings folder (one path a line) add them after
// the discovered ports, in the order given, shown by their file name.

#include <string>
#include <vector>

#include "platform/SerialPorts.h"

namespace korvane::platform::posix {

struct SerialDevicePlaces {
  std::string sysRoot = "/sys";
  std::string devRoot = "/dev";
  // The value of KORVANE_SERIAL_DEVICES.
  std::string namedInVariable;
  // The file of named devices; empty for none.
  std::string namedDevicesFile;
};

class PosixSerialPorts final : public SerialPorts {
 public:
  explicit PosixSerialPorts(SerialDevicePlaces places = {}) : places_(std::move(places)) {}
  // /sys and /dev, the variable as the environment has it, and
  // "serial-devices" in the settings folder (a path ending in "/").
  static SerialDevicePlaces PlacesOfThisMachine(const std::string& settingsFolder);

  std::vector<SerialPortEntry> ListPorts() override;
  SerialOpenResult Open(const SerialOpenRequest& request) override;

  // The kernel's serial devices, sorted, with their stable names.
  std::vector<SerialPortEntry> CollectSerialPorts() const;
  // The paths the user named, in order: the variable's, then the file's.
  std::vector<std::string> NamedDevicePaths() const;

 private:
  SerialDevicePlaces places_;
};

}  // namespace korvane::platform::posix
