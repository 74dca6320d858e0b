#pragma once
// What a session needs from the parts of the program above its interpreters,
// one small interface per concern: capture and printing, the clipboard,
// transfers, pictures, scripts, its window, its menus, sounds, the serial
// line and dialogs. Each is implemented once for a session window; where the
// platform has no clipboard or picture store, the implementation tells the
// user so, never one that quietly does nothing. The recording versions live
// with the tests.
//
// Paths handed to these services have already been checked: host-named files
// lie inside the folder of their feature, and reading or running a local file
// for the host was confirmed by the user.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulation/HostAlerts.h"
#include "platform/Alerts.h"
#include "platform/Desktop.h"

namespace korvane {

class HostInput;

// Capture files and printing: the capture file and the printer capture that
// received text is echoed to, and what the host, the menus and scripts ask of
// them.
class CaptureService {
 public:
  virtual ~CaptureService() = default;
  // Opens `path` as the capture file (created or truncated, with its HTML
  // head when it is an HTML capture); false when it cannot be opened.
  virtual bool OpenCaptureFile(const std::string& path) = 0;
  // Reopens `path` for appending; false on failure.
  virtual bool ReopenCaptureForAppend(const std::string& path) = 0;
  // Opens `path` for a host text transfer and writes its header; false when
  // it cannot be opened.
  virtual bool OpenTransferCapture(const std::string& path) = 0;
  // Writes the HTML end, closes the capture file and enables the Recorder item.
  virtual void CloseCaptureFile() = 0;
  // Abandons a capture that could not be set up.
  virtual void AbortAndCloseCapture() = 0;
  // The host asked for a new capture file: the user chooses it.
  virtual void NewCaptureFile() = 0;
  // The host asked to append to or delete a capture file, through its dialogs.
  virtual void AppendDeleteCaptureFile() = 0;
  // True (after telling the user) when `path` names one of the program's own
  // files, which a capture must not overwrite.
  virtual bool CheckReservedFileName(const std::string& path) = 0;
  // Received text, as the echo router hands it on: the capture file's text
  // and its line end (CR, CR LF, or "<BR>" and CR in an HTML capture).
  virtual void WriteCaptureFile(std::string_view text) = 0;
  virtual void WriteCaptureLineEnd() = 0;

  // Starts printer capture of host output; false when it could not be
  // started (the host's text then stays on the screen).
  virtual bool OpenPrinterCapture() = 0;
  virtual void WritePrinterCapture(std::string_view text) = 0;
  // Ends printer capture and prints what it collected.
  virtual void PrinterCaptureOff() = 0;
  virtual void PrintScreen() = 0;
  // Clears the second status line, where the capture state is shown.
  virtual void ClearStatusLine() = 0;
  // The capture indicators of the window and the status window.
  virtual void ShowCaptureModes() = 0;
  virtual void ShowCaptureStatus() = 0;

  // What the Recorder and File menus ask for.
  virtual void RecorderOn() = 0;
  virtual void RecorderOff() = 0;
  virtual void AppendToCaptureFile() = 0;
  virtual void DeleteCaptureFile() = 0;
  virtual void TurnPrinterOn() = 0;
  virtual void PrintScrollBack() = 0;
  virtual void PrintTextFile() = 0;
  virtual void PageSetup() = 0;

  // The host names the recorder file as the next capture file (ESC ~ H).
  virtual void UseRecorderFile() = 0;
  // The end of an input pass: what the pass gathered goes to the files.
  virtual void Flush() = 0;
  // The idle pass: a deferred print once the host has been quiet, and the
  // capture marks of the menus when the window is the active one.
  virtual void ServeIdlePass() = 0;
  // A deferred print waits for the host to be quiet: the loop must look
  // again on its tick. (A service that cannot tell says so.)
  virtual bool DeferredPrintWaiting() const { return true; }
  // The quit prompt's "Print": ends printer capture and prints what it
  // collected at once, deferred printing or not.
  virtual void PrintBeforeQuit() = 0;

