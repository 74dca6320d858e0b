#include "app/AppScripting.h"

#include <algorithm>

#include "app/App.h"
#include "settings/FunctionKeys.h"

namespace korvane::app {

using scripting::ScriptRequest;

namespace {

size_t Bit(ScriptRequest r) { return static_cast<size_t>(r); }

}  // namespace

HostToMacXferRequest MakeXferRequest(const scripting::HostToMacXferValues& x, const std::string& path) {
  HostToMacXferRequest r;
  r.hostCommand = x.XferHostCommand;
  r.fileName = x.XferFileName;
  r.path = path;
  r.convert = x.XferConvert;
  r.fieldsPerRecord = x.XferFieldsPerRecord;
  r.overWrite = x.XferOverWrite;
  r.linesToSkip = x.XferLinesToSkip;
  // No time-out at all would end the receipt before it began.
  r.timeOutTime = x.XferTimeOutTime == 0 ? 5 : x.XferTimeOutTime;
  r.noPage = x.XferNoPage;
  return r;
}

AppScripting::AppScripting(App& app)
    : app_(app),
      commands_(*this),
      run_(app.platform.desktop, app.platform.programs, app.alerts, app.data.preferencesFolder,
           app.data.hostFolders.scripts) {}

AppScripting::~AppScripting() = default;

SessionWindow* AppScripting::Active() const {
  if (app_.flags.NoSessionWindow) return nullptr;
  return app_.windows.Active();
}

// ---- The pending-command pass -----------------------------------------------------------------

void AppScripting::CopyForScripts() {
  SessionWindow* w = Active();
  copies_.NoSessionWindowOpen = w == nullptr;
  if (!w) return;
  Screen& s = w->session.screen;
  copies_.ScriptScreenRows = s.ScreenRows;
  copies_.ScriptCursorRow = s.CursorRow();
  copies_.ScriptCursorCol = s.CursorCol();
  copies_.ScriptCaptureFileName = w->services.capture.CaptureFileName();
  copies_.ScriptCaptureOn = w->session.input.CaptureFileOn != 0;
  copies_.SessionColumns = static_cast<int16_t>(std::min(w->ColumnsForChild(), 206));
}

bool AppScripting::Take(ScriptRequest request) {
  if (!raised_[Bit(request)]) return false;
  raised_[Bit(request)] = false;
  return true;
}

void AppScripting::ServeCaptureAndMessages(SessionWindow& w) {
  Session& s = w.session;
  if (Take(ScriptRequest::CaptureOpen)) w.services.capture.RecorderOn();
  if (Take(ScriptRequest::ClipboardOn)) w.services.clipboard.StartClipboardCapture();
  bool sent = false;
  while (!messagesToHost_.empty()) {
    const std::string text = std::move(messagesToHost_.front());
    messagesToHost_.pop_front();
    // The command said so when nothing is connected: nothing is sent.
    if (!w.Connected()) continue;
    s.conn.SendToHost(ScriptedTextBytes(text));
    sent = true;
  }
  if (sent) {
    waiting_ = true;
    waitWindow_ = w.Number();
    waitChunks_ = s.input.HostChunksRead;
    waitUntilMs_ = app_.platform.clock.Milliseconds() + kHostAnswerWaitMs;
  }
  while (!messages_.empty()) {
    ShowScriptMessage(w, messages_.front());
    messages_.pop_front();
  }
  // Capture and clipboard capture end once the host has fallen silent, so
  // that they hold everything the host sent before.
  const bool hostSilent = s.conn.HostDataWaiting() == 0;
  if (hostSilent && Take(ScriptRequest::CaptureClose) && s.input.CaptureFileOn) {
    w.services.capture.CloseCaptureFile();
    s.input.CaptureFileOn = 0;
  }
  if (hostSilent && Take(ScriptRequest::ClipboardOff)) w.services.clipboard.StopClipboardCapture();
}

void AppScripting::ServeModemAndClipboard(SessionWindow& w) {
  if (Take(ScriptRequest::HangUp)) w.services.serial.HangUpModem();
  if (Take(ScriptRequest::ScreenSnapshot)) w.services.clipboard.SnapshotScreenAsPdf();
  if (Take(ScriptRequest::Paste)) w.services.clipboard.PasteToHost();
}

std::vector<std::string> AppScripting::TakeControlLetters() {
  std::vector<std::string> letters(controlLetters_.begin(), controlLetters_.end());
  controlLetters_.clear();
  return letters;
}

void AppScripting::ServeAfterPending(SessionWindow& w) {
  if (Take(ScriptRequest::DeleteCapture)) commands_.SetLastReplyText(w.services.capture.DeleteCaptureFileForScript());
  if (Take(ScriptRequest::HostToMacXfer))
    w.services.transfers.StartHostToMacXfer(MakeXferRequest(commands_.Xfer(), xferPath_));
  if (waiting_) {
    SessionWindow* target = app_.windows.Find(waitWindow_);
    const bool answered =
        target && (target->session.input.HostChunksRead != waitChunks_ || target->session.conn.HostDataWaiting() != 0);
    if (!target || answered || !target->Connected() || app_.platform.clock.Milliseconds() >= waitUntilMs_) {
      waiting_ = false;
      // What the host answered is on the screen before the script reads it.
      if (target && target == &w && app_.platform.windows.FrontWindow() == w.Number() && !w.session.input.HoldOutput &&
          w.session.conn.HostDataWaiting() != 0)
        w.session.input.ProcessHostInput();
    }
  }
  run_.Poll();
}

void AppScripting::ShowScriptMessage(SessionWindow& w, const std::string& message) {
  Screen& s = w.session.screen;
  // The line below the last screen row, erased, then the message from its
  // first column; the cursor stays where it is, and the repaint shows it.
  const int row = s.ScreenRows + 1;
  const int columns = std::clamp<int>(s.ScreenCols, 1, kMaxCursorCol);
  for (int c = 1; c <= columns; ++c) {
    const size_t i = static_cast<size_t>(c - 1);
    s.ScreenChars(row, c) = i < message.size() ? static_cast<uint8_t>(message[i]) : 0;
    s.ScreenAttrs(row, c) = 0;
  }
  s.RepaintPending = 1;
}

// ---- ScriptTarget -------------------------------------------------------------------------------

bool AppScripting::StartingUp() const { return !app_.IdlePassSeen; }

void AppScripting::SetScriptCommandBusy(bool busy) {
  if (busy) {
    SessionWindow* w = Active();
    busyScreen_ = w ? &w->session.screen : nullptr;
  }
  if (busyScreen_) busyScreen_->ScriptCommandBusy = busy ? 1 : 0;
  if (!busy) busyScreen_ = nullptr;
}

std::string AppScripting::Localise(const std::string& english) const { return app_.strings.Localise(english); }

bool AppScripting::HoldsEvents() const {
  // A message not yet sent holds the next event as long as a window can
  // send it; one that was sent holds it for the host's answer, five seconds
  // at most.
  if (!messagesToHost_.empty() && Active()) return true;
  return waiting_ && app_.platform.clock.Milliseconds() < waitUntilMs_;
}

void AppScripting::Request(ScriptRequest request, const std::string& text) {
  PendingRequests& r = app_.requests;
  switch (request) {
    case ScriptRequest::OpenConnection: r.RequestOpenConnection = 1; break;
    case ScriptRequest::QuickDial: r.RequestQuickDial = 1; break;
    case ScriptRequest::SendBreak: r.RequestSendBreak = 1; break;
    case ScriptRequest::SendEscape: r.RequestSendEscape = 1; break;
    case ScriptRequest::SendTab: r.RequestSendTab = 1; break;
    case ScriptRequest::CloseConnection: r.RequestCloseConnection = 1; break;
    case ScriptRequest::SendControl:
      controlLetters_.push_back(text);
      r.RequestSendControl = 1;
      break;
    case ScriptRequest::MessageToHost: messagesToHost_.push_back(text); break;
    case ScriptRequest::Message: messages_.push_back(text); break;
    default: raised_[Bit(request)] = true; break;
  }
}

void AppScripting::CancelRequest(ScriptRequest request) {
  if (request == ScriptRequest::HostToMacXfer) raised_[Bit(request)] = false;
}

Screen* AppScripting::ActiveScreen() {
  SessionWindow* w = Active();
  return w ? &w->session.screen : nullptr;
}

bool AppScripting::HostConnected() const {
  SessionWindow* w = Active();
  return w && w->Connected();
}

bool AppScripting::ConnectionOpen() const {
  SessionWindow* w = Active();
  return w && w->session.conn.ConnectionOpen != 0;
}

const SessionOptions* AppScripting::ActiveOptions() const {
  SessionWindow* w = Active();
  return w ? &w->session.Opt : nullptr;
}

int16_t AppScripting::SerialPort() const {
  SessionWindow* w = Active();
  return w ? w->session.conn.ConnectionPort : 0;
}

std::string AppScripting::SerialPortName(int index) const {
  SessionWindow* w = Active();
  // The port table has entries 1 to 12; anything else names no port.
  if (!w || index < 1 || index > 12) return {};
  return w->services.serial.SerialPortName(index);
}

bool AppScripting::TakeHostDataArrived() {
  SessionWindow* w = Active();
  if (!w) return false;
  const bool arrived = w->session.input.HostDataArrived != 0;
  w->session.input.HostDataArrived = 0;
  return arrived;
}

void AppScripting::AppendLineToClipboard(const std::string& text) {
  if (SessionWindow* w = Active()) w->services.clipboard.CopyLineToClipboard(text, "CR");
}

void AppScripting::ResetClipboardCopy() {
  if (SessionWindow* w = Active()) w->services.clipboard.ResetCopyBuffersNow();
}

void AppScripting::ClearClipboard() {
  if (SessionWindow* w = Active()) w->services.clipboard.ClearClipboard();
}

std::string AppScripting::GetCaptureFileName() {
  SessionWindow* w = Active();
  return w ? w->services.capture.GetCaptureFileName() : std::string();
}

std::string AppScripting::SetCaptureFileFromScript(const std::string& path) {
  SessionWindow* w = Active();
  if (!w) return Localise("Error! Emulation window is not open");
  return w->services.capture.SetCaptureFileFromScript(path);
}

std::string AppScripting::StartHostToMacTransfer(const std::string& hostCommand) {
  SessionWindow* w = Active();
  if (!w) return Localise("Error! Emulation window is not open");
  return w->services.transfers.StartHostToMacTransfer(hostCommand);
}

std::string AppScripting::SendFileToHost(const std::string& name) {
  SessionWindow* w = Active();
  if (!w) return Localise("Error! Emulation window is not open");
  return w->services.transfers.SendFileToHost(name);
}

scripting::TransferFlags AppScripting::Transfers() const {
  scripting::TransferFlags f;
  SessionWindow* w = Active();
  if (!w) return f;
  f.CollectModeOn = w->session.input.CollectMode != 0;
  f.UploadInProgress = w->services.transfers.UploadInProgress();
  f.TransferInProgress = w->services.transfers.TransferInProgress();
  f.HostToMacCancelled = w->services.transfers.HostToMacCancelled();
  return f;
}

void AppScripting::ResetHostToMacReceive() {
  if (SessionWindow* w = Active()) w->services.transfers.ResetHostToMacReceive();
}

std::string AppScripting::DesktopFolder() const { return app_.data.hostFolders.desktop; }

void AppScripting::SetCaptureFilePath(const std::string& path) { xferPath_ = path; }

void AppScripting::OpenDocuments(const std::vector<std::string>& paths) { app_.OpenDocuments(paths); }

}  // namespace korvane::app
