#pragma once
// The status window (window 4) as the program keeps it: a strip along the
// bottom of the screen showing the date and the active session's emulation,
// or a window out of sight when the session's settings hide it. It is laid
// out again when the active session's settings could have moved it (at
// start, when another session comes to the front, on request), and only made
// again when its place, title or visibility changed.
//
// The session windows keep the size their own code gives them (room for 80
// columns and 24 rows at the session's text size): the layout's pixel
// rectangles for the session window are not applied.

#include <string>

#include "platform/Windows.h"
#include "ui/dialogs/StatusWindow.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class StatusStrip {
 public:
  explicit StatusStrip(platform::Windows& windows) : windows_(windows), status_(windows) {}
  // Lays out window 4 for session window `w` and writes its date line.
  void Draw(SessionWindow& w);
  // The strip shows another session, or yesterday's date.
  bool Stale(const SessionWindow& w) const;
  // The date as the status line shows it ("Thu, Dec 10, 2026").
  static std::string DateText();

 private:
  platform::Windows& windows_;
  ui::StatusWindow status_;
  bool made_ = false;
  std::string title_;
  platform::Rect rect_{};
  bool shown_ = false;
  int drawnFor_ = 0;
  std::string date_;
};

}  // namespace korvane::app
