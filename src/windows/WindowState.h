#pragma once
// What one session window keeps besides its screen, connection and settings:
// its number and titles, and the requests that the idle pass serves for it.
// Requests belong to the window that made them, so a switch to another
// window never hands one session's pending work to another.

#include <cstdint>
#include <string>

namespace korvane {

struct WindowState {
  int16_t WindowNumber = 0;
  // The title as the Window menu lists it, and as the window shows it (the
  // listed title followed by the connection mark, when one is shown).
  std::string ItemTitle, WindowTitle;
  // "Telnet", "Secure Connection", "Local Shell", "Serial Port n" or
  // "modem": the connection part of a title made from the settings.
  std::string ConnectionWord;
  // A setting that is saved in a settings file was changed in this window.
  int16_t SettingsChanged = 0;
  // The window's settings came from a document named when the program started.
  int16_t FromLaunchDocument = 0;
  // Plain-text mode forces auto-wrap; the user's own choice waits here.
  int16_t SavedAutoWrap = 0;
  // Upper-case keys were forced from the Emulate menu.
  int8_t CapsModeForced = 0;

  // ---- Requests served by the idle and periodic passes ------------------------
  // Open the connection at the next periodic pass (the session starts with
  // its connection).
  int16_t ConnectAtStart = 0;
  // Return was pressed while not connected: open the connection.
  int16_t ConnectOnReturn = 0;
  // The last row holding text, found by the periodic pass (0 when none).
  int16_t LastTextRow = 0;
  // Counter: the window size goes to the host on the pass after it was set.
  int16_t WindowSizeCounter = 0;
  int16_t WindowSizeRequest = 0;
  // A secure-shell session without a user name asks for one at the next pass.
  int16_t SshUserNameRequest = 0;
  int16_t BackgroundRequest = 0;
  int16_t ScrollBackResetRequest = 0;
  // The window frame (capture status) is drawn again at the next pass.
  int16_t FramePending = 0;
  // A cursor position to apply at the next pass (0: none).
  int16_t PendingCursorRow = 0, PendingCursorCol = 0;
  // The connection mark last shown in the title (0 none, 0xA5 open, 0xC5 closed).
  uint8_t TitleMark = 0;
  // The last repaint from the planes, for the once-a-frame limit.
  int64_t LastRepaintMs = INT64_MIN / 2;
  // The last time the scroll bar was brought in line with the store.
  int64_t LastScrollBarMs = INT64_MIN / 2;
};

}  // namespace korvane
