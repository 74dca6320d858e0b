#pragma once
// A pseudo-terminal standing in for a serial line: the program opens the
// port side by its path, the test is the far end on the other side.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/PtySupport.h"

namespace korvane::testing_support {

class SerialPtyPair {
 public:
  SerialPtyPair() {
    openpty(&master_, &slave_, nullptr, nullptr, nullptr);
    path_ = ttyname(slave_);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
  }
  ~SerialPtyPair() {
    CloseFarEnd();
    if (slave_ >= 0) close(slave_);
  }
  SerialPtyPair(const SerialPtyPair&) = delete;
  SerialPtyPair& operator=(const SerialPtyPair&) = delete;

  // The port side, as a program opens it.
  const std::string& path() const { return path_; }

  // The far end sends.
  void Send(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0)
        done += static_cast<std::size_t>(n);
      else
        usleep(1000);
    }
  }
  // What the far end receives within `ms`, until `want` bytes have come.
  std::string Receive(std::size_t want, int ms) {
    std::string got;
    const int64_t end = MonotonicMs() + ms;
    while (got.size() < want && MonotonicMs() < end) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 5) <= 0) continue;
      char buf[4096];
      const ssize_t n = read(master_, buf, std::min(sizeof buf, want - got.size()));
      if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
  }
  // The far end goes away, as an unplugged adapter does: the port side is
  // hung up.
  void CloseFarEnd() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1, slave_ = -1;
  std::string path_;
};

}  // namespace korvane::testing_support
