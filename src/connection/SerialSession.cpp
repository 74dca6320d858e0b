#include "connection/SerialSession.h"

#include <algorithm>
#include <cstdlib>

namespace korvane {

std::string SerialSession::PortName() const { return files_.SerialPortName(std::abs(ConnectionPort)); }

void SerialSession::Adopt(std::unique_ptr<SerialFile> file) {
  CloseSerialFile();
  file_ = std::move(file);
}

void SerialSession::CloseSerialFile() {
  if (file_ && BreakActive()) file_->Port().SetBreak(false);
  breakEndsAtMs_ = -1;
  if (file_) file_->Close();
  file_.reset();
}

int SerialSession::SendSerialBreak(int milliseconds, int64_t nowMs) {
  if (!file_) return -1;
  if (BreakActive()) return 0;
  if (const int error = file_->Port().SetBreak(true)) return error;
  breakEndsAtMs_ = nowMs + std::max(milliseconds, 0);
  return 0;
}

int64_t SerialSession::Step(int64_t nowMs) {
  if (BreakActive() && nowMs >= breakEndsAtMs_) {
    breakEndsAtMs_ = -1;
    if (file_) file_->Port().SetBreak(false);
  }
  return breakEndsAtMs_;
}

}  // namespace korvane
