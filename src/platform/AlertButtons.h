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

}  // namespace korvane::platform
