#pragma once
// A host channel in memory: the test queues what the host "sends" and reads
// back what the program wrote, with the fake clock's time of each byte.

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/HostLink.h"
#include "platform/Clock.h"

namespace korvane::fakes {

class MemoryLink final : public HostLink {
 public:
  explicit MemoryLink(const platform::Clock* clock = nullptr) : clock_(clock) {}

  // Bytes the host sends next.
  void Feed(std::string_view bytes) { incoming_.insert(incoming_.end(), bytes.begin(), bytes.end()); }
  // After what was fed, the channel reports its end.
  void End() { ended_ = true; }

  std::string written;                // every byte the program wrote
  std::vector<int64_t> writtenAtMs;   // the clock's time of each, when a clock was given
  bool echo = false;                  // each written byte comes back as input, as a shell echoes
  size_t queued = 0;                  // what OutputQueued reports: bytes the far end has not taken
  bool closed = false;                // Close() was called
  int rows = 0, cols = 0;             // the last window size set
  std::vector<std::string> echoHeld;  // the lines of the last HoldEchoOf
  LinkEnd end;                        // how the far end ended, as EndOfLink tells it

  void Write(const uint8_t* data, int n) override {
    if (closed) return;
    for (int i = 0; i < n; ++i) {
      written += static_cast<char>(data[i]);
      if (clock_) writtenAtMs.push_back(clock_->Milliseconds());
      if (echo) incoming_.push_back(static_cast<char>(data[i]));
    }
  }
  size_t OutputQueued() const override { return queued; }
  bool Ended() override { return (ended_ || closed) && incoming_.empty(); }
  void Close() override { closed = true; }
  bool SetWindowSize(int r, int c) override {
    rows = r;
    cols = c;
    return true;
  }
  // Reads that found nothing waiting.
  int emptyReads = 0;
  int Read(uint8_t* buf, int max) override {
    if (incoming_.empty()) {
      ++emptyReads;
      return ended_ || closed ? -1 : 0;
    }
    const int n = std::min<int>(max, static_cast<int>(incoming_.size()));
    std::copy_n(incoming_.begin(), n, buf);
    incoming_.erase(incoming_.begin(), incoming_.begin() + n);
    return n;
  }
  int Waiting() override { return static_cast<int>(incoming_.size()); }
  // Records the lines; a memory link cannot tell echoes apart, so nothing
  // is held back.
  bool HoldEchoOf(const std::vector<std::string>& lines) override {
    echoHeld = lines;
    return false;
  }
  LinkEnd EndOfLink() const override { return end; }

 private:
  const platform::Clock* clock_;
  std::deque<char> incoming_;
  bool ended_ = false;
};

}  // namespace korvane::fakes
