#pragma once
// The services each session window gets from the program: its menus, the
// bell, the keyboard as host commands look at it, its serial line
// (app/SerialLines), and the parts that are still to come (capture and
// printing, the clipboard, transfers, pictures, scripts and the dialogs),
// which tell the user that the
// feature is not available when it is asked for, once per window and
// feature, and otherwise answer as a session without that feature would.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "input/KeyState.h"
#include "platform/AlertRoutines.h"
#include "platform/Menus.h"
#include "platform/Sounds.h"
#include "windows/SessionServiceProvider.h"

namespace korvane::app {

class SerialLines;

struct AppServiceParts {
  platform::AlertRoutines& alerts;
  platform::Menus& menus;
  platform::Sounds& sounds;
  input::KeyState& keys;
  // The "Save Settings as" dialog: the chosen path, or nothing when the user
  // cancels. Without it no name can be chosen.
  std::function<std::optional<std::string>(const std::string& proposed)>& askSettingsFileName;
  // The program's serial ports and each window's serial line.
  SerialLines& serial;
};

class AppServiceProvider final : public SessionServiceProvider {
 public:
  explicit AppServiceProvider(const AppServiceParts& parts) : parts_(parts) {}
  std::unique_ptr<SessionServiceSet> MakeServices(SessionWindow& window) override;

 private:
  AppServiceParts parts_;
};

}  // namespace korvane::app
