#include "scripting/ScriptCommands.h"

#include <algorithm>
#include <array>
#include <vector>

#include "scripting/BusNames.h"

namespace korvane::scripting {

namespace {

using C = ScriptCommand;

constexpr std::array kCommands = {
    // class, ID, command, suite, method, parameter, replies
    ScriptCommandInfo{"cstm", "mssg", C::ShowMessage, "Message", "Show", "message", false},
    ScriptCommandInfo{"cstm", "mssh", C::MessageToHost, "Message", "SendToHost", "text", true},

    ScriptCommandInfo{"dial", "qdil", C::QuickDial, "Dial", "QuickDial", "", false},
    ScriptCommandInfo{"dial", "hang", C::HangUp, "Dial", "HangUp", "", false},

    ScriptCommandInfo{"xfer", "getr", C::GetScreenData, "Transfer", "GetScreenData", "", false},
    ScriptCommandInfo{"xfer", "rowx", C::ScreenDataRow, "Transfer", "Row", "row", true},
    ScriptCommandInfo{"xfer", "cost", C::ScreenDataColStart, "Transfer", "ColStart", "column", true},
    ScriptCommandInfo{"xfer", "coen", C::ScreenDataColEnd, "Transfer", "ColEnd", "column", true},
    ScriptCommandInfo{"xfer", "line", C::ScreenLine, "Transfer", "Line", "row", true},
    ScriptCommandInfo{"xfer", "apnd", C::AppendToClipboard, "Transfer", "AppendToClipboard", "text", false},
    ScriptCommandInfo{"xfer", "cpyr", C::CopyToClipboard, "Transfer", "CopyToClipboard", "text", false},
    ScriptCommandInfo{"xfer", "cclp", C::ClearClipboard, "Transfer", "ClearClipboard", "", false},
    ScriptCommandInfo{"xfer", "clon", C::ClipboardOn, "Transfer", "ClipboardCaptureOn", "", false},
    ScriptCommandInfo{"xfer", "clof", C::ClipboardOff, "Transfer", "ClipboardCaptureOff", "", false},
    ScriptCommandInfo{"xfer", "capo", C::CaptureOpen, "Transfer", "CaptureOpen", "", true},
    ScriptCommandInfo{"xfer", "capx", C::CaptureClose, "Transfer", "CaptureClose", "", false},
    ScriptCommandInfo{"xfer", "delc", C::DeleteCapture, "Transfer", "DeleteCaptureFile", "", false},
    ScriptCommandInfo{"xfer", "getc", C::GetCaptureFile, "Transfer", "GetCaptureFile", "", true},
    ScriptCommandInfo{"xfer", "setf", C::SetCaptureFile, "Transfer", "SetCaptureFile", "path", true},
    ScriptCommandInfo{"xfer", "scrn", C::ScreenSnapshot, "Transfer", "ScreenSnapshot", "", false},
    ScriptCommandInfo{"xfer", "pste", C::Paste, "Transfer", "Paste", "", false},
    ScriptCommandInfo{"xfer", "htmx", C::HostToMac, "Transfer", "HostToMac", "hostCommand", true},
    ScriptCommandInfo{"xfer", "mthx", C::MacToHost, "Transfer", "SendFileToHost", "file", true},
    ScriptCommandInfo{"xfer", "xfrd", C::TransferDone, "Transfer", "TransferDone", "", true},
    ScriptCommandInfo{"xfer", "drec", C::DataReceived, "Transfer", "DataReceived", "", true},
    ScriptCommandInfo{"xfer", "htm2", C::XferStart, "Transfer", "HostToMacXfer", "", true},
    ScriptCommandInfo{"xfer", "hcmd", C::XferHostCommand, "Transfer", "HostCommand", "command", true},
    ScriptCommandInfo{"xfer", "fnam", C::XferFileName, "Transfer", "FileName", "name", true},
    ScriptCommandInfo{"xfer", "conv", C::XferConvert, "Transfer", "Convert", "value", true},
    ScriptCommandInfo{"xfer", "fpr ", C::XferFieldsPerRecord, "Transfer", "FieldsPerRecord", "value", true},
    ScriptCommandInfo{"xfer", "ovrw", C::XferOverWrite, "Transfer", "OverWrite", "value", true},
    ScriptCommandInfo{"xfer", "lins", C::XferLinesToSkip, "Transfer", "LinesToSkip", "value", true},
    ScriptCommandInfo{"xfer", "timo", C::XferTimeOutTime, "Transfer", "TimeOutTime", "value", true},
    ScriptCommandInfo{"xfer", "nopg", C::XferNoPage, "Transfer", "NoPage", "value", true},
    ScriptCommandInfo{"xfer", "pros", C::Pros, "Transfer", "Pros", "", false},

    ScriptCommandInfo{"cmds", "brek", C::SendBreak, "Commands", "Break", "", false},
    ScriptCommandInfo{"cmds", "ctrl", C::SendControl, "Commands", "Control", "letter", false},
    ScriptCommandInfo{"cmds", "escp", C::SendEscape, "Commands", "Escape", "", false},
    ScriptCommandInfo{"cmds", "tab ", C::SendTab, "Commands", "Tab", "", false},
    ScriptCommandInfo{"cmds", "wait", C::Wait, "Commands", "Wait", "seconds", false},

    ScriptCommandInfo{"conx", "opnc", C::OpenConnection, "Connection", "Open", "", false},
    ScriptCommandInfo{"conx", "cloc", C::CloseConnection, "Connection", "Close", "", false},
    ScriptCommandInfo{"conx", "icno", C::IsConnected, "Connection", "IsConnected", "", true},
    ScriptCommandInfo{"conx", "conm", C::ConnectionMethod, "Connection", "Method", "", true},

    ScriptCommandInfo{"curs", "curc", C::CursorColumn, "Cursor", "Column", "", true},
    ScriptCommandInfo{"curs", "curr", C::CursorRow, "Cursor", "Row", "", true},

    ScriptCommandInfo{"aevt", "ansr", C::Answer, "", "", "", false},
    // The documents to open: a list of paths on the bus, one path through the
    // generic method.
    ScriptCommandInfo{"aevt", "odoc", C::OpenDocuments, kApplicationSuite, kOpenDocumentsMethod, "paths", false},
};

void AppendMethod(std::string& xml, const ScriptCommandInfo& c) {
  xml += "    <method name=\"";
  xml += c.method;
  xml += "\">\n";
  if (!c.parameter.empty()) {
    xml += "      <arg name=\"";
    xml += c.parameter;
    xml += c.command == ScriptCommand::OpenDocuments ? "\" type=\"as\" direction=\"in\"/>\n"
                                                     : "\" type=\"s\" direction=\"in\"/>\n";
  }
  if (c.replies) xml += "      <arg name=\"reply\" type=\"s\" direction=\"out\"/>\n";
  xml += "    </method>\n";
}

}  // namespace

std::span<const ScriptCommandInfo> ScriptCommands() { return kCommands; }

const ScriptCommandInfo* FindScriptEvent(std::string_view eventClass, std::string_view eventId) {
  for (const ScriptCommandInfo& c : kCommands)
    if (c.eventClass == eventClass && c.eventId == eventId) return &c;
  return nullptr;
}

const ScriptCommandInfo* FindScriptMethod(std::string_view suite, std::string_view method) {
  if (suite.empty() || method.empty()) return nullptr;
  for (const ScriptCommandInfo& c : kCommands)
    if (c.suite == suite && c.method == method) return &c;
  return nullptr;
}

std::string ScriptBusIntrospection() {
  std::string xml;
  xml += "  <interface name=\"";
  xml += kInterfacePrefix;
  xml += kGenericSuite;
  xml += "\">\n    <method name=\"";
  xml += kGenericMethod;
  xml +=
      "\">\n"
      "      <arg name=\"eventClass\" type=\"s\" direction=\"in\"/>\n"
      "      <arg name=\"eventId\" type=\"s\" direction=\"in\"/>\n"
      "      <arg name=\"directText\" type=\"s\" direction=\"in\"/>\n"
      "      <arg name=\"reply\" type=\"s\" direction=\"out\"/>\n"
      "      <arg name=\"error\" type=\"i\" direction=\"out\"/>\n"
      "    </method>\n  </interface>\n";
  // One interface per suite, its methods in table order; a suite's entries
  // need not be next to each other.
  std::vector<std::string_view> done;
  for (const ScriptCommandInfo& first : kCommands) {
    if (first.suite.empty() || std::find(done.begin(), done.end(), first.suite) != done.end()) continue;
    done.push_back(first.suite);
    xml += "  <interface name=\"";
    xml += kInterfacePrefix;
    xml += first.suite;
    xml += "\">\n";
    for (const ScriptCommandInfo& c : kCommands)
      if (c.suite == first.suite) AppendMethod(xml, c);
    xml += "  </interface>\n";
  }
  return xml;
}

}  // namespace korvane::scripting
