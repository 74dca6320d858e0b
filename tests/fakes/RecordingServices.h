#pragma once
// A session's services as a test sees them: every call is recorded in order
// in one journal ("PrintScreen", "OpenCaptureFile /path" ...), echoed text is
// kept per target, and the answers are what the test sets. Nothing here is
// used by the program itself.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulation/HostInput.h"
#include "emulation/SessionServices.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeDesktop.h"

namespace korvane::fakes {

class RecordingServices final : public CaptureService,
                                public ClipboardService,
                                public TransferService,
                                public PictureService,
                                public ScriptService,
                                public WindowService,
                                public KeyboardService,
                                public MenuService,
                                public SoundService,
                                public SerialLine,
                                public DialogService {
 public:
  // Every call but the echoes, in order.
  std::vector<std::string> calls;
  // Echoed text per target, and every single write to the capture file.
  std::string clipboard, printer, capture;
  std::vector<std::string> captureWrites;
  // Marks the capture file's line end in `capture`.
  static constexpr const char* kLineEnd = "<EOL>";
  // The numbers of the last picture shown.
  std::array<int16_t, 6> pictureNumbers{};
  bool pictureKeepsProportions = false;

  // Answers.
  bool openCaptureResult = true, reopenResult = true, transferCaptureResult = true;
  bool reservedName = false, printerCaptureResult = true, clipboardCaptureOn = false;
  bool chooseAndSendResult = true, sendFileResult = true, runScriptResult = true;
  bool cancel = false;
  int heldPolls = 0;  // OutputStillHeld answers true this many times
  bool shiftAndKey = false;
  int downloadSteps = 0, sendSteps = 0, busyCursors = 0, arrowCursors = 0;
  // Input passes that ended (each flushes the capture files).
  int captureFlushes = 0;
  // The reply of the scripts' capture-file actions.
  std::string scriptReply;
  std::vector<std::string> portNames;
  std::optional<std::string> settingsFileName;
  // What the script actions answer.
  std::string captureFileName = "RECORDER";
  std::string hostToMacReply, sendFileReply;
  bool uploadInProgress = false, transferInProgress = false, hostToMacCancelled = false;
  // The values of the last host-to-desktop chain started.
  HostToMacXferRequest xfer;
  // What the host's upload request does with the bytes after ESC STX U.
  std::function<void(HostInput&)> onUpload;
  // Each look at the keyboard while output is held.
  std::function<void()> onHeldPoll;
  // Ending printer capture: what the program would do to host input.
  std::function<void()> onPrinterCaptureOff;

  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }

  // ---- CaptureService ----------------------------------------------------------
  bool OpenCaptureFile(const std::string& path) override { return Note("OpenCaptureFile " + path, openCaptureResult); }
  bool ReopenCaptureForAppend(const std::string& path) override {
    return Note("ReopenCaptureForAppend " + path, reopenResult);
  }
  bool OpenTransferCapture(const std::string& path) override {
    return Note("OpenTransferCapture " + path, transferCaptureResult);
  }
  void CloseCaptureFile() override { Note("CloseCaptureFile"); }
  void AbortAndCloseCapture() override { Note("AbortAndCloseCapture"); }
  void NewCaptureFile() override { Note("NewCaptureFile"); }
  void AppendDeleteCaptureFile() override { Note("AppendDeleteCaptureFile"); }
  bool CheckReservedFileName(const std::string& path) override {
    return Note("CheckReservedFileName " + path, reservedName);
  }
  void WriteCaptureFile(std::string_view text) override {
    capture.append(text);
    captureWrites.emplace_back(text);
  }
  void WriteCaptureLineEnd() override { capture += kLineEnd; }
  bool OpenPrinterCapture() override { return Note("OpenPrinterCapture", printerCaptureResult); }
  void WritePrinterCapture(std::string_view text) override { printer.append(text); }
  void PrinterCaptureOff() override {
    Note("PrinterCaptureOff");
    if (onPrinterCaptureOff) onPrinterCaptureOff();
  }
  void PrintScreen() override { Note("PrintScreen"); }
  void ClearStatusLine() override { Note("ClearStatusLine"); }
  void ShowCaptureModes() override { Note("ShowCaptureModes"); }
  void ShowCaptureStatus() override { Note("ShowCaptureStatus"); }
  void RecorderOn() override { Note("RecorderOn"); }
  void RecorderOff() override { Note("RecorderOff"); }
  void AppendToCaptureFile() override { Note("AppendToCaptureFile"); }
  void DeleteCaptureFile() override { Note("DeleteCaptureFile"); }
  void TurnPrinterOn() override { Note("TurnPrinterOn"); }
  void PrintScrollBack() override { Note("PrintScrollBack"); }
  void PrintTextFile() override { Note("PrintTextFile"); }
  void PageSetup() override { Note("PageSetup"); }
  void UseRecorderFile() override { Note("UseRecorderFile"); }
  void Flush() override { ++captureFlushes; }
  void ServeIdlePass() override { Note("ServeIdlePass"); }
  void PrintBeforeQuit() override { Note("PrintBeforeQuit"); }
  std::string SetCaptureFileFromScript(const std::string& path) override {
    Note("SetCaptureFileFromScript " + path);
    return scriptReply;
  }
  std::string GetCaptureFileName() override {
    Note("GetCaptureFileName");
    return scriptReply;
  }
  std::string DeleteCaptureFileForScript() override {
    Note("DeleteCaptureFileForScript");
    return scriptReply;
  }
  std::string CaptureFileName() override { return captureFileName; }

