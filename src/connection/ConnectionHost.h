#pragma once
// What opening and closing a connection needs from the rest of the program:
// the watch cursor, lines of text in the session window, the request flags
// that the host-input pass and the idle pass serve later, and the window and
// serial-line steps of closing. The session window implements it; tests
// record the calls.

#include <string>
#include <string_view>

namespace korvane {

class ConnectionHost {
 public:
  virtual ~ConnectionHost() = default;

  // ---- Progress ---------------------------------------------------------
  // Next frame of the animated watch cursor.
  virtual void SpinWatchCursor() = 0;
  // Back to the arrow cursor.
  virtual void ShowArrowCursor() = 0;

  // ---- The session window ------------------------------------------------
  // Writes one line of text at the session window's text position, as the
  // program's own output (not the host's).
  virtual void WriteSessionLine(std::string_view text) = 0;
  // Makes what was written to the session window visible now.
  virtual void FlushSessionWindow() = 0;
  // A text in the user's language (the text itself when it has no
  // translation), for lines made of texts and values.
  virtual std::string Localised(const std::string& english) = 0;

  // ---- Requests served later -----------------------------------------------
  // Host input: wait 100 ms, throw away the waiting input, then clear it.
  virtual void RequestFlushHostInput() = 0;
  // Host input, after the flush request: send a bare carriage return.
  virtual void RequestSendReturn() = 0;
  // Idle pass: send the window size to the local shell.
  virtual void RequestSendWindowSize() = 0;
  // Idle pass: ask for the secure-shell user name ("Enter SSH User Name").
  virtual void RequestSshUserName() = 0;
  // Host input's block of received bytes is cleared (the discard of waiting
  // input also forgets what was already taken in).
  virtual void DiscardReceivedInput() = 0;

  // ---- Closing the connection -----------------------------------------------
  // The close was asked for by a menu or a script command.
  virtual bool CloseByCommand() = 0;
  // Records a close that has to wait (the close-hold setting is on).
  virtual void SetCloseRequested() = 0;
  // The host character being handled becomes 0.
  virtual void ClearCurrentHostChar() = 0;
  // No session window is open.
  virtual bool NoSessionWindow() = 0;
  // Opens the active session window again.
  virtual void SelectSessionWindow() = 0;
  virtual void UpdateWindowTitle() = 0;

  // ---- The serial line ---------------------------------------------------------
  // Holds the serial line in the break state for the given time.
  virtual void SendSerialBreak(int milliseconds) = 0;
  // Closes the session's serial port. A modem is hung up first ("+++", then
  // "ATH"); the main loop carries the hang-up out and the port closes when
  // it has ended. The session counts as closed from the call on.
  virtual void CloseSerialPort() = 0;
};

}  // namespace korvane
