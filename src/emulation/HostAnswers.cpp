#include "emulation/HostAnswers.h"

#include <algorithm>

#include "emulation/HostChannel.h"

namespace korvane {

HostAnswer& HostAnswer::PositionByte(int value) {
  bytes_ += static_cast<char>(static_cast<uint8_t>(std::clamp(value, 0, 255)));
  return *this;
}

HostAnswer& HostAnswer::DigitsOf(std::string_view text) {
  for (char c : text)
    if (c >= '0' && c <= '9') bytes_ += c;
  return *this;
}

bool HostAnswers::Write(const std::string& bytes, int end) {
  const int64_t now = clock_.Milliseconds();
  if (windowStartMs_ == INT64_MIN || now - windowStartMs_ >= kWindowMs) {
    windowStartMs_ = now;
    inWindow_ = 0;
  }
  if (inWindow_ >= kWindowLimit) {
    ++dropped_;
    return false;
  }
  // A host that does not take what it was sent is sent no more answers: the
  // queue is not left to grow with them.
  if (const HostLink* link = conn_.Link(); link && link->OutputQueued() > kQueueRoom) {
    ++dropped_;
    return false;
  }
  ++inWindow_;
  ++sent_;
  conn_.SendToHost(bytes, end);
  return true;
}

bool HostAnswers::Send(const HostAnswer& answer, int end) { return Write(answer.Bytes(), end); }

void HostAnswers::SendLater(const HostAnswer& answer, int end, int64_t delayMs) {
  if (later_.size() >= kLaterMax) {
    ++dropped_;
    return;
  }
  later_.push_back({answer.Bytes(), end, clock_.Milliseconds() + delayMs});
}

void HostAnswers::BeginPass() {
  if (later_.empty()) return;
  const int64_t now = clock_.Milliseconds();
  // In the order they were asked for; those not yet due keep their place.
  std::vector<Later> waiting;
  for (Later& l : later_) {
    if (l.dueMs <= now)
      Write(l.bytes, l.end);
    else
      waiting.push_back(std::move(l));
  }
  later_ = std::move(waiting);
}

}  // namespace korvane
