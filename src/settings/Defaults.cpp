// The built-in defaults: what a session starts from when no settings file
// says otherwise.

#include <algorithm>

#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane {

Settings::Settings(SessionOptions& options, SettingsState& state, Preferences& p, platform::Files& files,
                   platform::Alerts& alerts, SettingsHost& host)
    : Opt(options), St(state), prefs(p), files_(files), alerts_(alerts), host_(host) {}

void Settings::SetDefaultSettings() {
  for (const auto& d : kSettingsLines) {
    if (!d.hasDefault) continue;
    if (d.Width() != 0) {
      d.SetNumber(Opt, d.defaultNumber);
    } else {
      d.SetText(Opt, std::string(d.defaultText));
    }
  }
  host_.SetSessionDefaults();

  const ScreenSize main = host_.MainScreenSize();
  const int width = std::clamp(main.width, 0, 640);
  const int height = std::clamp(main.height, 0, 480);
  host_.SetWindowSize(width, height);
  host_.ResetScreenDefaults(width);

  // The metrics follow the final text size (the intermediate 16 points that
  // were once computed first never reached the screen).
  Opt.FontSize = 18;
  Opt.TextSizeValue = 18;
  host_.ComputeCellMetrics();
}

}  // namespace korvane
