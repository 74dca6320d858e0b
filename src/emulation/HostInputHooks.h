#pragma once
// What host input needs from the rest of the program: the connection side,
// the download and send steps, the window, the keyboard and the alerts. The
// defaults describe a session with nothing else going on (no transfer, no
// keyboard, no alerts shown), which is what a test of host input alone wants;
// the program overrides them as the other parts come in.

#include <string>

namespace korvane {

class Screen;

class HostInputHooks {
 public:
  virtual ~HostInputHooks() = default;

  // ---- Connection ----------------------------------------------------------
  // Closes the session's connection as if the user had asked for it.
  virtual void CloseConnection() {}
  // Closes, checks and reopens the serial port after a failed read.
  virtual void OpenSelectedSerialPort() {}

  // ---- Transfers -------------------------------------------------------------
  // The no-input end of a pass hands over to the host-to-local download step.
  virtual void ReceiveDownloadFromHost() {}
  // Sends the next piece of a text or file send to the host.
  virtual void ContinueSendToHost() {}
  // Ends printer capture (and prints what it collected).
  virtual void PrinterCaptureOff() {}

  // ---- Window and screen ----------------------------------------------------
  // Takes the text cursor off the screen if it is drawn.
  virtual void EraseTextCursor() {}
  // Spreads the current attribute code forward from the cursor to the next
  // embedded attribute and asks for a repaint. Until the repaint code fills
  // this in, only the repaint is asked for; the planes already hold the codes.
  virtual void SpreadAttributeForward(Screen& screen);
  virtual void RestoreArrowCursor() {}
  virtual void ShowBusyCursor() {}
  virtual void ShowStopAlert(const std::string& /*text*/) {}

  // ---- Keyboard --------------------------------------------------------------
  // True while the user asks to cancel a wait for the host (Command-period).
  virtual bool CancelRequested() { return false; }
  // Reads the keyboard while the user holds the output; true while the hold
  // lasts. Without a keyboard there is nothing to hold.
  virtual bool OutputStillHeld() { return false; }
};

}  // namespace korvane
