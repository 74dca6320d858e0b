#pragma once
// Alerts that never wait: each is recorded, and answered with the next queued
// button (1, OK, when none is queued). With `holdOpen`, alerts shown without
// waiting (Open) stay up until the test answers them with AnswerOpen, as a
// user who takes a while would.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Alerts.h"

namespace korvane::fakes {

class FakeAlerts final : public platform::Alerts {
 public:
  struct Shown {
    platform::AlertKind kind;
    int id;
    std::string text;    // the four pieces joined
    bool waited = true;  // shown by Show (false: by Open)
  };
  std::vector<Shown> shown;
  std::deque<int> answers;
  bool holdOpen = false;

  int Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override {
    shown.push_back({kind, alertId, a + b + c + d, true});
    return NextAnswer();
  }

  int Open(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d, std::function<void(int)> answered) override {
    shown.push_back({kind, alertId, a + b + c + d, false});
    if (!holdOpen) {
      if (answered) answered(NextAnswer());
      return 0;
    }
    open_.push_back({++lastOpened_, static_cast<int>(shown.size()) - 1, std::move(answered)});
    return lastOpened_;
  }
  void Dismiss(int opened) override {
    for (auto it = open_.begin(); it != open_.end(); ++it)
      if (it->number == opened) {
        open_.erase(it);
        ++dismissed;
        return;
      }
  }

  // The alerts still up, oldest first (their index in `shown`).
  std::vector<int> OpenAlerts() const {
    std::vector<int> out;
    for (const auto& o : open_) out.push_back(o.shownIndex);
    return out;
  }
  // The user answers the oldest alert still up with `button`; false when none is up.
  bool AnswerOpen(int button) {
    if (open_.empty()) return false;
    Held held = std::move(open_.front());
    open_.pop_front();
    if (held.answered) held.answered(button);
    return true;
  }
  int dismissed = 0;

 private:
  struct Held {
    int number;
    int shownIndex;
    std::function<void(int)> answered;
  };
  int NextAnswer() {
    if (answers.empty()) return 1;
    const int button = answers.front();
    answers.pop_front();
    return button;
  }
  std::deque<Held> open_;
  int lastOpened_ = 0;
};

}  // namespace korvane::fakes