  // The capture-file actions of scripts, each returning its reply text:
  // "setf" chooses the capture file, "getc" reports its full path, "delc"
  // (served by the idle pass) deletes it unless capture is on.
  virtual std::string SetCaptureFileFromScript(const std::string& path) = 0;
  virtual std::string GetCaptureFileName() = 0;
  virtual std::string DeleteCaptureFileForScript() = 0;
  // The capture file as scripts see it: "RECORDER", a bare name or a path.
  virtual std::string CaptureFileName() = 0;
};

// The clipboard and the mouse of the session window: clipboard capture of
// received text, paste to the host, the snapshot of the screen, and the mouse
// reports the host switches.
class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  virtual bool ClipboardCaptureOn() = 0;
  virtual void StartClipboardCapture() = 0;
  virtual void StopClipboardCapture() = 0;
  // Received text, as the echo router hands it on while clipboard capture is on.
  virtual void CopyToClipboard(std::string_view text) = 0;
  // "{PA" and the Paste menu item: the clipboard's text goes to the host.
  virtual void PasteToHost() = 0;
  // The Screen menu's picture of the whole text area.
  virtual void SnapshotScreenAsPdf() = 0;
  // What scripts do to the clipboard's text at once: append a text and, when
  // the end marker is "CR", a line end; start the text afresh (empty); empty
  // the clipboard.
  virtual void CopyLineToClipboard(std::string_view text, std::string_view endMarker) = 0;
  virtual void ResetCopyBuffersNow() = 0;
  virtual void ClearClipboard() = 0;
  // The host turns the reports of mouse clicks on or off (ESC ~ 1, ESC ~ 2).
  virtual void SetMouseReports(bool on) = 0;
  // The session's settings were applied: the mouse reports follow them again.
  virtual void SettingsApplied() = 0;
};

// The values a script's host-to-desktop transfer chain gathered, for the
// transfer that receives the file.
struct HostToMacXferRequest {
  std::string hostCommand;
  std::string fileName;  // a plain name: the file goes on the desktop
  std::string path;      // the desktop folder and the name
  std::string convert = "No";
  int16_t fieldsPerRecord = 0;
  std::string overWrite = "No";
  int16_t linesToSkip = 1;
  int16_t timeOutTime = 5;  // seconds, never 0
  std::string noPage = "Yes";
};

// The user's answer in the host-to-computer transfer window.
struct HostTransferAnswer {
  bool confirmed = false;   // OK; false: cancelled or refused
  bool refused = false;     // the user refused the transfer outright
  std::string command;      // what is sent to the host to start its data
  bool conversion = false;  // the host's fields become TAB-separated records
  int fieldsPerRecord = 0;
  int recordValue = 0;
  bool noPrompt = false;  // " (N" follows the command
};

// Sending text and files to the host, and the host's own transfers.
class TransferService {
 public:
  virtual ~TransferService() = default;
  // The user chooses a text file and it is sent; false when the user cancelled.
  virtual bool ChooseAndSendTextFile() = 0;
  // The same, the send paced by the host's flow-control answers.
  virtual void SendTextFileWithFlowCheck() = 0;
  // Sends the text file at `path`; false when it could not be sent.
  virtual bool SendTextFileToHost(const std::string& path) = 0;
  // The host asked for the file at `path` to be sent: the send-options
  // window opens with it, where the user starts the send.
  virtual void HostRequestedSend(const std::string& path) = 0;
  // The host asks for a file (ESC STX U): reads the rest of the request
  // with in.GetNextHostByte().
  virtual void HostRequestsUpload(HostInput& in) = 0;
  // The no-input end of a pass hands over to the host-to-desktop download.
  virtual void ReceiveDownloadFromHost() = 0;
  // Sends the next piece of a text or file send.
  virtual void ContinueSendToHost() = 0;
  // Shows where a download will be saved.
  virtual void ShowDownloadTarget(const std::string& path) = 0;
  // A send is counting its lines: show the count again.
  virtual void ShowLinesTransmitted() = 0;
  // The Host Control menu's control characters end a text or file send under
  // way first (its file is closed).
  virtual void CloseTransferFile() = 0;

  // What scripts start and ask; the texts are the replies the script reads.
  // "htmx": the host-to-desktop transfer of what `hostCommand` makes the
  // host send, into a file on the desktop (the user confirms it first).
  virtual std::string StartHostToMacTransfer(const std::string& hostCommand) = 0;
  // "mthx": sends the text file `name` (a path, or a bare name; empty: the
  // user chooses) to the host.
  virtual std::string SendFileToHost(const std::string& name) = 0;
  // A send or a host-to-desktop transfer is under way; the user cancelled
  // the last host-to-desktop transfer.
  virtual bool UploadInProgress() = 0;
  virtual bool TransferInProgress() = 0;
  virtual bool HostToMacCancelled() = 0;
  // A new transfer chain begins: the host-to-desktop receipt goes back to
  // its idle state (collect mode off).
  virtual void ResetHostToMacReceive() = 0;
  // The chain is complete: the transfer starts with its values.
  virtual void StartHostToMacXfer(const HostToMacXferRequest& values) = 0;
  // The user answered the host-to-computer transfer window.
  virtual void HostTransferAnswered(const HostTransferAnswer& answer) = 0;
};

