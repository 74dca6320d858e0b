#pragma once
// What the host-driven commands of the VT interpreter and of the sequences
// both families share need from the rest of the program: the capture and
// printer code, sending files to the host, the scripting side, menus and the
// window. The defaults describe a session with none of those parts present:
// nothing is printed, captured, sent or run, and requests that would need a
// part report that it is not there. The output, scripting and window code
// override them as they come in.
//
// Paths handed to these hooks have already been checked: host-named files lie
// inside the folder of their feature, and reading or running a local file for
// the host was confirmed by the user.

#include <string>

namespace korvane {

class HostCommandHooks {
 public:
  virtual ~HostCommandHooks() = default;

  // ---- Folders host-named files are confined to --------------------------------
  // Capture files the host names (ESC ~ 5): the user's desktop folder.
  virtual std::string CaptureFolder();
  // Scripts the host may run by name (ESC ~ a): $XDG_CONFIG_HOME/korvane/scripts.
  virtual std::string ScriptsFolder();
  // Files the host asks to be sent (ESC ~ s, ESC ~ G): $XDG_DATA_HOME/korvane.
  virtual std::string TransferFolder();

  // ---- Window, sound, menus -------------------------------------------------------
  virtual void Beep() {}
  // Removes the pictures shown in the session (a cleared screen drops them).
  virtual void RemoveInlinePictures() {}
  // A full redraw of the session window, frame included (ESC ~ D, wide mode).
  virtual void RedrawWindow() {}
  // Gives the session window this content rectangle (wide mode widens a
  // narrow window).
  virtual void SetWindowRect(int /*top*/, int /*left*/, int /*bottom*/, int /*right*/) {}
  // Menu marks that follow the host's mode changes.
  virtual void ShowAutoWrapMark(bool /*on*/) {}
  virtual void ShowWideModeMarks(bool /*wide*/) {}
  virtual void ShowCapsModeMark(bool /*on*/) {}
  // The close-connection item loses its command key (true) or gets Option-C (false).
  virtual void SetCloseKeyOff(bool /*off*/) {}
  // Opens the session window again when none is open.
  virtual void ReopenSessionWindow() {}

  // ---- Printing ---------------------------------------------------------------------
  virtual void PrintScreen() {}
  // Starts the printer capture; false when it could not be started (the host's
  // text then stays on the screen).
  virtual bool OpenPrinterCapture() { return false; }
  // Shows the capture indicators of the status window again.
  virtual void ShowCaptureModes() {}

  // ---- Capture files ---------------------------------------------------------------
  // Opens `path` as the capture file (created or truncated) with its HTML
  // head; false when it cannot be opened.
  virtual bool OpenCaptureFile(const std::string& /*path*/) { return false; }
  // Reopens `path` for appending with its HTML head; false on failure.
  virtual bool ReopenCaptureForAppend(const std::string& /*path*/) { return false; }
  // Writes the HTML end, closes the capture file and enables the Recorder item.
  virtual void CloseCaptureFile() {}
  // Abandons a capture that could not be set up.
  virtual void AbortAndCloseCapture() {}
  // Lets the user choose a new capture file (the host asked for one).
  virtual void NewCaptureFile() {}
  // Appends to or deletes a capture file through its dialogs (the host asked).
  virtual void AppendDeleteCaptureFile() {}
  // Turns clipboard capture on.
  virtual void DoClipboardCapture() {}
  // Clears the second status line.
  virtual void ClearStatusLine() {}
  // True (after telling the user) when `path` names one of the program's own
  // files, which a capture must not overwrite.
  virtual bool CheckReservedFileName(const std::string& /*path*/) { return false; }
  // Shows where a download will be saved ("File will be saved as").
  virtual void ShowDownloadTarget(const std::string& /*path*/) {}

  // ---- Sending files to the host -----------------------------------------------------
  // Lets the user choose a text file and sends it; false when the user cancelled.
  virtual bool ChooseAndSendTextFile() { return false; }
  // Sends the text file at `path` (already confirmed by the user); false when
  // it could not be sent.
  virtual bool SendTextFileToHost(const std::string& /*path*/) { return false; }
  // The host asked for the file at `path` to be sent: the flow-control check
  // and the send-options window, where the user starts the send.
  virtual void HostRequestedSend(const std::string& /*path*/) {}

  // ---- Scripts ---------------------------------------------------------------------
  // Runs the script at `path` (in the scripts folder, confirmed by the user)
  // without a shell; false when it could not be started.
  virtual bool RunScript(const std::string& /*path*/) { return false; }
};

}  // namespace korvane
