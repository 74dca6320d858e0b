#pragma once
// What the screen model needs to know or ask of the program around it: the
// window it is drawn in and the services of other parts of the program. The
// session window implements it; tests use a fake.

#include <cstdint>

namespace korvane {

class ScreenHost {
 public:
  virtual ~ScreenHost() = default;

  // The session's window is the front window and the active session window.
  virtual bool IsFrontSessionWindow() = 0;
  // The session's window is collapsed (nothing is drawn).
  virtual bool IsWindowCollapsed() = 0;
  // Bytes received on the session's serial port and not yet read.
  virtual int SerialBytesWaiting() = 0;
  // Pictures shown in the session must be drawn again.
  virtual void InvalidatePictureArea() = 0;
  // The session window's scroll bar takes this value (range unchanged).
  virtual void SetScrollBarValue(int value) = 0;
  // Ticks (sixtieths of a second) on a clock that only moves forward; the
  // function-key bar is rebuilt at most once in 30 of them.
  virtual int64_t TickCount() = 0;
  // Width in pixels of the display the session window is on; wide displays
  // get the wider function-key bar layouts.
  virtual int DisplayWidth() = 0;
  // A send to the host is counting its lines: show the count again (the
  // repaint has just painted over it).
  virtual void ShowLinesTransmitted() = 0;
  // The first item of the font-size menu becomes enabled.
  virtual void EnableFontSizeMenuItem() = 0;
};

}  // namespace korvane
