#pragma once
// What the screen model needs to know or ask of the program around it: the
// window it is drawn in and the services of other parts of the program. The
// defaults describe a lone session window in front with nothing else going on,
// which is what a test of the screen alone wants.

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
};

}  // namespace korvane