// Pictures shown in the session window.
class PictureService {
 public:
  virtual ~PictureService() = default;
  // Shows the picture at `path` with the host's six numbers (left column,
  // top row, width and height in cells, the proportions flag, unused).
  virtual void ShowInlinePicture(const std::string& path, const std::array<int16_t, 6>& numbers,
                                 bool keepProportions) = 0;
  // Removes the pictures shown from `path`.
  virtual void RemovePicture(const std::string& path) = 0;
  // Removes every picture (a cleared screen drops them).
  virtual void RemoveInlinePictures() = 0;
  // The pictures must be drawn again (the text under them was repainted).
  virtual void InvalidatePictureArea() = 0;
};

// Scripts the host may run.
class ScriptService {
 public:
  virtual ~ScriptService() = default;
  // Runs the script at `path` (in the scripts folder, confirmed by the user)
  // without a shell; false when it could not be started.
  virtual bool RunScript(const std::string& path) = 0;
};

// The session's window.
class WindowService {
 public:
  virtual ~WindowService() = default;
  // Closes the session's connection as if the user had asked for it.
  virtual void CloseConnection() = 0;
  // A full redraw of the window, frame included.
  virtual void RedrawWindow() = 0;
  // Gives the window this content rectangle (wide mode widens a narrow window).
  virtual void SetWindowRect(int top, int left, int bottom, int right) = 0;
  // Opens the session window again when none is open.
  virtual void ReopenSessionWindow() = 0;
  // The host switched between 80 columns and the wide mode: the window's
  // width and its column marks follow (the screen state is already changed).
  virtual void ColumnModeChanged(bool wide) = 0;
  // The watch cursor while a long host command runs, and back to the arrow.
  virtual void ShowBusyCursor() = 0;
  virtual void RestoreArrowCursor() = 0;
  // A file the host asked to open and the user agreed to: when it is a
  // document of Korvane's own (settings, function keys, a QuickDial number)
  // the program opens it by its kind, as a document it is given, and says
  // true; false: it is none, and goes to the desktop's program for it.
  virtual bool OpenOwnDocument(const std::string& path) = 0;
};

// The keyboard, as the host's commands look at it while they run.
class KeyboardService {
 public:
  virtual ~KeyboardService() = default;
  // True while the user asks to cancel a wait for the host (Ctrl+.).
  virtual bool CancelRequested() = 0;
  // Reads the keyboard while the user holds the output; true while the hold
  // lasts.
  virtual bool OutputStillHeld() = 0;
  // True while Shift and the second key of national set 7 are both down.
  virtual bool ShiftAndKeyDown() = 0;
};

// Menu marks that follow the modes the host sets.
class MenuService {
 public:
  virtual ~MenuService() = default;
  virtual void ShowAutoWrapMark(bool on) = 0;
  virtual void ShowWideModeMarks(bool wide) = 0;
  virtual void ShowCapsModeMark(bool on) = 0;
  // The close-connection item loses its key (true) or gets it back (false).
  virtual void SetCloseKeyOff(bool off) = 0;
  // The first item of the font-size menu becomes enabled.
  virtual void EnableFontSizeMenuItem() = 0;
  // Marks that follow settings just read: the serial-required items (option
  // 1 or 2), the clipboard option, the Wyse attribute items, and the keys of
  // the menu items.
  virtual void MarkSerialRequiredItems(int option) = 0;
  virtual void MarkClipboardOption(bool on) = 0;
  virtual void SetMenuCommandKeys() = 0;
  // Every mark and enabled state of the menu bar that follows the session's
  // settings and state (its connection kind, emulation, serial line, font
  // size, capture ...), set again after its settings were read or its
  // window became the active one.
  virtual void ShowSessionMarks() = 0;
};

