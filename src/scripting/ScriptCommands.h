#pragma once
// The command set, once: every event a script can send (class and ID, two
// four-character codes), the suite and the method name it has on the bus,
// whether it takes a text and whether it answers with one. The dispatcher
// recognises events from this table and the bus service builds its methods
// and its introspection data from it, so the two cannot disagree.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvane::scripting {

enum class ScriptCommand : uint8_t {
  // "cstm": messages
  ShowMessage,
  MessageToHost,
  // "dial"
  QuickDial,
  HangUp,
  // "xfer": screen text
  GetScreenData,
  ScreenDataRow,
  ScreenDataColStart,
  ScreenDataColEnd,
  ScreenLine,
  // "xfer": clipboard
  AppendToClipboard,
  CopyToClipboard,
  ClearClipboard,
  ClipboardOn,
  ClipboardOff,
  // "xfer": capture
  CaptureOpen,
  CaptureClose,
  DeleteCapture,
  GetCaptureFile,
  SetCaptureFile,
  ScreenSnapshot,
  Paste,
  // "xfer": transfers
  HostToMac,
  MacToHost,
  TransferDone,
  DataReceived,
  XferStart,
  XferHostCommand,
  XferFileName,
  XferConvert,
  XferFieldsPerRecord,
  XferOverWrite,
  XferLinesToSkip,
  XferTimeOutTime,
  XferNoPage,
  Pros,
  // "cmds"
  SendBreak,
  SendControl,
  SendEscape,
  SendTab,
  Wait,
  // "conx"
  OpenConnection,
  CloseConnection,
  IsConnected,
  ConnectionMethod,
  // "curs"
  CursorColumn,
  CursorRow,
  // "aevt"
  Answer,         // ignored
  OpenDocuments,  // its own handler, not the command set's
};

struct ScriptCommandInfo {
  std::string_view eventClass;  // four characters
  std::string_view eventId;     // four characters ("fpr " and "tab " end in a blank)
  ScriptCommand command;
  // The method on the bus: interface kInterfacePrefix + suite, member method.
  // Empty for an event that only the generic method reaches.
  std::string_view suite;
  std::string_view method;
  // The name of the text parameter; empty when the event takes none.
  std::string_view parameter;
  // The method answers with the reply text.
  bool replies;
};

// Every event of the command set, in the order of the suites.
std::span<const ScriptCommandInfo> ScriptCommands();

// The entry of an event, or null when the class and ID are not a command.
const ScriptCommandInfo* FindScriptEvent(std::string_view eventClass, std::string_view eventId);
// The entry of a named method: the suite (the interface without its prefix)
// and the member. Null when there is none.
const ScriptCommandInfo* FindScriptMethod(std::string_view suite, std::string_view method);

// The interfaces of the service as introspection XML (the <interface>
// elements): the generic method and every suite's methods.
std::string ScriptBusIntrospection();

}  // namespace korvane::scripting
