#include "platform/AlertButtons.h"

#include <string_view>

namespace korvane::platform {

std::vector<AlertButton> AlertButtonsFor(int alertId) {
  switch (alertId) {
    case 301:
    case 309:
    case 314: return {{1, "OK"}, {2, "Cancel"}};
    case 303: return {{1, "Print"}, {2, "Quit"}};
    case 311: return {{1, "OK"}, {3, "Cancel"}};
    case 316: return {{1, "Save"}, {2, "Don't Save"}};
    case 325: return {{1, "Save"}, {4, "Don't Save"}};
    case 3999: return {{1, "OK"}, {6, "Quit"}};
    case kAskBeforeOpeningAlert: return {{2, "Cancel"}, {1, "OK"}};
    case kAskBeforeOpeningPageAlert:
      return {{2, "Cancel"}, {1, "OK"}, {kOkDontAskAgainItem, "OK, and don't ask again for this session"}};
    default: return {{1, "OK"}};
  }
}

int AlertCancelItem(int alertId) {
  const std::vector<AlertButton> buttons = AlertButtonsFor(alertId);
  for (const AlertButton& b : buttons)
    if (std::string_view(b.title) == "Cancel") return b.item;
  return buttons.back().item;
}

}  // namespace korvane::platform
