#pragma once
// The wait of a main-loop turn in a test: time passes on the fake clock (the
// whole slice, since nothing else would wake the loop), and the events the
// test scripted for the turn are posted. Every wait is recorded with the
// connection it watched.

#include <deque>
#include <vector>

#include "fakes/FakeClock.h"
#include "platform/Events.h"

namespace korvane::fakes {

class FakeEventPump final : public platform::EventPump {
 public:
  FakeEventPump(FakeClock& clock, platform::EventSink& sink) : clock_(clock), sink_(sink) {}

  // Events posted by the next waits, one batch per wait.
  std::deque<std::vector<platform::UiEvent>> script;
  std::vector<int> waitedTicks;
  std::vector<HostLink*> watched;

  void Deliver(int ticks, HostLink* link) override {
    waitedTicks.push_back(ticks);
    watched.push_back(link);
    // Output waiting on the watched connection ends the wait at once.
    const bool ready = link && link->Waiting() > 0;
    if (!script.empty()) {
      const std::vector<platform::UiEvent> batch = script.front();
      script.pop_front();
      for (const auto& e : batch) sink_.Post(e);
      return;
    }
    if (!ready && ticks > 0) clock_.AdvanceTicks(ticks);
  }

 private:
  FakeClock& clock_;
  platform::EventSink& sink_;
};

}  // namespace korvane::fakes