  // ---- ClipboardService -----------------------------------------------------------
  bool ClipboardCaptureOn() override { return clipboardCaptureOn; }
  void StartClipboardCapture() override { Note("StartClipboardCapture"); }
  void StopClipboardCapture() override { Note("StopClipboardCapture"); }
  void CopyToClipboard(std::string_view text) override { clipboard.append(text); }
  void PasteToHost() override { Note("PasteToHost"); }
  void SnapshotScreenAsPdf() override { Note("SnapshotScreenAsPdf"); }
  void SetMouseReports(bool on) override { Note(on ? "SetMouseReports on" : "SetMouseReports off"); }
  void SettingsApplied() override { Note("SettingsApplied"); }
  void CopyLineToClipboard(std::string_view text, std::string_view end) override {
    Note("CopyLineToClipboard " + std::string(text) + (end == "CR" ? " CR" : ""));
  }
  void ResetCopyBuffersNow() override { Note("ResetCopyBuffersNow"); }
  void ClearClipboard() override { Note("ClearClipboard"); }

  // ---- TransferService ---------------------------------------------------------------
  bool ChooseAndSendTextFile() override { return Note("ChooseAndSendTextFile", chooseAndSendResult); }
  void SendTextFileWithFlowCheck() override { Note("SendTextFileWithFlowCheck"); }
  bool SendTextFileToHost(const std::string& path) override {
    return Note("SendTextFileToHost " + path, sendFileResult);
  }
  void HostRequestedSend(const std::string& path) override { Note("HostRequestedSend " + path); }
  void HostRequestsUpload(HostInput& in) override {
    Note("HostRequestsUpload");
    if (onUpload) onUpload(in);
  }
  // Every input pass that ends without input steps the download, and every
  // chunk of a send the send: counted apart from the journal.
  void ReceiveDownloadFromHost() override { ++downloadSteps; }
  void ContinueSendToHost() override { ++sendSteps; }
  void ShowDownloadTarget(const std::string& path) override { Note("ShowDownloadTarget " + path); }
  void ShowLinesTransmitted() override { Note("ShowLinesTransmitted"); }
  void CloseTransferFile() override { Note("CloseTransferFile"); }
  std::string StartHostToMacTransfer(const std::string& command) override {
    Note("StartHostToMacTransfer " + command);
    return hostToMacReply;
  }
  std::string SendFileToHost(const std::string& name) override {
    Note("SendFileToHost " + name);
    return sendFileReply;
  }
  bool UploadInProgress() override { return uploadInProgress; }
  bool TransferInProgress() override { return transferInProgress; }
  bool HostToMacCancelled() override { return hostToMacCancelled; }
  void ResetHostToMacReceive() override { Note("ResetHostToMacReceive"); }
  void StartHostToMacXfer(const HostToMacXferRequest& values) override {
    xfer = values;
    Note("StartHostToMacXfer " + values.path);
  }
  void HostTransferAnswered(const HostTransferAnswer& answer) override {
    Note(std::string("HostTransferAnswered ") + (answer.confirmed ? "OK " : "Cancel ") + answer.command);
  }

  // ---- PictureService ------------------------------------------------------------------
  void ShowInlinePicture(const std::string& path, const std::array<int16_t, 6>& n, bool keep) override {
    pictureNumbers = n;
    pictureKeepsProportions = keep;
    Note("ShowInlinePicture " + path);
  }
  void RemovePicture(const std::string& path) override { Note("RemovePicture " + path); }
  void RemoveInlinePictures() override { Note("RemoveInlinePictures"); }
  void InvalidatePictureArea() override { Note("InvalidatePictureArea"); }

  // ---- ScriptService -----------------------------------------------------------------------
  bool RunScript(const std::string& path) override { return Note("RunScript " + path, runScriptResult); }

  // ---- WindowService -----------------------------------------------------------------------
  void CloseConnection() override { Note("CloseConnection"); }
  void RedrawWindow() override { Note("RedrawWindow"); }
  void SetWindowRect(int top, int left, int bottom, int right) override {
    Note("SetWindowRect " + std::to_string(top) + " " + std::to_string(left) + " " + std::to_string(bottom) + " " +
         std::to_string(right));
  }
  void ReopenSessionWindow() override { Note("ReopenSessionWindow"); }
  void ColumnModeChanged(bool wide) override { Note(wide ? "ColumnModeChanged wide" : "ColumnModeChanged 80"); }
  // The cursor's shape changes often: counted apart from the journal.
  void ShowBusyCursor() override { ++busyCursors; }
  void RestoreArrowCursor() override { ++arrowCursors; }
  // Set: the files the host opens are taken as Korvane's own documents.
  bool ownDocuments = false;
  bool OpenOwnDocument(const std::string& path) override {
    Note("OpenOwnDocument " + path);
    return ownDocuments;
  }

