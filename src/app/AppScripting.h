#pragma once
// Scripting in the program: what the script commands act on (the active
// session window and the program around it), the requests they leave for the
// idle pass, and how the pending-command pass serves them.
//
// The command set answers at once and leaves everything that touches the
// connection, capture, the clipboard capture or a transfer as a request. The
// requests are served in one fixed order, each with the text its command was
// given (a later command never changes what an earlier one sends). A message
// sent to the host holds the next script event until the host answers, or
// for five seconds, so that a script reads the screen after the answer; the
// hold runs on the clock, nothing waits.

#include <bitset>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/ScriptRunService.h"
#include "scripting/ScriptCommandSet.h"
#include "scripting/ScriptTarget.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class App;

// What the transfer receives of a complete transfer chain: its values, the
// path its file name step gave, and a time-out of five seconds for none.
HostToMacXferRequest MakeXferRequest(const scripting::HostToMacXferValues& values, const std::string& path);

class AppScripting final : public scripting::ScriptTarget {
 public:
  // How long a message to the host waits for the host's answer.
  static constexpr int64_t kHostAnswerWaitMs = 5000;

  explicit AppScripting(App& app);
  ~AppScripting() override;
  AppScripting(const AppScripting&) = delete;
  AppScripting& operator=(const AppScripting&) = delete;

  // The command set the scripting service runs the events on.
  scripting::ScriptCommandSet& Commands() { return commands_; }
  // The host's run-script command, for every session window.
  ScriptService& Scripts() { return run_; }
  ScriptRunService& Runner() { return run_; }

  // ---- The pending-command pass ------------------------------------------------------------
  // At its start: the values scripts read.
  void CopyForScripts();
  // After the connection is opened: capture on, clipboard capture on, the
  // messages to the host, the messages below the screen, capture off and
  // clipboard capture off (these two on a pass when no host data waits).
  void ServeCaptureAndMessages(SessionWindow& w);
  // After the dial request: hang-up, the screen snapshot and paste.
  void ServeModemAndClipboard(SessionWindow& w);
  // The letters of the control characters scripts asked for, in order.
  std::vector<std::string> TakeControlLetters();
  // At its end: deleting the capture file, the transfer chain, the wait for
  // the host's answer, and the scripts the host ran.
  void ServeAfterPending(SessionWindow& w);
  // No request, message or wait for a host's answer is left for the
  // pending-command pass.
  bool Idle() const {
    return raised_.none() && messagesToHost_.empty() && messages_.empty() && controlLetters_.empty() && !waiting_;
  }

  // ---- ScriptTarget -----------------------------------------------------------------------
  bool StartingUp() const override;
  void SetScriptCommandBusy(bool busy) override;
  std::string Localise(const std::string& english) const override;
  bool HoldsEvents() const override;
  void Request(scripting::ScriptRequest request, const std::string& text) override;
  void CancelRequest(scripting::ScriptRequest request) override;
  const scripting::ScriptCopies& Copies() const override { return copies_; }
  Screen* ActiveScreen() override;
  bool HostConnected() const override;
  bool ConnectionOpen() const override;
  const SessionOptions* ActiveOptions() const override;
  int16_t SerialPort() const override;
  std::string SerialPortName(int index) const override;
  bool TakeHostDataArrived() override;
  void AppendLineToClipboard(const std::string& text) override;
  void ResetClipboardCopy() override;
  void ClearClipboard() override;
  std::string GetCaptureFileName() override;
  std::string SetCaptureFileFromScript(const std::string& path) override;
  std::string StartHostToMacTransfer(const std::string& hostCommand) override;
  std::string SendFileToHost(const std::string& name) override;
  scripting::TransferFlags Transfers() const override;
  void ResetHostToMacReceive() override;
  std::string DesktopFolder() const override;
  void SetCaptureFilePath(const std::string& path) override;
  void OpenDocuments(const std::vector<std::string>& paths) override;

 private:
  SessionWindow* Active() const;
  bool Take(scripting::ScriptRequest request);
  // Writes a script's message on the line below the last screen row.
  void ShowScriptMessage(SessionWindow& w, const std::string& message);

  App& app_;
  scripting::ScriptCommandSet commands_;
  ScriptRunService run_;
  scripting::ScriptCopies copies_;
  // The requests that carry no text, raised and not yet served.
  std::bitset<32> raised_;
  // The texts of the requests that carry one, in the order they came.
  std::deque<std::string> messagesToHost_, messages_, controlLetters_;
  // The screen a running command marked busy.
  Screen* busyScreen_ = nullptr;
  // The path the transfer chain's file name step gave.
  std::string xferPath_;
  // A message went to the host of window `waitWindow_`: the script's next
  // event waits until that host's input count moves past `waitChunks_`, or
  // until `waitUntilMs_`.
  bool waiting_ = false;
  int waitWindow_ = 0;
  int64_t waitChunks_ = 0;
  int64_t waitUntilMs_ = 0;
};

}  // namespace korvane::app
