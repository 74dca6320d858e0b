#pragma once
// The services each session window gets from the program: its menus, the
// bell, the keyboard as host commands look at it, capture and printing, the
// dialogs, its serial line (app/SerialLines), the host's run-script
// command, its transfers and its pictures. A part the platform cannot carry
// (pictures without image readers, the clipboard without one) tells the user
// that the feature is not available when it is asked for, once per window and
// feature, and otherwise answers as a session without that feature would.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "input/KeyState.h"
#include "output/SessionCapture.h"
#include "output/SessionClipboard.h"
#include "output/SessionPictures.h"
#include "output/SessionTransfers.h"
#include "platform/AlertRoutines.h"
#include "platform/Menus.h"
#include "platform/Sounds.h"
#include "platform/StringTable.h"
#include "windows/SessionServiceProvider.h"

namespace korvane::app {

class ProgramDialogs;
class SerialLines;

struct AppServiceParts {
  platform::AlertRoutines& alerts;
  platform::Menus& menus;
  platform::Sounds& sounds;
  input::KeyState& keys;
  // The "Save Settings as" dialog: the chosen path, or nothing when the user
  // cancels. Without it no name can be chosen.
  std::function<std::optional<std::string>(const std::string& proposed)>& askSettingsFileName;
  // The printing parts, file dialogs and clipboard every window's capture
  // and printing share.
  output::CaptureShared& capture;
  // The dialog windows.
  ProgramDialogs& dialogs;
  // The program's serial ports and each window's serial line.
  SerialLines& serial;
  // The messages in the user's language (the replies scripts read).
  const platform::StringTable& strings;
  // The host's run-script command, the same for every window.
  ScriptService& scripts;
  // Programs run beside the program (curl, for the pictures the host names
  // by their web address), and the sizes of picture files; without picture
  // files, pictures are not available.
  platform::Programs& programs;
  platform::PictureFiles* pictureFiles = nullptr;
};

class AppServiceProvider final : public SessionServiceProvider {
 public:
  explicit AppServiceProvider(const AppServiceParts& parts) : parts_(parts) {}
  std::unique_ptr<SessionServiceSet> MakeServices(SessionWindow& window) override;
  // The desktop's clipboard for the windows made from now on; without it a
  // window's clipboard tells the user it is not available.
  void UseClipboard(output::ClipboardPlatform platform) {
    clipboard_ = std::make_unique<output::ProgramClipboard>(std::move(platform));
  }

 private:
  AppServiceParts parts_;
  std::unique_ptr<output::ProgramClipboard> clipboard_;
};

}  // namespace korvane::app
