#pragma once
// Marks a session's settings as changed when something the user does changes
// what its settings file would hold, so that closing its window asks whether
// to save them. The watch compares the saved form of the settings before and
// after: it sees every change of a saved setting, whichever menu item or
// dialog made it, and none of the values that are never saved.
//
// Settings read from a document, or saved under a new name, are a new start,
// not a change: while the window's settings document changes, nothing is
// marked.

#include <string>
#include <vector>

#include "windows/SessionWindows.h"

namespace korvane::app {

class SettingsChangeWatch {
 public:
  // Watches session window `w` (none: nothing is watched).
  SettingsChangeWatch(SessionWindows& windows, SessionWindow* w) : windows_(windows), window_(w) {
    if (!w) return;
    number_ = w->Number();
    document_ = w->session.settings.SettingsFileName;
    before_ = w->settings.WriteFkeysAndSettings(true);
  }
  ~SettingsChangeWatch() {
    // The window may have been closed, and its number taken by a new one.
    if (!window_ || windows_.Find(number_) != window_) return;
    if (window_->session.settings.SettingsFileName != document_) return;
    if (window_->settings.WriteFkeysAndSettings(true) != before_) window_->session.window.SettingsChanged = 1;
  }
  SettingsChangeWatch(const SettingsChangeWatch&) = delete;
  SettingsChangeWatch& operator=(const SettingsChangeWatch&) = delete;

 private:
  SessionWindows& windows_;
  SessionWindow* window_;
  int number_ = 0;
  std::string document_;
  std::vector<std::string> before_;
};

}  // namespace korvane::app
