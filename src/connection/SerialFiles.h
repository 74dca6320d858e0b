#pragma once
// The serial ports of the program: the list of ports found (up to 12,
// numbered from 1 in the order found) and the ports open, each addressed as
// serial file number -n for port n.
//
// One SerialFiles serves every session; it must outlive the files it opens.
// An open port is a SerialFile, owned by the session that opened it: it is
// the session's host link, takes the line-control modes, and gives its port
// back to the table when it is closed or destroyed, so that a port is never
// left marked open by a session that went away.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/HostLink.h"
#include "platform/SerialPorts.h"

namespace korvane {

class SerialFile;

class SerialFiles {
 public:
  static constexpr int kMaxPorts = 12;
  // Results of OpenSerialPort: no such port, the port is open already, the
  // device could not be opened or configured.
  static constexpr int16_t kBadName = -37, kFileBusy = -47, kIoError = -36;

  explicit SerialFiles(platform::SerialPorts& ports) : ports_(ports) {}
  SerialFiles(const SerialFiles&) = delete;
  SerialFiles& operator=(const SerialFiles&) = delete;
  ~SerialFiles();

  // ---- The ports found -------------------------------------------------------
  // Number of ports in the list, at most 12. A caller that wants a fresh
  // list sets it to 0 before ScanSerialPorts.
  uint16_t SerialPortCount = 0;
  // Set when the first scan starts.
  bool SerialPortsScanned = false;
  // Lists the ports, unless a scan has been made and found ports; returns 0.
  int ScanSerialPorts();
  int RescanSerialPorts() {
    SerialPortCount = 0;
    return ScanSerialPorts();
  }
  // Port n's name (Mac Roman text, as menus and settings hold it) and the
  // path that is opened; empty outside 1..SerialPortCount.
  std::string SerialPortName(int n) const;
  std::string SerialCalloutPath(int n) const;
  // The device's stable name (/dev/serial/by-id), empty when none.
  std::string SerialPortStableName(int n) const;
  // The names of ports 1..SerialPortCount.
  std::vector<std::string> SerialPortNames() const;

  // ---- Opening ----------------------------------------------------------------
  struct Opened {
    // 0, kBadName, kFileBusy or kIoError.
    int16_t code = 0;
    // The system's reason for kIoError (errno).
    int systemError = 0;
    std::unique_ptr<SerialFile> file;
  };
  // Opens port -fileNumber with the line codes (see SerialLineFromCodes) and
  // an input buffer of bufferSize bytes, brought into 4096..32768. The port
  // must be in the list as it stands (a list that was never made has no
  // ports); opening does not scan it anew.
  Opened OpenSerialPort(int fileNumber, int32_t speed, int32_t parity, int32_t stopBits, int32_t dataBits,
                        int32_t bufferSize);
  // True while port n's device is open in any session.
  bool IsOpen(int n) const;

 private:
  friend class SerialFile;
  void Release(SerialFile* file);

  platform::SerialPorts& ports_;
  std::vector<platform::SerialPortEntry> found_;
  std::vector<SerialFile*> open_;
};

// An open serial port of the table.
class SerialFile final : public HostLink {
 public:
  SerialFile(SerialFiles& table, int index, std::unique_ptr<platform::SerialPort> port);
  ~SerialFile() override;
  SerialFile(const SerialFile&) = delete;
  SerialFile& operator=(const SerialFile&) = delete;

  // -n for port n.
  int FileNumber() const { return -index_; }
  int PortIndex() const { return index_; }
  const std::string& Path() const { return path_; }
  platform::SerialPort& Port() { return *port_; }

  void Write(const uint8_t* data, int n) override { port_->Write(data, n); }
  size_t OutputQueued() const override { return port_->PendingOutput(); }
  int Read(uint8_t* buf, int max) override { return port_->Read(buf, max); }
  int Waiting() override { return port_->Waiting(); }
  bool Ended() override { return port_->Ended(); }
  // Closes the device and gives the port back to the table.
  void Close() override;

  // Flow control and DTR by the handshake modes: 0 none, 1 RTS/CTS, -1
  // XON/XOFF, 2 DTR raised, -2 DTR dropped (flow control unchanged); other
  // modes change nothing. 0 or the system's error number; a line that does
  // not carry DTR (a pseudo-terminal) answers with the error and keeps what
  // it had.
  int SerialHandshake(int mode);
  // New speed and character format on the open port, by the line codes.
  int Reconfigure(int32_t speed, int32_t parity, int32_t stopBits, int32_t dataBits);

 private:
  friend class SerialFiles;
  SerialFiles* table_;
  int index_;
  std::string path_;
  std::unique_ptr<platform::SerialPort> port_;
};

}  // namespace korvane
