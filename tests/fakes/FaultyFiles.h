#pragma once
// Real files, with a write that can go wrong half-way: the first write of a
// file's contents stores only half of it, and the next one fails with an error
// or kills the process, as a full disk or a crash would.

#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/posix/PosixFiles.h"

namespace korvane::fakes {

class FaultyFiles final : public platform::PosixFiles {
 public:
  enum class Fault { None, FailHalfWay, KillHalfWay };
  Fault fault = Fault::None;
  int error = ENOSPC;

 protected:
  ssize_t WriteSome(int fd, const char* data, std::size_t size) override {
    if (fault == Fault::None) return PosixFiles::WriteSome(fd, data, size);
    if (!halfWritten_ && size > 1) {
      halfWritten_ = true;
      return write(fd, data, size / 2);
    }
    halfWritten_ = false;
    if (fault == Fault::KillHalfWay) {
      fsync(fd);
      raise(SIGKILL);
    }
    errno = error;
    return -1;
  }

 private:
  bool halfWritten_ = false;
};

}  // namespace korvane::fakes
