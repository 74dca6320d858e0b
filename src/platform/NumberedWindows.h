#pragma once
// Every window of the program by its number: the dialog windows made from
// the interface description by name, the session windows made at run time,
// and the two ways of closing a window that bring the active session window
// back to the front.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Windows.h"
#include "platform/MenuNumbers.h"

namespace korvane::platform {

// The name of dialog window n in the interface description, or null when the
// number has none.
const char* WindowNameOf(int n);

// What the window operations read of the program's state.
struct WindowFlags {
  int16_t* StartUpFlag = nullptr;         // 1 until the first idle pass after start-up
  int16_t* QuittingFlag = nullptr;        // quitting has begun
  int16_t* ActiveWindowNumber = nullptr;  // the active session window
  int32_t* EventTimeSlice = nullptr;      // ticks one event delivery may wait
};

class NumberedWindows {
 public:
  NumberedWindows(platform::Windows& windows, WindowFlags flags) : windows_(windows), flags_(flags) {}

  // Opens window n, or brings it to the front when it is open. A dialog
  // window is made from the interface description; a session window that
  // does not exist yet is made as a small run-time window titled
  // "Korvane\xAA" (the session code sizes it).
  int OpenAppWindow(int n);
  // Makes dialog window n from the described window `name` unless it exists,
  // then brings it to the front.
  int WindowFromNib(int n, const std::string& name);
  // Closes window n; when a dialog window closes (not during start-up or
  // quitting) the active session window comes back to the front.
  int SelectWindowPlain(int n);
  // The same, then the session's colours are applied again.
  int SelectWindowWithColors(int n);

  std::string AppWindowName;
  // A dialog window opened through OpenAppWindow is open.
  int16_t DialogWindowOpen = 0;
  // The idle pass applies the session's colours again.
  int16_t RestoreColoursFlag = 0;
  // Applies the active session's drawing colours again.
  std::function<void()> applySessionColours;

 private:
  void CloseAndReturn(int n);

  platform::Windows& windows_;
  WindowFlags flags_;
};

}  // namespace korvane::platform
