#pragma once
// Serial ports: the machine's serial devices, and an open port as a host link
// with its line control (flow control, DTR, break). The POSIX implementation
// is platform/posix/PosixSerialPorts; tests use a recording fake.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/HostLink.h"

namespace korvane::platform {

// One serial device as discovery found it.
struct SerialPortEntry {
  // The name the user sees and the settings remember: the kernel's name of
  // the device ("ttyUSB0"), or the file name of a device the user named.
  std::string name;
  // The device that is opened.
  std::string path;
  // The device's name under /dev/serial/by-id, which stays the same whatever
  // socket it is plugged into; empty when it has none.
  std::string stableName;
};

enum class SerialParity { None, Odd, Even };

// The character format and speed of a line.
struct SerialLineSettings {
  // Bits per second, exactly as the line is to run (any rate the driver can
  // make, not only the system's fixed speed constants).
  int32_t speed = 9600;
  SerialParity parity = SerialParity::None;
  int dataBits = 8;  // 5 to 8
  int stopBits = 1;  // 1 or 2
};

enum class SerialFlowControl { None, RtsCts, XonXoff };

// What can be done to an open line besides moving bytes. Each call answers 0
// or the system's error number.
class SerialLineControl {
 public:
  virtual ~SerialLineControl() = default;
  virtual int SetFlowControl(SerialFlowControl flow) = 0;
  virtual int SetDtr(bool raised) = 0;
  // Holds the line in the break state until called again with false.
  virtual int SetBreak(bool on) = 0;
  // Sends XOFF (19), or XON (17), to the far end at once, ahead of any
  // output the line holds: a host asked to pause must hear it even while a
  // paste waits for the line.
  virtual int SendXonXoff(bool xoff) = 0;
};

// An open serial port. Reads never wait. Writes never wait either: what the
// port cannot take at once is queued and goes out as the port takes it (with
// every later read, test for waiting input or PumpOutput). The queue is
// bounded; bytes beyond it are refused and counted, so that the program can
// tell the user instead of freezing behind a line that never drains.
class SerialPort : public HostLink, public SerialLineControl {
 public:
  // Applies a new speed and character format to the open port. Flow control
  // is switched off by it and set again with SetFlowControl.
  virtual int Configure(const SerialLineSettings& settings) = 0;
  // Writes what waits in the output queue, as far as the port takes it.
  virtual void PumpOutput() = 0;
  // Bytes written and not yet taken by the port.
  virtual std::size_t PendingOutput() const = 0;
  // Bytes refused because the output queue was full since the last call.
  virtual std::size_t TakeRefusedOutput() = 0;
  // The descriptor the event loop watches for input and for room to write;
  // -1 once the port is closed.
  virtual int Descriptor() const = 0;
  virtual const std::string& Path() const = 0;
};

struct SerialOpenRequest {
  std::string path;
  SerialLineSettings settings;
  // How many received bytes the port holds for the program beyond what the
  // system keeps.
  std::size_t inputBufferSize = 30000;
  // The most output the port queues while the line does not take it.
  std::size_t outputLimit = std::size_t{1} << 20;
};

struct SerialOpenResult {
  // 0, or the system's error number: EBUSY when another program holds the
  // port, ENOENT/ENODEV/ENXIO when the device is gone, ENOTTY when the path is
  // no serial device, EACCES when the user may not use it.
  int error = 0;
  std::unique_ptr<SerialPort> port;
};

class SerialPorts {
 public:
  virtual ~SerialPorts() = default;
  // The serial devices present now, in a stable order.
  virtual std::vector<SerialPortEntry> ListPorts() = 0;
  // Opens a device for this program alone, in raw mode with the settings and
  // no flow control.
  virtual SerialOpenResult Open(const SerialOpenRequest& request) = 0;
};

}  // namespace korvane::platform
