#pragma once
// What the settings windows need from the rest of the program, for the
// active session: its window and screen, the connection and transfers, and
// the documents of the program. The program implements it once for a session
// window; tests record the calls.

#include <string>

namespace korvane::ui {

// The choices of the host-to-computer transfer window, as the transfer code
// keeps them.
struct HostTransferChoice {
  bool fiveFields = false, tenFields = false;        // buttons 10, 11
  bool conversionOn = false, conversionOff = false;  // buttons 12, 13
  bool noPrompt = false, prompt = false;             // buttons 17, 18
  bool refused = false;                              // button 22
  int fieldsPerRecord = 0;                           // field 20
  int recordValue = 0;                               // field 9 (5 or 10 by the buttons when empty)
  std::string fileName;                              // field 3
};

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // ---- The session window ------------------------------------------------------
  // When no session window is open, the active one is opened again.
  virtual void SelectSessionWindowIfNone() = 0;
  // The active session's settings differ from the saved ones.
  virtual void MarkSettingsChanged() = 0;
  // The preferences are locked: the windows that change them are refused
  // (the lock file is looked at again).
  virtual bool PrefsLocked() = 0;
  virtual void Beep() = 0;
  // Output is held, or a resized window waits for its repaint: clicks on the
  // session window are dropped.
  virtual bool SessionClicksBlocked() = 0;
  virtual bool ScrollbackViewShown() = 0;
  virtual void ResetScrollbackView() = 0;
  // A click on control `control` of the session window (a function-key
  // label): the function-key bar's click handling, with the session's
  // colours applied.
  virtual void FunctionKeyBarClick(int control) = 0;
  virtual void EraseTextCursor() = 0;
  // The text area is repainted from the planes on the next idle pass.
  virtual void RequestRepaint() = 0;
  // The function-key bar is built again (its labels changed).
  virtual void RedrawFunctionKeyBar() = 0;
  virtual void ClearScrollback() = 0;
  // ANSI colours were confirmed: the screen's colour planes are cleared, and
  // a full scroll-back with colour planes takes the default colours.
  virtual void ClearColourPlanes() = 0;
  // The colours of the record become the session's (normal foreground, the
  // current and normal background); the window is cleared and repainted.
  virtual void ApplyColoursAndRepaint() = 0;
  virtual void SetWindowOpacity(int percent) = 0;
  // A line of text in the session window, for the user.
  virtual void SessionMessage(const std::string& text) = 0;
  // The host has switched the VT cursor keys to application mode.
  virtual bool CursorKeyApplicationMode() = 0;

  // ---- Settings that reach beyond the record -----------------------------------
  // The emulation choice of Emulate-menu item `item` (its flags, arrow keys,
  // scroll region, name and marks).
  virtual void ApplyEmulationChoice(int item) = 0;
  // The menu command keys follow the alternative editing keys.
  virtual void SetMenuCommandKeys() = 0;
  // The editing keys send their escape sequences, or nothing of their own.
  virtual void BuildControlStrings() = 0;
  virtual void ClearHostStrings() = 0;
  // The printer font follows the line-graphics choice.
  virtual void PrinterFontFollows() = 0;
  // Capture files are HTML documents (the capture application is a browser).
  virtual void SetHtmlCapture(bool html) = 0;

  // ---- Connections and transfers -----------------------------------------------
  // Starts the secure-shell connection with the user name typed for it.
  virtual void StartSecureShell(const std::string& user) = 0;
  // The keep-alive set-up runs on the next idle pass.
  virtual void RequestKeepAlive(const std::string& adminPassword) = 0;
  // The host's transfer goes ahead with these choices on the next idle pass.
  virtual void RequestHostTransfer(const HostTransferChoice& choice) = 0;
  // The transfer the host asked for is cancelled, or refused.
  virtual void CancelHostTransfer(bool refused) = 0;
  // Captures the host's output into `path` (already checked); false, with
  // the reason shown, when the file cannot be opened.
  virtual bool StartHostNamedCapture(const std::string& path) = 0;
  // A path the program may not write (its own files): true, with an alert.
  virtual bool ReservedFileName(const std::string& path) = 0;
  // The folder host-named capture files are kept in.
  virtual std::string CaptureFolder() = 0;
  virtual void AbortCapture() = 0;
  // Sends `text` and a carriage return to the host.
  virtual void AnswerHost(const std::string& text) = 0;
  // The number the next dial uses is forgotten.
  virtual void ClearDialNumber() = 0;

  // ---- The program's documents -------------------------------------------------
  // Opens a document of the program's resources ("Dialog Help Files:Telnet
  // Help.rtf"); a missing one is reported.
  virtual void OpenResourceDocument(const std::string& path) = 0;
  // "English" or "French".
  virtual std::string MenuLanguage() = 0;
  // The settings folder and the program's resources folder, each ending in "/".
  virtual std::string PreferencesFolder() = 0;
  virtual std::string ResourcesFolder() = 0;
  virtual std::string ProgramVersion() = 0;
};

}  // namespace korvane::ui
