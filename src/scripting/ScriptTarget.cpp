#include "scripting/ScriptTarget.h"

namespace korvane::scripting {

const char* RequestName(ScriptRequest request) {
  switch (request) {
    case ScriptRequest::OpenConnection: return "RequestOpenConnection";
    case ScriptRequest::CaptureOpen: return "RequestCaptureOpen";
    case ScriptRequest::ClipboardOn: return "RequestClipboardOn";
    case ScriptRequest::MessageToHost: return "RequestMessageToHost";
    case ScriptRequest::Message: return "RequestMessage";
    case ScriptRequest::CaptureClose: return "RequestCaptureClose";
    case ScriptRequest::ClipboardOff: return "RequestClipboardOff";
    case ScriptRequest::QuickDial: return "RequestQuickDial";
    case ScriptRequest::HangUp: return "RequestHangUp";
    case ScriptRequest::ScreenSnapshot: return "RequestScreenSnapshot";
    case ScriptRequest::Paste: return "RequestPaste";
    case ScriptRequest::SendBreak: return "RequestSendBreak";
    case ScriptRequest::SendControl: return "RequestSendControl";
    case ScriptRequest::SendEscape: return "RequestSendEscape";
    case ScriptRequest::SendTab: return "RequestSendTab";
    case ScriptRequest::CloseConnection: return "RequestCloseConnection";
    case ScriptRequest::DeleteCapture: return "RequestDeleteCapture";
    case ScriptRequest::HostToMacXfer: return "RequestHostToMacXfer";
  }
  return "";
}

}  // namespace korvane::scripting
