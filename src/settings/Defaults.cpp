// The built-in defaults: what a session starts from when no settings file
// says otherwise.

#include <algorithm>

#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane {

Settings::Settings(Session& s, Preferences& p, platform::Files& files, platform::Alerts& alerts, SettingsHost& host)
    : session(s), Opt(s.Opt), St(s.settings), prefs(p), files_(files), alerts_(alerts), host_(host) {}

void Settings::SetDefaultSettings() {
  for (const auto& d : kSettingsLines) {
    if (!d.hasDefault) continue;
    if (d.Width() != 0) {
      d.SetNumber(Opt, d.defaultNumber);
    } else {
      d.SetText(Opt, std::string(d.defaultText));
    }
  }
  Screen& screen = session.screen;
  screen.CursorRow = 1;
  screen.CursorCol = 1;
  screen.DisplayOn = 1;
  host_.SetSessionDefaults();

  const ScreenSize main = host_.MainScreenSize();
  const int width = std::clamp(main.width, 0, 640);
  const int height = std::clamp(main.height, 0, 480);
  screen.WindowWidth = static_cast<int16_t>(width);
  host_.SetWindowSize(width, height);

  screen.NormalForeColour = 17;
  screen.NormalBackColour = 18;
  screen.CurrentBackColour = 18;

  // The metrics follow the final text size (the intermediate 16 points that
  // were once computed first never reached the screen).
  Opt.FontSize = 18;
  Opt.TextSizeValue = 18;
  screen.ComputeCellMetrics();
}

}  // namespace korvane
