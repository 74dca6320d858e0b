#pragma once
// Alerts: a message of four text pieces shown one after the other (a piece
// holding a single CR starts a new line), with an icon for its kind. The call
// waits for the user and returns the number of the button pressed: 1 OK,
// 2 Cancel, 3 a third button where the alert has one.

#include <string>

namespace korvane::platform {

enum class AlertKind { Stop, Caution, Note, Plain };

class Alerts {
 public:
  virtual ~Alerts() = default;
  virtual int Show(AlertKind kind, int alertId, const std::string& a, const std::string& b = {},
                   const std::string& c = {}, const std::string& d = {}) = 0;
};

}  // namespace korvane::platform
