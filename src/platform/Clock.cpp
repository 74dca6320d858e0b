#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace korvane::platform {

int64_t SteadyClock::Ticks() const { return Milliseconds() * 60 / 1000; }

int64_t SteadyClock::Milliseconds() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::Delay(int64_t milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace korvane::platform
