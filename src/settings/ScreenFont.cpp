// The screen font at start-up.

#include "settings/ScreenFont.h"

#include <cerrno>
#include <string>

#include "platform/CharMap.h"
#include "platform/Files.h"

namespace korvane {

int ActivateScreenFont(platform::Fonts& fonts, platform::Alerts& alerts) {
  const std::string file = fonts.FindFontFile(kScreenFontFamily);
  if (file.empty()) {
    alerts.Show(platform::AlertKind::Stop, 300,
                "The screen font " + std::string(kScreenFontFamily) + " is not installed.", "\r",
                "Install the package fonts-dejavu-core, then start Korvane again.");
    return ENOENT;
  }
  if (const int error = fonts.ActivateFontFile(file)) {
    alerts.Show(platform::AlertKind::Stop, 300, "The screen font could not be loaded from ",
                platform::MacRomanFromUtf8(file) + ": " + platform::FileErrorText(error));
    return error;
  }
  return 0;
}

}  // namespace korvane
