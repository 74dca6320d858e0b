#pragma once
// A clock that moves only when told to (or by the pauses the program takes).

#include "platform/Clock.h"

namespace korvane::fakes {

class FakeClock final : public platform::Clock {
 public:
  int64_t Ticks() const override { return ms_ * 60 / 1000; }
  int64_t Milliseconds() const override { return ms_; }
  void Delay(int64_t milliseconds) override {
    if (milliseconds > 0) ms_ += milliseconds;
  }
  void AdvanceTicks(int64_t ticks) { ms_ += (ticks * 1000 + 59) / 60; }
  void AdvanceMs(int64_t ms) { ms_ += ms; }

 private:
  int64_t ms_ = 1000000;
};

}  // namespace korvane::fakes
