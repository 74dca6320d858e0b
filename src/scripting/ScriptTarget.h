#pragma once
// What script commands act on: the active session and the program around it.
//
// The command set answers queries at once and leaves everything that touches
// the connection, capture, the clipboard capture or a transfer as a request
// for the idle pass. The program implements this interface once, for its
// active session window; tests use a recording version.
//
// Every text that crosses this interface is in the program's own 8-bit
// character set (Mac Roman, as the screen cells hold it); the scripting
// service converts to and from UTF-8 at the bus. The one exception are the
// paths of OpenDocuments, which are file-system paths as the system gives them.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/SessionOptions.h"

namespace korvane {
class Screen;
}

namespace korvane::scripting {

// The requests a script leaves for the idle pass, in the order in which the
// pending-command pass serves them (DeleteCapture and HostToMacXfer are served
// by the idle pass after it).
enum class ScriptRequest : uint8_t {
  OpenConnection,
  CaptureOpen,
  ClipboardOn,
  MessageToHost,  // text: what to send (one character before "{NOCR}" alone)
  Message,        // text: the message for the line below the screen
  CaptureClose,
  ClipboardOff,
  QuickDial,
  HangUp,
  ScreenSnapshot,
  Paste,
  SendBreak,
  SendControl,  // text: the letter the control character is made from
  SendEscape,
  SendTab,
  CloseConnection,
  DeleteCapture,
  HostToMacXfer,  // the chain's values: ScriptCommandSet::Xfer()
};

// The name of a request as the program knows it ("RequestOpenConnection").
const char* RequestName(ScriptRequest request);

// Values scripts read as the idle pass last copied them at the start of its
// pending-command pass (0 and empty before the first pass).
struct ScriptCopies {
  int16_t ScriptCursorRow = 0;  // 1-based
  int16_t ScriptCursorCol = 0;  // 1-based
  int16_t ScriptScreenRows = 0;
  std::string ScriptCaptureFileName;
  bool ScriptCaptureOn = false;
  bool NoSessionWindowOpen = false;
  // Columns of the session: the fixed width when one is chosen, else the
  // whole cells that fit the window less one (at most 206).
  int16_t SessionColumns = 0;
};

// The state of the transfers that "transfer done" reports on.
struct TransferFlags {
  bool CollectModeOn = false;
  bool UploadInProgress = false;
  bool TransferInProgress = false;
  bool HostToMacCancelled = false;
};

class ScriptTarget {
 public:
  virtual ~ScriptTarget() = default;

  // ---- Pacing ---------------------------------------------------------------
  // Set from launch until the first idle pass after start-up: events are not
  // paced meanwhile.
  virtual bool StartingUp() const = 0;
  // Set while a command is carried out (the session's ScriptCommandBusy).
  virtual void SetScriptCommandBusy(bool busy) = 0;
  // A message in the user's language, looked up by its English text.
  virtual std::string Localise(const std::string& english) const = 0;
  // True while what an earlier command started must end before the next
  // event runs: a message sent to the host waits until the host answers
  // (at most five seconds), so that the script reads the screen after it.
  virtual bool HoldsEvents() const = 0;

  // ---- Requests for the idle pass ---------------------------------------------
  // Raises the request; the text is the argument it was given with, which the
  // consumer uses (a later command must not change what an earlier one sends).
  virtual void Request(ScriptRequest request, const std::string& text) = 0;
  // Takes back a request that has not been served (a new transfer chain).
  virtual void CancelRequest(ScriptRequest request) = 0;

  // ---- The screen and the values copied for scripts ------------------------------
  virtual const ScriptCopies& Copies() const = 0;
  // The active session's screen; null when no session window is open.
  virtual Screen* ActiveScreen() = 0;

  // ---- The connection ----------------------------------------------------------
  // The session's connection is open (pseudo-terminal child or serial port).
  virtual bool HostConnected() const = 0;
  // The serial port is open.
  virtual bool ConnectionOpen() const = 0;
  // The active session's settings; null when no session window is open.
  virtual const SessionOptions* ActiveOptions() const = 0;
  // The session's serial port number (its absolute value indexes the names).
  virtual int16_t SerialPort() const = 0;
  // The name of the serial port at an index of the port table; empty outside it.
  virtual std::string SerialPortName(int index) const = 0;
  // Reads and clears the flag host input sets when it puts a host character
  // on the screen.
  virtual bool TakeHostDataArrived() = 0;

  // ---- The clipboard -------------------------------------------------------------
  // Appends the text and a carriage return to the clipboard text.
  virtual void AppendLineToClipboard(const std::string& text) = 0;
  // Starts the clipboard text afresh (empty) for the appends that follow.
  virtual void ResetClipboardCopy() = 0;
  virtual void ClearClipboard() = 0;

  // ---- Capture and transfers (the capture code's actions for scripts) ------------------
  // Each returns the reply text the action gives.
  virtual std::string GetCaptureFileName() = 0;
  virtual std::string SetCaptureFileFromScript(const std::string& path) = 0;
  virtual std::string StartHostToMacTransfer(const std::string& hostCommand) = 0;
  virtual std::string SendFileToHost(const std::string& name) = 0;
  virtual TransferFlags Transfers() const = 0;
  // Returns the host-to-desktop receipt to its idle state (collect mode off).
  virtual void ResetHostToMacReceive() = 0;
  // The user's desktop folder, where a chained transfer writes its file.
  virtual std::string DesktopFolder() const = 0;
  // The path of the file the chained transfer will write.
  virtual void SetCaptureFilePath(const std::string& path) = 0;

  // ---- Documents --------------------------------------------------------------------
  // Settings, QuickDial and function-key documents to open on the next idle
  // pass, in order (absolute file-system paths, not converted).
  virtual void OpenDocuments(const std::vector<std::string>& paths) = 0;
};

}  // namespace korvane::scripting