  // ---- KeyboardService ------------------------------------------------------------------------
  bool CancelRequested() override { return cancel; }
  bool OutputStillHeld() override {
    if (onHeldPoll) onHeldPoll();
    return heldPolls-- > 0;
  }
  bool ShiftAndKeyDown() override { return shiftAndKey; }

  // ---- MenuService -----------------------------------------------------------------------------
  void ShowAutoWrapMark(bool on) override { Note(on ? "ShowAutoWrapMark on" : "ShowAutoWrapMark off"); }
  void ShowWideModeMarks(bool wide) override { Note(wide ? "ShowWideModeMarks wide" : "ShowWideModeMarks narrow"); }
  void ShowCapsModeMark(bool on) override { Note(on ? "ShowCapsModeMark on" : "ShowCapsModeMark off"); }
  void SetCloseKeyOff(bool off) override { Note(off ? "SetCloseKeyOff 1" : "SetCloseKeyOff 0"); }
  void EnableFontSizeMenuItem() override { Note("EnableFontSizeMenuItem"); }
  void MarkSerialRequiredItems(int option) override { Note("MarkSerialRequiredItems " + std::to_string(option)); }
  void MarkClipboardOption(bool on) override { Note(on ? "MarkClipboardOption on" : "MarkClipboardOption off"); }
  void SetMenuCommandKeys() override { Note("SetMenuCommandKeys"); }
  void ShowSessionMarks() override { Note("ShowSessionMarks"); }

  // ---- SoundService -------------------------------------------------------------------------------
  void Beep() override { Note("Beep"); }
  void PlaySound(const std::string& name) override { Note("PlaySound " + name); }

  // ---- SerialLine -----------------------------------------------------------------------------------
  void OpenSelectedSerialPort() override { Note("OpenSelectedSerialPort"); }
  void SendSerialBreak(int ms) override { Note("SendSerialBreak " + std::to_string(ms)); }
  std::optional<std::vector<std::string>> SerialPortNames() override {
    if (portNames.empty()) return std::nullopt;
    return portNames;
  }
  std::string SerialPortName(int n) override {
    return n >= 1 && n <= static_cast<int>(portNames.size()) ? portNames[static_cast<size_t>(n - 1)] : std::string();
  }
  void HangUpModem() override { Note("HangUpModem"); }
  void CloseSerialPort() override { Note("CloseSerialPort"); }
  void DialNumber(const std::string& number) override { Note("DialNumber " + number); }
  void ChooseBaudRate(int item) override { Note("ChooseBaudRate " + std::to_string(item)); }
  void ChooseSerialPort(int item) override { Note("ChooseSerialPort " + std::to_string(item)); }
  void ChooseFlowControl(int item) override { Note("ChooseFlowControl " + std::to_string(item)); }
  void ChooseSerialFormat(int item) override { Note("ChooseSerialFormat " + std::to_string(item)); }
  void Dial() override { Note("Dial"); }
  void DialFromQuickDialFile() override { Note("DialFromQuickDialFile"); }
  void AddQuickDialService() override { Note("AddQuickDialService"); }
  void DeleteQuickDialFile() override { Note("DeleteQuickDialFile"); }
  void LoadQuickDialList() override { Note("LoadQuickDialList"); }
  void ToggleModemDtr() override { Note("ToggleModemDtr"); }

  // ---- DialogService ----------------------------------------------------------------------------------
  void AskSshUserName() override { Note("AskSshUserName"); }
  void OpenFunctionKeyEditor() override { Note("OpenFunctionKeyEditor"); }
  void LoadFunctionKeyDocument(const std::string& path) override { Note("LoadFunctionKeyDocument " + path); }
  std::optional<std::string> AskSettingsFileName(const std::string& proposed) override {
    Note("AskSettingsFileName " + proposed);
    return settingsFileName;
  }
  void OpenDialog(int window) override { Note("OpenDialog " + std::to_string(window)); }
  void OpenHostNamedFile(const std::string& path) override { Note("OpenHostNamedFile " + path); }
  void OpenHostTransfer(const std::string& command) override { Note("OpenHostTransfer " + command); }
  void OpenPhoneNumber(const std::string& path, const std::string& number) override {
    Note("OpenPhoneNumber " + path + " " + number);
  }

 private:
  void Note(std::string call) { calls.push_back(std::move(call)); }
  bool Note(std::string call, bool answer) {
    calls.push_back(std::move(call));
    return answer;
  }
};

// The recording services with the alerts and desktop they use, bundled the
// way a session is given them.
struct ServicesUnderTest {
  RecordingServices record;
  FakeAlerts alerts;
  // The session's questions and notices, shown through `alerts`.
  HostAlerts hostAlerts{alerts};
  FakeDesktop desktop;
  SessionServices services{record, record, record, record, record,     record,  record,
                           record, record, record, record, hostAlerts, desktop, {}};
};

}  // namespace korvane::fakes
