#pragma once
// What the screen model needs to know or ask of the program around it: the
// window it is drawn in and the services of other parts of the program. The
// defaults describe a lone session window in front with nothing else going on,
// which is what a test of the screen alone wants.

#include <chrono>
#include <cstdint>

namespace korvane {

class ScreenHost {
 public:
  virtual ~ScreenHost() = default;

  // The session's window is the front window and the active session window.
  virtual bool IsFrontSessionWindow() { return true; }
  // The session's window is collapsed (nothing is drawn).
  virtual bool IsWindowCollapsed() { return false; }
  // Bytes received on the session's serial port and not yet read.
  virtual int SerialBytesWaiting() { return 0; }
  // Pictures shown in the session must be drawn again.
  virtual void InvalidatePictureArea() {}
  // The session window's scroll bar takes this value (range unchanged).
  virtual void SetScrollBarValue(int /*value*/) {}

  // Ticks (sixtieths of a second) on a clock that only moves forward; the
  // function-key bar is rebuilt at most once in 30 of them.
  virtual int64_t TickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() * 60 / 1000;
  }
  // Width in pixels of the display the session window is on; wide displays
  // get the wider function-key bar layouts.
  virtual int DisplayWidth() { return 1280; }
  // A send to the host is counting its lines: show the count again (the
  // repaint has just painted over it).
  virtual void ShowLinesTransmitted() {}
  // The first item of the font-size menu becomes enabled.
  virtual void EnableFontSizeMenuItem() {}
};

}  // namespace korvane