// Sounds: the bell and the named sounds.
class SoundService {
 public:
  virtual ~SoundService() = default;
  virtual void Beep() = 0;
  // One of the program's named sounds ("camera" after a copy ...).
  virtual void PlaySound(const std::string& name) = 0;
};

// The session's serial line.
class SerialLine {
 public:
  virtual ~SerialLine() = default;
  // Closes, checks and reopens the serial port after a failed read.
  virtual void OpenSelectedSerialPort() = 0;
  // Holds the line in the break state for the given time.
  virtual void SendSerialBreak(int milliseconds) = 0;
  // The serial ports present now, in menu order; nullopt while no port list
  // is known.
  virtual std::optional<std::vector<std::string>> SerialPortNames() = 0;
  // The name of serial port n (1-based), empty when there is none.
  virtual std::string SerialPortName(int n) = 0;
  // Hangs the modem up ("+++", then "ATH"): the Dialer's Hang Up and scripts.
  virtual void HangUpModem() = 0;
  // Closes the session's serial port (the connection is being closed): a
  // modem is hung up first, stepped by the main loop, and the port closes
  // when the hang-up has ended.
  virtual void CloseSerialPort() = 0;
  // Opens the serial port when needed and dials the number.
  virtual void DialNumber(const std::string& number) = 0;

  // What the Port Settings, serial-port, flow-control, serial-format and
  // Dialer menus ask for (the item chosen).
  virtual void ChooseBaudRate(int item) = 0;
  virtual void ChooseSerialPort(int item) = 0;
  virtual void ChooseFlowControl(int item) = 0;
  virtual void ChooseSerialFormat(int item) = 0;
  virtual void Dial() = 0;
  virtual void DialFromQuickDialFile() = 0;
  virtual void AddQuickDialService() = 0;
  virtual void DeleteQuickDialFile() = 0;
  virtual void LoadQuickDialList() = 0;
  virtual void ToggleModemDtr() = 0;
};

// The session's dialog windows.
class DialogService {
 public:
  virtual ~DialogService() = default;
  // "Enter SSH User Name": a secure-shell session with no stored user asks
  // for one, and connects once it is given.
  virtual void AskSshUserName() = 0;
  // The function-key editor, empty or with a function-key document.
  virtual void OpenFunctionKeyEditor() = 0;
  virtual void LoadFunctionKeyDocument(const std::string& path) = 0;
  // The "Save Settings as" dialog, proposing a name: the chosen path, or
  // nullopt when the user cancels.
  virtual std::optional<std::string> AskSettingsFileName(const std::string& proposed) = 0;
  // Opens numbered dialog window `window` (the settings and connection
  // windows the menus open), filled from the session's settings.
  virtual void OpenDialog(int window) = 0;
  // "File will be saved as": the host named a file to save its output in;
  // the user confirms, changes or refuses the name.
  virtual void OpenHostNamedFile(const std::string& hostPath) = 0;
  // The host-to-computer transfer window, with the command that will start
  // the host's data; the answer reaches TransferService::HostTransferAnswered.
  virtual void OpenHostTransfer(const std::string& command) = 0;
  // "Enter Phone Number": the number of the QuickDial service file at `path`
  // (a new service's file, or one the user chose), which the window saves.
  virtual void OpenPhoneNumber(const std::string& path, const std::string& number) = 0;
};

// The user's folders that host commands may name files in. Empty: none.
struct HostFolders {
  std::string home;       // the home folder (the "BootVolume" paths of a host stay inside it)
  std::string desktop;    // the Desktop folder ("UserDesktop" paths; host capture files)
  std::string documents;  // the Documents folder (transfers: "pick", "kermit_transfers")
  std::string resources;  // the program's own documents, opened by name
  std::string scripts;    // scripts the host may run by name
  std::string transfers;  // files the host asks to be sent
};

// Everything a session's host input and interpreters reach beyond the screen.
struct SessionServices {
  CaptureService& capture;
  ClipboardService& clipboard;
  TransferService& transfers;
  PictureService& pictures;
  ScriptService& scripts;
  WindowService& window;
  KeyboardService& keyboard;
  MenuService& menus;
  SoundService& sounds;
  SerialLine& serial;
  DialogService& dialogs;
  // The questions and notices the host's commands cause: none waits, one of
  // each at a time (see HostAlerts).
  HostAlerts& alerts;
  platform::Desktop& desktop;
  HostFolders folders;
};

}  // namespace korvane
