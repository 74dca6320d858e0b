#pragma once
// The events the window system has reported and the main loop has not taken
// yet, in arrival order. Nothing is overwritten: two keys, a click and a
// close that arrive in one time slice are all handled, one after the other.

#include <deque>
#include <functional>
#include <optional>

#include "platform/Events.h"

namespace korvane::app {

class EventQueue final : public platform::EventSink {
 public:
  void Post(const platform::UiEvent& event) override {
    events_.push_back(event);
    if (onPost) onPost();
  }
  std::optional<platform::UiEvent> Pop() {
    if (events_.empty()) return std::nullopt;
    platform::UiEvent e = events_.front();
    events_.pop_front();
    return e;
  }
  bool Empty() const { return events_.empty(); }
  std::size_t Size() const { return events_.size(); }
  // Called after each post (the pump stops waiting).
  std::function<void()> onPost;

 private:
  std::deque<platform::UiEvent> events_;
};

}  // namespace korvane::app
