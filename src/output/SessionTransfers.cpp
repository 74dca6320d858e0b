#include "output/SessionTransfers.h"

#include <algorithm>
#include <functional>
#include <cerrno>
#include <system_error>
#include <utility>

#include "connection/FieldChecks.h"
#include "output/HostUpload.h"
#include "output/OutputStop.h"
#include "output/SessionLine.h"
#include "platform/AlertButtons.h"
#include "platform/CharMap.h"
#include "settings/ColonPaths.h"
#include "windows/SessionWindows.h"

namespace korvane::output {

namespace {

constexpr int kCr = 13;
constexpr char kKermitEscape = 28;  // FS: back to kermit's own prompt
constexpr size_t kUploadNameMax = 256;
// The rest of a name too long to take is read up to its CR, at most this.
constexpr size_t kSkipMax = 65536;
constexpr int kStatusFirstColumn = 30;

// A number as the program writes it in text: a blank before it when it is
// not negative.
std::string NumberText(long n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

// A path as alerts show it (their texts are in the program's character set).
std::string Shown(const std::string& path) { return platform::MacRomanFromUtf8(path); }

// The bytes of a text file as the host is to receive them: a file written
// here (UTF-8 with characters beyond ASCII) goes out in the host's 8-bit
// set; any other file goes out as it is.
std::string HostBytesOfFile(const std::string& bytes) {
  bool wide = false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    char32_t u = 0;
    if (!platform::NextUtf8(bytes, pos, u)) return bytes;
    wide = true;
  }
  return wide ? platform::MacRomanFromUtf8(bytes) : bytes;
}

// The extension of a host-to-computer transfer's file, by the capture
// application's code.
std::string ExtensionForCreator(const std::string& creator) {
  if (creator == "MSWD") return ".doc";
  if (creator == "XCEL") return ".xls";
  if (creator == "MOSS" || creator == "sfri") return ".htm";
  if (creator == "ttxt") return ".txt";
  return {};
}

}  // namespace

SessionTransfers::SessionTransfers(SessionWindow& window, platform::FileDialogs& fileDialogs)
    : w_(window), fileDialogs_(fileDialogs), sender_(window.session.Opt, *this, window.Owner().services.clock) {}

// The session is gone by now: nothing of it is touched.
SessionTransfers::~SessionTransfers() = default;

SessionTransfers* SessionTransfersOf(SessionWindow& window) {
  return dynamic_cast<SessionTransfers*>(&window.services.transfers);
}

int64_t SessionTransfers::NowMs() const { return w_.Owner().services.clock.Milliseconds(); }
int64_t SessionTransfers::NowTicks() const { return w_.Owner().services.clock.Ticks(); }
std::string SessionTransfers::L(const std::string& english) const {
  return w_.Owner().services.strings.Localise(english);
}

int SessionTransfers::Alert(int kind, const std::string& a, const std::string& b, const std::string& c,
                            const std::string& d) {
  return w_.Owner().services.alerts.Show(static_cast<platform::AlertKind>(kind), platform::kPlainAlert, a, b, c, d);
}

bool SessionTransfers::Downloading() const { return downloadPending_ || downloadRunning_ || abortPending_; }

// ---- Sending files ------------------------------------------------------------------------

bool SessionTransfers::ChooseAndSendTextFile() {
  const std::optional<std::string> path =
      fileDialogs_.ChooseFile({platform::FileKind::Text}, L("Select a text file ( .txt ) to transfer to the host"));
  if (!path) return false;
  StartFileSend(*path);
  return true;
}

void SessionTransfers::SendTextFileWithFlowCheck() {
  if (!FlowControlAllowsSend()) return;
  ChooseAndSendTextFile();
}

bool SessionTransfers::FlowControlAllowsSend() {
  Session& s = w_.session;
  if (!EnsureConnectionOpen()) return false;
  // A fast serial line without flow control loses what the host cannot take.
  if (!s.Opt.UsesPty && s.Opt.XonXoffOn != 1 && s.Opt.BaudRate > 1200) {
    Alert(static_cast<int>(platform::AlertKind::Stop),
          "FLOW CONTROL! Must enable Xon/Xoff or lower baud rate to 1200 before proceeding");
    return false;
  }
  if (!Downloading()) ResetCollectState();
  return true;
}

bool SessionTransfers::SendTextFileToHost(const std::string& path) { return StartFileSend(path); }

bool SessionTransfers::StartFileSend(const std::string& path) {
  if (sender_.Active()) {
    Alert(static_cast<int>(platform::AlertKind::Note), "A file is being sent to the host already.", "\r",
          "Please wait until it has gone, or stop it with Ctrl+.");
    return false;
  }
  std::string bytes;
  const int error = w_.Owner().services.files.ReadFile(path, bytes, kLargestFile);
  if (error != 0) {
    Alert(static_cast<int>(platform::AlertKind::Stop), "Error opening file.", "\r", Shown(path));
    return false;
  }
  if (!sender_.Start(HostBytesOfFile(bytes))) return false;
  linesShown_ = 0;
  return true;
}

void SessionTransfers::AskToSend(const std::string& path, const std::function<void(bool yes)>& answered) {
  // The host reads a local file: the user decides, Cancel the default. The
  // box does not hold the program; a request made while another question of
  // the session is up is refused as a Cancel would be.
  if (!w_.services.alerts.Ask("The host asks for the file " + Shown(path), "Send it to the host?", answered))
    answered(false);
}

void SessionTransfers::HostRequestedSend(const std::string& path) {
  AskToSend(path, [this, path](bool yes) {
    if (!yes || !FlowControlAllowsSend()) return;
    StartFileSend(path);
  });
}

std::string SessionTransfers::SendFileToHost(const std::string& name) {
  WindowServices& services = w_.Owner().services;
  std::string path = name;
  std::string reply = name;
  bool fromScript = !name.empty();
  if (!fromScript) {
    const std::optional<std::string> chosen = fileDialogs_.ChooseFile({platform::FileKind::Text}, "");
    if (!chosen) return L("User canceled the transfer");
    path = *chosen;
    reply = path.substr(path.find_last_of('/') + 1);
  } else if (name.find(':') != std::string::npos && name.front() != '/') {
    // A colon path: the Mac's folders are the user's folders here.
    const PathResult posix = ColonToPosix(name, FolderMap::ForThisUser());
    path = posix.ok() ? posix.path : std::string();
  } else if (name.find('/') == std::string::npos) {
    // A bare name lies beside the program's own files.
    path = services.hostFolders.resources.empty() ? std::string() : services.hostFolders.resources + "/" + name;
  }
  std::string bytes;
  const int error = path.empty() ? ENOENT : services.files.ReadFile(path, bytes, kLargestFile);
  if (error != 0) {
    if (fromScript) return L("Invalid file name supplied by AppleScript");
    // A chosen file that cannot be read says so when its send begins.
  }
  sendRequested_ = true;
  requestedPath_ = path;
  return reply;
}

void SessionTransfers::ContinueSendToHost() {
  // The input pass found nothing to read: the send goes on at once.
  if (sender_.Active()) sender_.Step();
}

void SessionTransfers::CloseTransferFile() {
  // The user sends the host a control character: the file stops here.
  if (sender_.Active()) sender_.Stop();
  sendRequested_ = false;
}

// ---- SendHost ------------------------------------------------------------------------------

bool SessionTransfers::EnsureConnectionOpen() { return EnsureSessionConnected(w_); }

bool SessionTransfers::ReadyToSend() { return SessionLineHasRoom(w_); }

void SessionTransfers::SendToHost(std::string_view bytes) { SendOnSessionLine(w_, bytes); }

void SessionTransfers::SetSendInProgress(bool on, bool acknowledged) {
  HostInput& in = w_.session.input;
  in.SendInProgress = on ? 1 : 0;
  in.SendAnswerWatch = on && acknowledged ? 1 : 0;
  in.SendAnswerStep = 0;
  in.SendAnswerLetter = 0;
}

bool SessionTransfers::TakeLineEchoSeen() { return std::exchange(w_.session.input.LineEchoSeen, int8_t{0}) != 0; }

int SessionTransfers::TakeHostAnswer() { return std::exchange(w_.session.input.SendAnswerLetter, int16_t{0}); }

void SessionTransfers::DiscardHostInput() { w_.session.conn.FlushHostInput(); }

void SessionTransfers::ShowBusyCursor() { w_.ShowBusyCursor(); }

void SessionTransfers::RestoreArrowCursor() { w_.RestoreArrowCursor(); }

void SessionTransfers::StopAlert(const std::string& text, const std::string& second) {
  Alert(static_cast<int>(platform::AlertKind::Stop), text, "\r", second);
}

void SessionTransfers::ShowLinesTransmitted(int count) {
  Screen& s = w_.session.screen;
  linesShown_ = count;
  std::string line = L("Number of lines transmitted =            (Ctrl+Shift+M to erase this message)");
  const std::string number = NumberText(count) + "     ";
  if (line.size() < static_cast<size_t>(kStatusFirstColumn - 1)) line.resize(kStatusFirstColumn - 1, ' ');
  line.replace(kStatusFirstColumn - 1, std::min(number.size(), line.size() - (kStatusFirstColumn - 1)), number);
  const int16_t row = s.CursorRow(), col = s.CursorCol();
  s.SetCursorRow(s.StatusLine2Row);
  s.SetCursorCol(1);
  s.EraseCursorLine();
  s.SetCursorRow(row);
  s.SetCursorCol(col);
  s.MoveToStatusLine(s.StatusLine2Row, 1);
  s.port.DrawText(reinterpret_cast<const uint8_t*>(line.data()), static_cast<int>(line.size()));
  s.MoveToCell(row, col);
  s.LinesTransmittedShown = 1;
  s.port.Flush();
}

void SessionTransfers::ShowLinesTransmitted() {
  // The window was repainted: the count stands on the status line again.
  if (linesShown_ > 0) ShowLinesTransmitted(linesShown_);
}

bool SessionTransfers::EraseLinesMessage() {
  Screen& s = w_.session.screen;
  if (!s.LinesTransmittedShown && linesShown_ == 0) return false;
  const int16_t row = s.CursorRow(), col = s.CursorCol();
  s.SetCursorRow(s.StatusLine2Row);
  s.SetCursorCol(1);
  s.EraseCursorLine();
  s.SetCursorRow(row);
  s.SetCursorCol(col);
  s.MoveToCell(row, col);
  s.LinesTransmittedShown = 0;
  linesShown_ = 0;
  s.port.Flush();
  return true;
}

// ---- The host's upload request ------------------------------------------------------------

void SessionTransfers::HostRequestsUpload(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  const int kind = in.NextHostByte;
  if (kind == 'K' && !in.Opt.KermitMode) {
    Alert(static_cast<int>(platform::AlertKind::Stop),
          "Host is attempting to receive a Kermit file but Korvane only supports Kermit uploads with Telnet or SSH");
    std::string rest;
    in.CollectHostString(rest, kUploadNameMax, kCr);
    return;
  }
  if (kind != 'A' && kind != 'K') return;
  in.GetNextHostByte();
  if (in.HostReadTimedOut || in.NextHostByte != 'T') return;
  in.GetNextHostByte();
  if (in.HostReadTimedOut || in.NextHostByte != ';') return;
  std::string name;
  const HostInput::CollectEnd end = in.CollectHostString(name, kUploadNameMax, kCr);
  if (end == HostInput::CollectEnd::TooLong) {
    // The rest of the name goes with it.
    std::string rest;
    in.CollectHostString(rest, kSkipMax, kCr);
  }
  if (end != HostInput::CollectEnd::Terminator) {
    Alert(static_cast<int>(platform::AlertKind::Stop), "The host asked for a file without a complete name.");
    if (kind == 'K') in.conn.SendToHost("END", kCr);
    return;
  }
  const UploadFile file = ResolveUploadName(name, w_.Owner().services.hostFolders.documents);
  const bool kermit = kind == 'K';
  auto refuse = [&] {
    // A host waiting for kermit's packets is told that none will come.
    if (kermit) in.conn.SendToHost("END", kCr);
  };
  switch (file.result) {
    case UploadFile::Result::NoTxt:
      Alert(static_cast<int>(platform::AlertKind::Stop),
            "Host is attempting to receive a file that does not have a .txt extension. Transfer aborted");
      refuse();
      return;
    case UploadFile::Result::Refused:
      Alert(static_cast<int>(platform::AlertKind::Stop),
            "Host is attempting to receive a file that Korvane does not send:", "\r", name,
            " (only plain files of your Documents folder are sent)");
      refuse();
      return;
    case UploadFile::Result::NotFound:
      if (kermit) {
        Alert(static_cast<int>(platform::AlertKind::Stop), "File was not found for Kermit upload.");
        in.screen.ClearScreenAndHome();
        in.conn.SendToHost("END", kCr);
      } else {
        Alert(static_cast<int>(platform::AlertKind::Stop), "Error opening file.", "\r", Shown(file.path));
      }
      return;
    case UploadFile::Result::Found: break;
  }
  // The file is looked for again once the user has agreed, in case it
  // changed while the question was up.
  AskToSend(file.path, [this, &in, name, kermit, chosen = file.path](bool yes) {
    const UploadFile now = ResolveUploadName(name, w_.Owner().services.hostFolders.documents);
    if (!yes || now.result != UploadFile::Result::Found || now.path != chosen) {
      // A host waiting for kermit's packets is told that none will come.
      if (kermit) in.conn.SendToHost("END", kCr);
      return;
    }
    if (kermit)
      KermitUpload(now.path);
    else
      TextUpload(now.path);
  });
}

void SessionTransfers::TextUpload(const std::string& path) { StartFileSend(path); }

void SessionTransfers::KermitUpload(const std::string& path) {
  Connection& conn = w_.session.conn;
  // The name is typed into kermit's command line: only names kermit takes
  // as they stand.
  if (!IsTypeablePath(path)) {
    Alert(static_cast<int>(platform::AlertKind::Stop), "The file ", Shown(path),
          " cannot be given to kermit: its name may hold only letters, digits, \"/\", \".\", \"_\", \"-\" and \"+\".");
    conn.SendToHost("END", kCr);
    return;
  }
  // Back to kermit's own prompt; the send command follows when it is there.
  const char escape[] = {kKermitEscape, 'c'};
  conn.SendToHost(std::string_view(escape, 2));
  kermitPath_ = path;
  kermit_ = KermitStep::EscapeSent;
  kermitDueMs_ = NowMs() + kKermitStartMs;
}

void SessionTransfers::StepKermit() {
  if (kermit_ == KermitStep::Idle) return;
  Session& s = w_.session;
  HostInput& in = s.input;
  const int64_t now = NowMs();
  switch (kermit_) {
    case KermitStep::Idle: break;
    case KermitStep::EscapeSent:
      if (now < kermitDueMs_) return;
      in.SuccessMatch.Reset();
      in.AbortMatch.Reset();
      in.TransferAnswerSeen = 0;
      in.TransferWatchOn = 1;
      s.wyse.TransferStatusPending = 1;
      s.conn.SendToHost("send " + kermitPath_, kCr);
      kermit_ = KermitStep::Sending;
      break;
    case KermitStep::Sending:
      // Kermit says how the transfer went ("SUCCESS" or "Abort").
      if (!in.TransferAnswerSeen) return;
      in.TransferAnswerSeen = 0;
      s.conn.SendToHost("", kCr);
      kermitDueMs_ = now + kKermitReturnMs;
      kermit_ = KermitStep::Returning;
      break;
    case KermitStep::Returning:
      if (now < kermitDueMs_) return;
      s.conn.SendToHost("connect", kCr);
      kermitDueMs_ = now + kKermitStatusMs;
      kermit_ = KermitStep::Reporting;
      break;
    case KermitStep::Reporting:
      if (now < kermitDueMs_) return;
      s.conn.SendToHost("Status: " + NumberText(in.TransferAborted) + " Files " + NumberText(1) + " Bytes " + "1", kCr);
      kermit_ = KermitStep::Idle;
      kermitPath_.clear();
      break;
  }
}

// ---- Downloads ----------------------------------------------------------------------------

void SessionTransfers::ResetCollectState() {
  HostInput& in = w_.session.input;
  in.EndCollectMode();
  in.CollectCrToTab = 0;
  in.CollectSkipOn = 1;
  in.CollectAfterLf = 1;
  in.CollectCharCount = 0;
  in.CollectEchoLength = 0;
  in.CollectStatusShown = 0;
  in.DownloadWaiting = 0;
  in.DownloadQuiet = 0;
  in.CollectFieldCount = 0;
  in.CollectTableMode = 0;
}

void SessionTransfers::StartDownload(bool askForFile, const std::string& path, bool overwrite) {
  Session& s = w_.session;
  HostInput& in = s.input;
  if (Downloading()) {
    Alert(static_cast<int>(platform::AlertKind::Note), "A download from the host is under way already.");
    return;
  }
  if (!EnsureConnectionOpen()) return;
  w_.Owner().ResetScrollbackView(w_);
  if (in.CaptureFileOn) {
    w_.services.capture.CloseCaptureFile();
    in.CaptureFileOn = 0;
  }
  if (askForFile) {
    w_.services.capture.NewCaptureFile();
    // A cancelled choice leaves no capture open: there is no download.
    if (!in.CaptureFileOn) return;
  } else {
    if (!overwrite && w_.Owner().services.files.Exists(path)) {
      Alert(static_cast<int>(platform::AlertKind::Stop), Shown(path), " already exists.", "\r",
            "The transfer does not replace it.");
      hostToMacCancelled_ = true;
      return;
    }
    if (w_.services.capture.CheckReservedFileName(path)) {
      hostToMacCancelled_ = true;
      return;
    }
    in.CaptureFileName = path;
    if (!w_.services.capture.OpenCaptureFile(path)) {
      hostToMacCancelled_ = true;
      return;
    }
    in.CaptureFileOn = 1;
  }
  w_.services.capture.ShowCaptureStatus();
  downloadPending_ = true;
}

void SessionTransfers::BeginDownloadCommand() {
  Session& s = w_.session;
  HostInput& in = s.input;
  w_.ShowBusyCursor();
  std::string command = downloadCommand_;
  if (s.Opt.DownloadNoPrompt == 1) command += " (N";
  s.conn.SendToHost(command, kCr);
  // The host's echo of the command is not kept.
  in.CollectEchoLength = static_cast<int16_t>(std::min<size_t>(command.size(), 32000));
  Screen& sc = s.screen;
  sc.ClearScreenAndHome();
  w_.WriteSessionText(L("SENDING COMMAND'") + command + "'");
  w_.NewSessionLine();
  w_.WriteSessionText(L("Download in progress"));
  w_.NewSessionLine();
  w_.WriteSessionText(L("Ctrl+. to abort"));
  w_.NewSessionLine();
  w_.WriteSessionText(L("Receiving data from host "));
  w_.NewSessionLine();
  sc.port.Flush();
  downloadPending_ = false;
  sc.DisplayOn = 0;
  downloadStartTick_ = NowTicks();
  in.CollectLastDataTick = static_cast<int32_t>(downloadStartTick_);
  in.DownloadWaiting = 1;
  in.CollectMode = 1;
  downloadRunning_ = true;
}

void SessionTransfers::ReceiveDownloadFromHost() {
  if (downloadPending_) {
    BeginDownloadCommand();
    return;
  }
  if (downloadRunning_) WatchDownload();
}

void SessionTransfers::WatchDownload() {
  Session& s = w_.session;
  HostInput& in = s.input;
  const int64_t now = NowTicks();
  const int64_t quiet = now - std::max<int64_t>(downloadStartTick_, in.CollectLastDataTick);
  if (in.CollectCharCount < in.CollectEchoLength) {
    if (quiet <= downloadTimeoutTicks_) return;
    // The host never answered the command.
    w_.services.capture.CloseCaptureFile();
    in.CaptureFileOn = 0;
    ResetCollectState();
    downloadRunning_ = false;
    s.screen.DisplayOn = 1;
    Alert(static_cast<int>(platform::AlertKind::Stop), "This computer is not communicating with the host");
    w_.WriteSessionText(L("Download aborted"));
    w_.NewSessionLine();
    s.conn.SendToHost("", kCr);
    s.screen.port.TextFont(s.screen.ScreenFontId);
    if (in.XoffSent && s.Opt.XonXoffOn == 1) {
      s.conn.SendXoffXon();
      in.XoffSent = 0;
    }
    w_.services.capture.ShowCaptureStatus();
    w_.RestoreArrowCursor();
    return;
  }
  // Ten characters past the echo: the data has begun.
  if (in.CollectCharCount >= in.CollectEchoLength + 10) in.DownloadQuiet = 1;
  if (quiet > downloadTimeoutTicks_) EndDownload();
}

void SessionTransfers::EndDownload() {
  Session& s = w_.session;
  HostInput& in = s.input;
  Screen& sc = s.screen;
  // What was held back at the end was the host's prompt.
  in.EndCollectMode();
  w_.services.capture.CloseCaptureFile();
  in.CaptureFileOn = 0;
  ResetCollectState();
  downloadRunning_ = false;
  w_.RestoreArrowCursor();
  StopOutputAndFlush(w_);
  sc.ClearScreenAndHome();
  w_.services.capture.ShowCaptureStatus();
  Alert(static_cast<int>(platform::AlertKind::Note), "Download complete");
  sc.port.TextFont(sc.ScreenFontId);
  sc.port.TextSize(s.Opt.TextSizeValue);
  sc.ComputeCellMetrics();
  sc.RepaintPending = 1;
  s.conn.SendToHost("", kCr);
  in.CollectStatusShown = 0;
}

void SessionTransfers::AbortDownload() {
  Session& s = w_.session;
  HostInput& in = s.input;
  const bool commandSent = downloadRunning_;
  downloadPending_ = false;
  downloadRunning_ = false;
  if (commandSent) {
    s.conn.SendBreakToHost(s.Opt);
    if (in.XoffSent && s.Opt.XonXoffOn == 1) {
      s.conn.SendXoffXon();
      in.XoffSent = 0;
    }
  }
  s.screen.DisplayOn = 1;
  s.conn.FlushHostInput();
  if (commandSent) s.conn.SendToHost("END", kCr);
  ResetCollectState();
  in.CollectCharCount = 0;
  in.CollectEchoLength = 0;
  w_.services.capture.CloseCaptureFile();
  in.CaptureFileOn = 0;
  w_.services.capture.ShowCaptureStatus();
  s.screen.port.TextFont(s.screen.ScreenFontId);
  if (!commandSent) return;
  // The host has half a second to stop before the screen says so.
  abortPending_ = true;
  abortDueMs_ = NowMs() + kAbortPauseMs;
}

void SessionTransfers::DownloadLost() {
  Session& s = w_.session;
  HostInput& in = s.input;
  downloadPending_ = false;
  downloadRunning_ = false;
  abortPending_ = false;
  // What came before the connection closed stays in the file.
  w_.services.capture.CloseCaptureFile();
  in.CaptureFileOn = 0;
  ResetCollectState();
  s.screen.DisplayOn = 1;
  s.screen.port.TextFont(s.screen.ScreenFontId);
  w_.WriteSessionText(L("Download aborted"));
  w_.NewSessionLine();
  w_.services.capture.ShowCaptureStatus();
  w_.RestoreArrowCursor();
  w_.services.sounds.Beep();
}

void SessionTransfers::FinishAbort() {
  Session& s = w_.session;
  Screen& sc = s.screen;
  abortPending_ = false;
  sc.ClearScreenAndHome();
  w_.WriteSessionText(L("Download aborted"));
  w_.NewSessionLine();
  w_.services.sounds.Beep();
  sc.port.TextFont(sc.ScreenFontId);
  sc.port.TextSize(s.Opt.TextSizeValue);
  s.conn.SendToHost("", kCr);
  sc.SetCursor(5, 1);
  sc.MoveToCell(5, 1);
  sc.RepaintPending = 1;
  w_.RestoreArrowCursor();
}

void SessionTransfers::ShowDownloadTarget(const std::string& path) {
  // The host named the file its output is to be saved in: the user sees the
  // name and confirms or refuses it.
  w_.services.dialogs.OpenHostNamedFile(path);
}

// ---- Host-to-computer transfers that scripts set up ---------------------------------------

std::string SessionTransfers::StartHostToMacTransfer(const std::string& hostCommand) {
  hostToMacCancelled_ = false;
  hostToMacCommand_ = hostCommand;
  hostToMacWindowRequest_ = true;
  std::string target = w_.Owner().services.hostFolders.desktop;
  if (target.empty()) target = w_.Owner().services.hostFolders.home;
  target += "/HostToMac Transfer" + ExtensionForCreator(w_.session.Opt.CaptureCreator);
  if (target.size() > 255) target.resize(255);
  presetPath_ = target;
  hostToMacStartRequest_ = true;
  transferInProgress_ = true;
  return target;
}

void SessionTransfers::HostTransferAnswered(const HostTransferAnswer& answer) {
  transferInProgress_ = false;
  if (!answer.confirmed) {
    hostToMacCancelled_ = true;
    return;
  }
  hostToMacCancelled_ = false;
  answer_ = answer;
  // A window answered without a script's request starts its download too.
  if (!hostToMacStartRequest_) {
    hostToMacStartRequest_ = true;
    presetPath_.clear();
  }
}

void SessionTransfers::ResetHostToMacReceive() {
  if (Downloading()) AbortDownload();
  xferRequest_.reset();
  ResetCollectState();
}

void SessionTransfers::StartHostToMacXfer(const HostToMacXferRequest& values) { xferRequest_ = values; }

// ---- The main loop's step -----------------------------------------------------------------

void SessionTransfers::Step() {
  Session& s = w_.session;
  HostInput& in = s.input;
  if (hostToMacWindowRequest_) {
    hostToMacWindowRequest_ = false;
    w_.Owner().ResetScrollbackView(w_);
    if (FlowControlAllowsSend())
      w_.services.dialogs.OpenHostTransfer(hostToMacCommand_);
    else
      transferInProgress_ = false;
  }
  if (hostToMacStartRequest_ && !transferInProgress_) {
    hostToMacStartRequest_ = false;
    if (hostToMacCancelled_) {
      presetPath_.clear();
    } else {
      ResetCollectState();
      downloadCommand_ = answer_.command;
      s.Opt.DownloadNoPrompt = answer_.noPrompt ? 1 : 0;
      if (answer_.conversion && answer_.fieldsPerRecord > 0) {
        in.CollectTableMode = 1;
        in.CollectFieldsPerLine = static_cast<int16_t>(answer_.fieldsPerRecord);
        in.CollectSkipLines = 1;
      }
      downloadTimeoutTicks_ = kDefaultDownloadTimeoutTicks;
      const std::string path = std::exchange(presetPath_, std::string());
      StartDownload(path.empty(), path, true);
    }
  }
  if (xferRequest_) {
    const HostToMacXferRequest x = *std::exchange(xferRequest_, std::nullopt);
    ResetCollectState();
    s.Opt.DownloadNoPrompt = x.noPage == "Yes" ? 1 : 0;
    if (x.convert == "Yes") {
      in.CollectCrToTab = 1;
      in.CollectTableMode = 0;
    }
    in.CollectSkipLines = x.linesToSkip;
    downloadTimeoutTicks_ = int64_t{x.timeOutTime > 0 ? x.timeOutTime : 5} * 60;
    downloadCommand_ = x.hostCommand;
    if (x.fieldsPerRecord > 0) {
      in.CollectCrToTab = 0;
      in.CollectTableMode = 1;
      in.CollectFieldsPerLine = x.fieldsPerRecord;
      if (in.CollectSkipLines == 0) in.CollectSkipLines = 1;
    }
    hostToMacCancelled_ = false;
    StartDownload(false, x.path, x.overWrite == "Yes");
  }
  // The connection closed under a download: nothing more can come.
  if ((downloadPending_ || downloadRunning_) && !w_.Connected()) DownloadLost();
  if (abortPending_ && NowMs() >= abortDueMs_) FinishAbort();
  if (sendRequested_ && !sender_.Active()) {
    sendRequested_ = false;
    w_.Owner().ResetScrollbackView(w_);
    StartFileSend(std::exchange(requestedPath_, std::string()));
  }
  StepKermit();
  if (!sender_.Active()) return;
  // The host has gone: what is left of the file has nowhere to go.
  if (!w_.Connected()) {
    sender_.Stop();
    w_.services.sounds.Beep();
    return;
  }
  platform::Clock& clock = w_.Owner().services.clock;
  const int64_t end = clock.Milliseconds() + kSendSliceMs;
  // Line after line while each is due at once; a line that waits for its
  // pace, the host's echo or room on the line ends the turn's share.
  while (sender_.Active()) {
    const uint64_t before = sender_.LinesSent();
    const bool going = sender_.Step();
    if (!going || sender_.LinesSent() == before) break;
    if (clock.Milliseconds() >= end) break;
  }
}

bool SessionTransfers::CancelKey() {
  bool any = false;
  if (sender_.Active() || sendRequested_) {
    sendRequested_ = false;
    sender_.Cancel();
    any = true;
  }
  if (downloadPending_ || downloadRunning_) {
    AbortDownload();
    any = true;
  }
  if (kermit_ != KermitStep::Idle) {
    kermit_ = KermitStep::Idle;
    w_.session.input.TransferWatchOn = 0;
    any = true;
  }
  return any;
}

}  // namespace korvane::output
