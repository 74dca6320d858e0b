#pragma once
// What the menu handlers need of the program around the session windows:
// the windows themselves, the requests the idle pass carries out, the end of
// the program, the settings lock and the program's folders. The program
// implements it once; tests record what the menus ask.

#include <string>

#include "platform/FileDialogs.h"

namespace korvane {
class SessionWindows;
}

namespace korvane::ui {

class MenuHost {
 public:
  virtual ~MenuHost() = default;

  // The session windows (the active one among them).
  virtual SessionWindows& Windows() = 0;

  // ---- Requests the idle pass carries out ------------------------------------
  // Opens the active session's connection.
  virtual void RequestOpenConnection() = 0;
  // Brings session window `window` to the front (its activation then makes
  // it the active session).
  virtual void RequestWindowSelect(int window) = 0;
  // The quit sequence, with its questions, at the end of this turn.
  virtual void RequestQuit() = 0;
  // Ends the program at the end of this turn without saving any settings:
  // captures are closed, children hung up and temporary files deleted.
  virtual void EndProgram() = 0;
  // Lets the window system deliver its events for `milliseconds` (what the
  // user does meanwhile waits in the queue).
  virtual void Pause(int milliseconds) = 0;

  // ---- The program's folders and the settings lock -----------------------------
  // A lock file was found at start-up: the commands that change settings open
  // it for the user to read instead.
  virtual bool PrefsLocked() = 0;
  // The lock file's path (empty when there is none).
  virtual std::string LockFilePath() = 0;
  // The settings folder, ending in "/".
  virtual std::string PreferencesFolder() = 0;
  // The program's data folder (the help documents lie in its "help" folder).
  virtual std::string ResourcesFolder() = 0;
  // The open-file dialog; null when the window system has none.
  virtual platform::FileDialogs* FileDialogs() = 0;
};

}  // namespace korvane::ui
