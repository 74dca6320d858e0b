#pragma once
// The buttons of each numbered alert, as item numbers and English titles.
// Callers branch on the item number the alert returns; a number not listed
// has one button, item 1 "OK".

#include <vector>

namespace korvane::platform {

struct AlertButton {
  int item;
  const char* title;
};

// The buttons of alert `alertId`, the default (first) one first.
std::vector<AlertButton> AlertButtonsFor(int alertId);

// The item an alert answers when it is closed without a button or with
// Escape: its Cancel button, else its last button.
int AlertCancelItem(int alertId);

// The question asked before a file is opened for the user or a host: OK and
// Cancel, Cancel the default.
inline constexpr int kAskBeforeOpeningAlert = 330;
// The question asked before a web page is opened for a host: Cancel (the
// default), OK, and OK without asking again for the rest of the session.
inline constexpr int kAskBeforeOpeningPageAlert = 331;
inline constexpr int kOkDontAskAgainItem = 3;

}  // namespace korvane::platform
