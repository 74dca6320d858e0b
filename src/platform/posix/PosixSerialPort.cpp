#include "platform/posix/PosixSerialPort.h"

#include <errno.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/posix/SerialLine.h"

namespace korvane::platform::posix {

PosixSerialPort::PosixSerialPort(int fd, std::string path, std::size_t inputBufferSize, std::size_t outputLimit)
    : fd_(fd),
      path_(std::move(path)),
      inputCapacity_(std::max<std::size_t>(inputBufferSize, 1)),
      outputLimit_(std::max<std::size_t>(outputLimit, 1)) {}

PosixSerialPort::~PosixSerialPort() { Close(); }

void PosixSerialPort::Close() {
  if (fd_ >= 0) {
    if (breakOn_) ioctl(fd_, TIOCCBRK);
    // The system would otherwise hold the close until the line had sent what
    // it still buffers, for up to half a minute on a line the far end holds.
    tcflush(fd_, TCOFLUSH);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }
  breakOn_ = false;
  ended_ = true;
  in_.clear();
  inPos_ = 0;
  out_.clear();
  outPos_ = 0;
}

void PosixSerialPort::NoteEnd() {
  ended_ = true;
  // What the device has not taken can no longer reach it.
  out_.clear();
  outPos_ = 0;
}

int PosixSerialPort::TakeIn() {
  if (fd_ < 0 || ended_) return -1;
  if (inPos_ > 0) {
    in_.erase(0, inPos_);
    inPos_ = 0;
  }
  const std::size_t room = inputCapacity_ > in_.size() ? inputCapacity_ - in_.size() : 0;
  if (room == 0) return 0;
  char chunk[4096];
  for (;;) {
    const ssize_t r = ::read(fd_, chunk, std::min(room, sizeof chunk));
    if (r > 0) {
      in_.append(chunk, static_cast<std::size_t>(r));
      return static_cast<int>(r);
    }
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    if (r == 0) {
      // With reads that return at once, 0 is "nothing yet" on a live line; a
      // line that has been hung up (the device removed) also reads as 0 but
      // reports the hang-up.
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) break;
      return 0;
    }
    break;
  }
  NoteEnd();
  return -1;
}

void PosixSerialPort::PumpOutput() {
  while (fd_ >= 0 && !ended_ && outPos_ < out_.size()) {
    const ssize_t w = ::write(fd_, out_.data() + outPos_, out_.size() - outPos_);
    if (w > 0) {
      outPos_ += static_cast<std::size_t>(w);
      continue;
    }
    if (w < 0 && errno == EINTR) continue;
    if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    NoteEnd();
    return;
  }
  if (outPos_ == out_.size()) {
    out_.clear();
    outPos_ = 0;
  } else if (outPos_ > (std::size_t{1} << 16) && outPos_ * 2 > out_.size()) {
    out_.erase(0, outPos_);
    outPos_ = 0;
  }
}

void PosixSerialPort::Write(const uint8_t* data, int n) {
  if (fd_ < 0 || ended_ || n <= 0) return;
  const std::size_t want = static_cast<std::size_t>(n);
  const std::size_t room = outputLimit_ > PendingOutput() ? outputLimit_ - PendingOutput() : 0;
  const std::size_t take = std::min(want, room);
  out_.append(reinterpret_cast<const char*>(data), take);
  refused_ += want - take;
  PumpOutput();
}

std::size_t PosixSerialPort::TakeRefusedOutput() { return std::exchange(refused_, 0); }

int PosixSerialPort::Read(uint8_t* buf, int max) {
  if (max <= 0) return 0;
  PumpOutput();
  if (Held() == 0 && TakeIn() < 0) return -1;
  const std::size_t n = std::min(Held(), static_cast<std::size_t>(max));
  if (n == 0) return 0;
  std::memcpy(buf, in_.data() + inPos_, n);
  inPos_ += n;
  return static_cast<int>(n);
}

int PosixSerialPort::Waiting() {
  PumpOutput();
  TakeIn();
  return static_cast<int>(std::min(Held(), static_cast<std::size_t>(1) << 30));
}

bool PosixSerialPort::Ended() {
  if (Held() == 0 && !ended_) TakeIn();
  return ended_ && Held() == 0;
}

int PosixSerialPort::SetFlowControl(SerialFlowControl flow) {
  if (fd_ < 0) return EBADF;
  return SetSerialFlowControl(fd_, flow);
}

int PosixSerialPort::SetDtr(bool raised) {
  if (fd_ < 0) return EBADF;
  const int bit = TIOCM_DTR;
  return ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &bit) == 0 ? 0 : errno;
}

int PosixSerialPort::SetBreak(bool on) {
  if (fd_ < 0) return EBADF;
  if (ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) != 0) return errno;
  breakOn_ = on;
  return 0;
}

int PosixSerialPort::SendXonXoff(bool xoff) {
  if (fd_ < 0) return EBADF;
  return tcflow(fd_, xoff ? TCIOFF : TCION) == 0 ? 0 : errno;
}

int PosixSerialPort::Configure(const SerialLineSettings& settings) {
  if (fd_ < 0) return EBADF;
  return ConfigureSerialLine(fd_, settings);
}

}  // namespace korvane::platform::posix
