#pragma once
// Time as the program counts it: ticks (sixtieths of a second since some fixed
// start) for busy waits and throttles, and milliseconds for short pauses.
// Tests give the program a fake clock so that waits and time-outs are exact.

#include <cstdint>

namespace korvane::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t Ticks() const = 0;
  virtual int64_t Milliseconds() const = 0;
  // Pauses the program for the given time (a fake clock just advances).
  virtual void Delay(int64_t milliseconds) = 0;
};

// The real clock: monotonic time of this process.
class SteadyClock final : public Clock {
 public:
  int64_t Ticks() const override;
  int64_t Milliseconds() const override;
  void Delay(int64_t milliseconds) override;
};

}  // namespace korvane::platform
