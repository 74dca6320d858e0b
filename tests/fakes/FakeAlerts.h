#pragma once
// Alerts that never wait: each is recorded, and answered with the next queued
// button (1, OK, when none is queued).

#include <deque>
#include <string>
#include <vector>

#include "platform/Alerts.h"

namespace korvane::fakes {

class FakeAlerts final : public platform::Alerts {
 public:
  struct Shown {
    platform::AlertKind kind;
    int id;
    std::string text;  // the four pieces joined
  };
  std::vector<Shown> shown;
  std::deque<int> answers;

  int Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
           const std::string& c, const std::string& d) override {
    shown.push_back({kind, alertId, a + b + c + d});
    if (answers.empty()) return 1;
    const int button = answers.front();
    answers.pop_front();
    return button;
  }
};

}  // namespace korvane::fakes
