#pragma once
// Alerts: a message of four text pieces shown one after the other (a piece
// holding a single CR starts a new line), with an icon for its kind. Show
// waits for the user and returns the number of the button pressed: 1 OK,
// 2 Cancel, 3 a third button where the alert has one. Open shows the same
// alert without waiting: the program goes on, and the answer comes later.

#include <functional>
#include <string>
#include <utility>

namespace korvane::platform {

enum class AlertKind { Stop, Caution, Note, Plain };

class Alerts {
 public:
  virtual ~Alerts() = default;
  virtual int Show(AlertKind kind, int alertId, const std::string& a, const std::string& b = {},
                   const std::string& c = {}, const std::string& d = {}) = 0;

  // Shows the alert and returns at once, while the box stays up. `answered`
  // (when given) is called once, from the event loop, with the button the
  // user chose; Escape and closing the box answer the alert's Cancel item
  // (AlertCancelItem). Returns a number for Dismiss; 0 when nothing stays
  // open. An implementation that cannot leave a box up shows it as Show does
  // and answers before returning.
  virtual int Open(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
                   const std::string& d, std::function<void(int)> answered) {
    const int button = Show(kind, alertId, a, b, c, d);
    if (std::function<void(int)> reply = std::move(answered)) reply(button);
    return 0;
  }
  // Takes away an alert that Open left up, without calling its `answered`.
  // (The default Open leaves none up.)
  virtual void Dismiss(int /*opened*/) {}
};

}  // namespace korvane::platform
