#include "scripting/ScriptCommandSet.h"

#include <cstdlib>

#include "scripting/OpenDocuments.h"
#include "scripting/ScriptNumbers.h"
#include "settings/ColonPaths.h"

namespace korvane::scripting {

namespace {

std::string Cut(std::string text) {
  if (text.size() > kMaxScriptText) text.resize(kMaxScriptText);
  return text;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 32 || c == 127) return true;
  return false;
}

}  // namespace

bool ScriptCapturePathAllowed(const std::string& path) {
  if (HasControlCharacter(path)) return false;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (path.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

bool ScriptTransferNameAllowed(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         !HasControlCharacter(name);
}

ScriptCommandSet::ScriptCommandSet(ScriptTarget& target) : target_(target) {}

int16_t ScriptCommandSet::CheckScriptEvent(const std::string& eventClass, const std::string& eventId) {
  if (eventClass.size() != 4 || eventId.size() != 4) return kEventNotHandled;
  return FindScriptEvent(eventClass, eventId) ? 0 : kEventNotHandled;
}

void ScriptCommandSet::SetLastReplyText(const std::string& text) { lastReplyText_ = Cut(text); }

void ScriptCommandSet::Reply(const std::string& text, bool lastReply) {
  replyText_ = Cut(text);
  if (lastReply) lastReplyText_ = replyText_;
}

ScriptOutcome ScriptCommandSet::ScriptCommandHandler(const ScriptEvent& event) {
  ScriptOutcome out;
  out.result = CheckScriptEvent(event.eventClass, event.eventId);
  scriptDirectText_ = Cut(event.directText);
  replyText_.clear();
  // An answer event ends here, whatever its class.
  if (event.eventId == "ansr") return out;
  target_.SetScriptCommandBusy(true);
  if (out.result == 0) RunCommand(event, out.waitMs);
  // FieldsPerRecord only survives a Convert other than "No" (case counts).
  if (xfer_.XferConvert == "No") xfer_.XferFieldsPerRecord = 0;
  target_.SetScriptCommandBusy(false);
  if (!replyText_.empty()) {
    out.replyPut = true;
    out.errorNumber = 0;
    out.replyText = replyText_;
  }
  return out;
}

void ScriptCommandSet::RunCommand(const ScriptEvent& event, int64_t& waitMs) {
  const ScriptCommandInfo* info = FindScriptEvent(event.eventClass, event.eventId);
  const std::string& text = scriptDirectText_;
  const ScriptCopies& copies = target_.Copies();
  using C = ScriptCommand;
  using R = ScriptRequest;
  switch (info->command) {
    case C::ShowMessage:
      scriptMessage_ = text;
      target_.Request(R::Message, text);
      break;
    case C::MessageToHost:
      // Queued also when nothing is connected: the consumer then sends nothing.
      target_.Request(R::MessageToHost, text);
      Reply(target_.ConnectionOpen() || target_.HostConnected() ? L("Message sent to host")
                                                                : L("Error. Connection is not open to host."),
            true);
      break;
    case C::QuickDial: target_.Request(R::QuickDial, ""); break;
    case C::HangUp: target_.Request(R::HangUp, ""); break;

    case C::GetScreenData:
    case C::ScreenDataRow:
    case C::ScreenDataColStart:
    case C::ScreenDataColEnd: ScreenDataStep(info->command); break;
    case C::ScreenLine:
      if (Screen* screen = target_.ActiveScreen())
        Reply(GetScreenLineText(*screen, ScriptNumber(text), copies.SessionColumns), true);
      else
        Reply(L("Error! Emulation window is not open"), true);
      break;

    case C::AppendToClipboard:
    case C::CopyToClipboard:
      if (info->command == C::CopyToClipboard) target_.ResetClipboardCopy();
      if (!text.empty()) lastReplyText_ = text;
      target_.AppendLineToClipboard(lastReplyText_);
      break;
    case C::ClearClipboard: target_.ClearClipboard(); break;
    case C::ClipboardOn: target_.Request(R::ClipboardOn, ""); break;
    case C::ClipboardOff: target_.Request(R::ClipboardOff, ""); break;

    case C::CaptureOpen:
      target_.Request(R::CaptureOpen, "");
      Reply(copies.ScriptCaptureFileName + L(" is the current capture file."), true);
      break;
    case C::CaptureClose: target_.Request(R::CaptureClose, ""); break;
    case C::DeleteCapture: target_.Request(R::DeleteCapture, ""); break;
    case C::GetCaptureFile: Reply(target_.GetCaptureFileName(), true); break;
    case C::SetCaptureFile: {
      // A script may name any file of the user's, by a POSIX or a colon path,
      // but never climb out of a folder by its parent's name.
      const PathResult local = LocalPathOf(text, FolderMap::ForThisUser());
      if (!local.ok() || !ScriptCapturePathAllowed(local.path))
        Reply(L("Error! Incorrect path name supplied by the script."), true);
      else
        Reply(target_.SetCaptureFileFromScript(local.path), true);
      break;
    }
    case C::ScreenSnapshot: target_.Request(R::ScreenSnapshot, ""); break;
    case C::Paste: target_.Request(R::Paste, ""); break;

    case C::HostToMac: Reply(target_.StartHostToMacTransfer(text), true); break;
    case C::MacToHost: Reply(target_.SendFileToHost(text), true); break;
    case C::TransferDone: {
      const TransferFlags f = target_.Transfers();
      const bool busy = f.CollectModeOn || f.UploadInProgress || copies.ScriptCaptureOn || f.TransferInProgress;
      std::string answer = busy ? L("No") : L("Yes");
      if (f.HostToMacCancelled) answer = "User canceled";
      Reply(answer, true);
      break;
    }
    case C::DataReceived: Reply(target_.TakeHostDataArrived() ? L("Yes") : L("No"), true); break;
    case C::XferStart:
    case C::XferHostCommand:
    case C::XferFileName:
    case C::XferConvert:
    case C::XferFieldsPerRecord:
    case C::XferOverWrite:
    case C::XferLinesToSkip:
    case C::XferTimeOutTime:
    case C::XferNoPage: HostToMacXferStep(info->command); break;
    case C::Pros: break;  // accepted; it has no action

    case C::SendBreak: target_.Request(R::SendBreak, ""); break;
    case C::SendControl: target_.Request(R::SendControl, text); break;
    case C::SendEscape: target_.Request(R::SendEscape, ""); break;
    case C::SendTab: target_.Request(R::SendTab, ""); break;
    case C::Wait: {
      const int seconds = ScriptNumber(text);
      waitMs = seconds > 0 ? int64_t{seconds} * 1000 : 0;
      break;
    }

    case C::OpenConnection: target_.Request(R::OpenConnection, ""); break;
    case C::CloseConnection: target_.Request(R::CloseConnection, ""); break;
    case C::IsConnected: Reply(target_.HostConnected() ? L("Yes") : L("No"), false); break;
    case C::ConnectionMethod: ConnectionMethodReply(); break;

    // Both count from 0 and report the cursor as the idle pass last copied
    // it; the column drops the blank the number is written with.
    case C::CursorColumn: Reply(NumberText(copies.ScriptCursorCol - 1).substr(1), true); break;
    case C::CursorRow: Reply(NumberText(copies.ScriptCursorRow - 1), true); break;

    case C::Answer: break;
    case C::OpenDocuments:
      OpenDocumentsHandler(target_,
                           event.documents.empty() ? std::vector<std::string>{event.directText} : event.documents);
      break;
  }
}

void ScriptCommandSet::ScreenDataStep(ScriptCommand command) {
  const int16_t number = ScriptNumber(scriptDirectText_);
  switch (command) {
    case ScriptCommand::GetScreenData: getScreenDataStep_ = 1; break;
    case ScriptCommand::ScreenDataRow:
      if (getScreenDataStep_ != 1) {
        Reply(L("Error: Row command must be used with GetScreenData"), true);
        return;
      }
      getScreenDataStep_ = 2;
      screenData_.ScreenDataRow = number;
      Reply("", true);
      break;
    case ScriptCommand::ScreenDataColStart:
      if (getScreenDataStep_ != 2) {
        Reply(L("Error: ColStart command must be used with GetScreenData. Row must be specified first"), true);
        return;
      }
      getScreenDataStep_ = 3;
      screenData_.ScreenDataColStart = number;
      Reply("", true);
      break;
    case ScriptCommand::ScreenDataColEnd:
      if (getScreenDataStep_ != 3) {
        Reply(L("Error: ColEnd command must be used with GetScreenData. ColStart must be specified first"), true);
        return;
      }
      getScreenDataStep_ = 0;
      screenData_.ScreenDataColEnd = number;
      if (Screen* screen = target_.ActiveScreen())
        Reply(GetScreenDataText(*screen, screenData_, target_.Copies().ScriptScreenRows), true);
      else
        Reply(L("Error! Emulation window is not open"), true);
      break;
    default: break;
  }
}

void ScriptCommandSet::HostToMacXferStep(ScriptCommand command) {
  if (command == ScriptCommand::XferStart) {
    xfer_ = HostToMacXferValues{};
    xfer_.HostToMacXferStep = 1;
    Reply("Got the MacToHostXfer command", true);
    target_.CancelRequest(ScriptRequest::HostToMacXfer);
    target_.ResetHostToMacReceive();
    return;
  }
  struct Step {
    ScriptCommand command;
    int16_t expects;
    const char* confirmation;  // null: the reply is the file's path
  };
  static constexpr Step kSteps[] = {
      {ScriptCommand::XferHostCommand, 1, "Got the HostCommand"},
      {ScriptCommand::XferFileName, 2, nullptr},
      {ScriptCommand::XferConvert, 3, "Got the Convert command"},
      {ScriptCommand::XferFieldsPerRecord, 4, "Got the FieldsPerRecord command"},
      {ScriptCommand::XferOverWrite, 5, "Got the OverWrite command"},
      {ScriptCommand::XferLinesToSkip, 6, "Got the LinesToSkip command"},
      {ScriptCommand::XferTimeOutTime, 7, "Got the TimeOutTime command"},
      {ScriptCommand::XferNoPage, 8, "Got the NoPage command"},
  };
  const Step* step = nullptr;
  for (const Step& s : kSteps)
    if (s.command == command) step = &s;
  if (!step) return;
  const std::string& text = scriptDirectText_;
  // Every step moves the chain on, also one that failed.
  const int16_t expected = xfer_.HostToMacXferStep;
  xfer_.HostToMacXferStep = static_cast<int16_t>(step->expects + 1);
  if (expected != step->expects) {
    Reply("Error: Incorrect command sequence for HostToMacXfer", true);
    return;
  }
  switch (command) {
    case ScriptCommand::XferHostCommand: xfer_.XferHostCommand = text; break;
    case ScriptCommand::XferFileName: {
      // The file goes on the desktop under exactly this name, nowhere else.
      if (!ScriptTransferNameAllowed(text)) {
        Reply("Error: Incorrect file name for HostToMacXfer", true);
        return;
      }
      xfer_.XferFileName = text;
      std::string desktop = target_.DesktopFolder();
      if (desktop.empty() || desktop.back() != '/') desktop += '/';
      captureFilePath_ = desktop + text;
      target_.SetCaptureFilePath(captureFilePath_);
      Reply(captureFilePath_, true);
      return;
    }
    case ScriptCommand::XferConvert: xfer_.XferConvert = text; break;
    case ScriptCommand::XferFieldsPerRecord: xfer_.XferFieldsPerRecord = ScriptNumber(text); break;
    case ScriptCommand::XferOverWrite: xfer_.XferOverWrite = text; break;
    case ScriptCommand::XferLinesToSkip: xfer_.XferLinesToSkip = ScriptNumber(text); break;
    case ScriptCommand::XferTimeOutTime: xfer_.XferTimeOutTime = ScriptNumber(text); break;
    case ScriptCommand::XferNoPage:
      xfer_.XferNoPage = text;
      target_.Request(ScriptRequest::HostToMacXfer, "");
      break;
    default: break;
  }
  Reply(step->confirmation, true);
}

void ScriptCommandSet::ConnectionMethodReply() {
  const SessionOptions* opt = target_.ActiveOptions();
  if (!opt) {
    Reply(L("Error! Emulation window is not open"), false);
    return;
  }
  if (opt->UsesPty) {
    // A later match replaces an earlier one; a child of no known kind answers nothing.
    std::string method;
    if (opt->TelnetSession) method = L("telnet");
    if (opt->SshSession) method = L("ssh secure shell");
    if (opt->LocalShellSession) method = L("local shell");
    Reply(method, false);
    return;
  }
  Reply(L("Serial using ") + target_.SerialPortName(std::abs(int{target_.SerialPort()})), false);
}

}  // namespace korvane::scripting
