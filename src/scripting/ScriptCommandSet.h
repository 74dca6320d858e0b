#pragma once
// The scripting command set: one handler for every script event, its reply
// state, and the two step-by-step sequences (GetScreenData and the
// host-to-desktop transfer chain HostToMacXfer).
//
// A script event is named by its class and ID and carries at most one text
// (the direct text). The handler answers queries at once, reads the screen,
// works on the clipboard, and leaves everything that touches the connection,
// capture or a transfer as a request for the idle pass (ScriptTarget). Every
// answer is text with error number 0; a failed command says so in words; only
// an event outside the command set gets a result code, -1708.
//
// The handler runs the event itself; the pause before each event and the
// "wait" command are the ScriptEventQueue's.

#include <cstdint>
#include <string>
#include <vector>

#include "scripting/ScreenText.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptTarget.h"

namespace korvane::scripting {

// errAEEventNotHandled: the event is not part of the command set.
constexpr int16_t kEventNotHandled = -1708;
// Texts (direct text, replies) are at most this long, in 8-bit codes.
constexpr size_t kMaxScriptText = 255;

struct ScriptEvent {
  std::string eventClass;  // four characters
  std::string eventId;     // four characters
  std::string directText;  // cut to kMaxScriptText by the handler
  // For the open-documents event: the paths (file-system paths).
  std::vector<std::string> documents;
};

struct ScriptOutcome {
  // ScriptResultCode: 0, or kEventNotHandled.
  int16_t result = 0;
  // The reply is put only when its text is not empty: then with the error
  // number gAE_Error beside it, which is always 0.
  bool replyPut = false;
  int32_t errorNumber = 0;
  std::string replyText;
  // "wait": the event ends this many milliseconds after the command ran.
  int64_t waitMs = 0;
};

// The values the HostToMacXfer chain gathers; the idle pass hands them to the
// host-to-desktop transfer when the chain's last step raised its request.
struct HostToMacXferValues {
  int16_t HostToMacXferStep = 0;  // 1..8 the step expected next, 9 complete, 0 before the first start
  std::string XferHostCommand;
  std::string XferFileName;
  std::string XferConvert = "No";
  int16_t XferFieldsPerRecord = 0;
  std::string XferOverWrite = "No";
  int16_t XferLinesToSkip = 1;
  int16_t XferTimeOutTime = 5;
  std::string XferNoPage = "Yes";
};

class ScriptCommandSet {
 public:
  explicit ScriptCommandSet(ScriptTarget& target);

  // 0 for an event of the command set, kEventNotHandled otherwise. Classes and
  // IDs are compared byte for byte; one that is not four characters long is
  // no command.
  static int16_t CheckScriptEvent(const std::string& eventClass, const std::string& eventId);

  // Runs one event (after its pause): reads the direct text, empties the
  // reply, carries out the one matching command, applies the chain's
  // Convert rule, and says what to put into the reply.
  ScriptOutcome ScriptCommandHandler(const ScriptEvent& event);

  // ---- Reply state kept between events ------------------------------------------
  const std::string& ScriptDirectText() const { return scriptDirectText_; }
  const std::string& LastReplyText() const { return lastReplyText_; }
  // The capture code's actions that answer later (deleting the capture file
  // on the idle pass) leave their answer here, for the clipboard commands.
  void SetLastReplyText(const std::string& text);
  const std::string& ScriptMessage() const { return scriptMessage_; }

  // ---- The sequences' state ---------------------------------------------------------
  int16_t GetScreenDataStep() const { return getScreenDataStep_; }
  const ScreenDataRange& ScreenData() const { return screenData_; }
  const HostToMacXferValues& Xfer() const { return xfer_; }
  const std::string& CaptureFilePath() const { return captureFilePath_; }

 private:
  // The command of one event: stores the answer in replyText_ and, where the
  // command's answer is also the last answer, copies it.
  void RunCommand(const ScriptEvent& event, int64_t& waitMs);
  void ScreenDataStep(ScriptCommand command);
  void HostToMacXferStep(ScriptCommand command);
  void ConnectionMethodReply();
  std::string L(const std::string& english) const { return target_.Localise(english); }
  void Reply(const std::string& text, bool lastReply);

  ScriptTarget& target_;
  std::string scriptDirectText_;
  std::string replyText_;
  std::string lastReplyText_;
  std::string scriptMessage_;
  int16_t getScreenDataStep_ = 0;
  ScreenDataRange screenData_;
  HostToMacXferValues xfer_;
  std::string captureFilePath_;
};

// Is this the path of a capture file a script may name: no ".." among its
// parts and no control characters.
bool ScriptCapturePathAllowed(const std::string& path);
// Is this a file name a chained transfer may write on the desktop: a plain
// name (no "/"), not "." or "..", no control characters, not empty.
bool ScriptTransferNameAllowed(const std::string& name);

}  // namespace korvane::scripting
