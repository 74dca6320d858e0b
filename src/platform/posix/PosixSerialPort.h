#pragma once
// An open serial device as a host link with line control.
//
// The descriptor stays non-blocking and close-on-exec. Received bytes are
// taken into a buffer of the size asked for at open, so that a test for
// waiting input and the read after it see the same bytes. Output goes to a
// bounded queue and on to the device as it takes it: a line held by the far
// end (XOFF, or CTS down) never stops the program, and nothing queued is lost
// while the line lasts. A device that goes away (a USB adapter unplugged, the
// far end of a pseudo-terminal closed) ends the link once its last bytes are
// read.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialPorts.h"

namespace korvane::platform::posix {

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort(int fd, std::string path, std::size_t inputBufferSize, std::size_t outputLimit);
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  void Write(const uint8_t* data, int n) override;
  int Read(uint8_t* buf, int max) override;
  int Waiting() override;
  bool Ended() override;
  void Close() override;

  int SetFlowControl(SerialFlowControl flow) override;
  int SetDtr(bool raised) override;
  int SetBreak(bool on) override;
  int SendXonXoff(bool xoff) override;

  int Configure(const SerialLineSettings& settings) override;
  void PumpOutput() override;
  std::size_t PendingOutput() const override { return out_.size() - outPos_; }
  std::size_t TakeRefusedOutput() override;
  int Descriptor() const override { return fd_; }
  const std::string& Path() const override { return path_; }

 private:
  // One read into the input buffer: the count, 0 when nothing waits or the
  // buffer is full, -1 once the device has gone.
  int TakeIn();
  void NoteEnd();
  std::size_t Held() const { return in_.size() - inPos_; }

  int fd_;
  std::string path_;
  std::size_t inputCapacity_;
  std::size_t outputLimit_;
  bool ended_ = false;
  bool breakOn_ = false;
  std::string in_;
  std::size_t inPos_ = 0;
  std::string out_;
  std::size_t outPos_ = 0;
  std::size_t refused_ = 0;
};

}  // namespace korvane::platform::posix
