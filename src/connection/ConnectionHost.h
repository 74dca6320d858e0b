#pragma once
// What opening and closing a connection needs from the rest of the program:
// the watch cursor, lines of text in the session window, the request flags
// that the host-input pass and the idle pass serve later, the window's record
// of its stream, and the window and serial-port steps of closing. The
// defaults do nothing, which is what a test of the connection alone wants;
// the session window and the event loop fill them in.

#include <string>
#include <string_view>

#include "platform/HostLink.h"

namespace korvane {

class ConnectionHost {
 public:
  virtual ~ConnectionHost() = default;

  // ---- Progress ---------------------------------------------------------
  // Next frame of the animated watch cursor.
  virtual void SpinWatchCursor() {}
  // Back to the arrow cursor.
  virtual void ShowArrowCursor() {}

  // ---- The session window ------------------------------------------------
  // Writes one line of text at the session window's text position, as the
  // program's own output (not the host's).
  virtual void WriteSessionLine(std::string_view /*text*/) {}
  // Makes what was written to the session window visible now.
  virtual void FlushSessionWindow() {}
  // The active window's entry of the window table of streams takes `stream`
  // (null when the session's child is closed).
  virtual void StoreWindowPtyStream(HostLink* /*stream*/) {}

  // ---- Requests served later -----------------------------------------------
  // Host input: wait 100 ms, throw away the waiting input, then clear it.
  virtual void RequestFlushHostInput() {}
  // Host input, after the flush request: send a bare carriage return.
  virtual void RequestSendReturn() {}
  // Idle pass: send the window size to the local shell.
  virtual void RequestSendWindowSize() {}
  // Idle pass: ask for the secure-shell user name ("Enter SSH User Name").
  virtual void RequestSshUserName() {}
  // Host input's block of received bytes is cleared (the discard of waiting
  // input also forgets what was already taken in).
  virtual void DiscardReceivedInput() {}

  // ---- Closing the connection -----------------------------------------------
  // The close was asked for by a menu or a script command.
  virtual bool CloseByCommand() { return false; }
  // Records a close that has to wait (the close-hold setting is on).
  virtual void SetCloseRequested() {}
  // The host character being handled becomes 0.
  virtual void ClearCurrentHostChar() {}
  // No session window is open.
  virtual bool NoSessionWindow() { return false; }
  // Opens the active session window again.
  virtual void SelectSessionWindow() {}
  // The window title is not to be changed.
  virtual bool TitleUpdateOff() { return false; }
  virtual void UpdateWindowTitle() {}
  // Stores the active window's state in its slot.
  virtual void SaveWindowState() {}
  // The name of serial port n (1-based), empty when there is none.
  virtual std::string SerialPortName(int /*n*/) { return {}; }
  // Holds the serial line in the break state for the given time.
  virtual void SendSerialBreak(int /*milliseconds*/) {}
  // Hangs the modem up ("+++", then "ATH").
  virtual void HangUpModem() {}
  // The session's serial port has been closed (its table entry is free).
  virtual void SerialPortClosed() {}
};

}  // namespace korvane
