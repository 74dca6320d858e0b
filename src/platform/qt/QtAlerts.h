#pragma once
// Alerts on Qt: a modal message box with the kind's icon, the four pieces
// one after the other (a piece of a single CR starts a new line) and the
// buttons of the alert's number.

#include <functional>
#include <string>

#include "platform/Alerts.h"

namespace korvane::platform {

class QtAlerts final : public Alerts {
 public:
  // `localise` gives a button title in the user's language.
  explicit QtAlerts(std::function<std::string(const std::string&)> localise) : localise_(std::move(localise)) {}
  int Show(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override;

 private:
  std::function<std::string(const std::string&)> localise_;
};

}  // namespace korvane::platform
