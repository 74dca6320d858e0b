#pragma once
// A script target that records what script commands ask of the program and
// answers from values a test sets. It changes nothing but its record, its
// clipboard text and the screen's ScriptCommandBusy.
//
// Every action lands in `journal` as one line ("RequestMessageToHost hello",
// "AppendLineToClipboard abc", ...). An action taken while the command set
// has not marked itself busy gets " (not busy)" appended, so a test that
// expects exact lines also checks the busy marking.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "scripting/ScriptTarget.h"
#include "screen/Screen.h"

namespace korvane::fakes {

class RecordingScriptTarget final : public scripting::ScriptTarget {
 public:
  explicit RecordingScriptTarget(Screen* screen, SessionOptions* options) : screen_(screen), options_(options) {}

  std::vector<std::string> journal;
  std::string clipboard;
  scripting::ScriptCopies copies;
  scripting::TransferFlags transfers;
  bool startingUp = false;
  bool holdsEvents = false;
  bool hostConnected = false;
  bool connectionOpen = false;
  bool hostDataArrived = false;
  bool windowOpen = true;
  int16_t serialPort = 0;
  std::vector<std::string> serialPortNames;
  std::string desktopFolder = "/home/user/Desktop";
  std::string captureFileName;
  // What the capture code's actions answer; "" gives an answer naming the call.
  std::string setCaptureReply, hostToMacReply, sendFileReply;
  // English text -> the user's language; missing texts stay as they are.
  std::map<std::string, std::string> translations;
  // Busy changes, to check that every command is marked and unmarked.
  int busyChanges = 0;
  // Called after each action is recorded (a command that shows an alert
  // runs the event loop there).
  std::function<void()> onAction;

  bool StartingUp() const override { return startingUp; }
  void SetScriptCommandBusy(bool busy) override {
    ++busyChanges;
    busy_ = busy;
    if (screen_) screen_->ScriptCommandBusy = busy ? 1 : 0;
  }
  bool HoldsEvents() const override { return holdsEvents; }
  std::string Localise(const std::string& english) const override {
    auto it = translations.find(english);
    return it == translations.end() ? english : it->second;
  }

  void Request(scripting::ScriptRequest request, const std::string& text) override {
    Record(std::string(scripting::RequestName(request)) + (text.empty() ? "" : " " + text));
  }
  void CancelRequest(scripting::ScriptRequest request) override {
    Record(std::string("Cancel ") + scripting::RequestName(request));
  }

  const scripting::ScriptCopies& Copies() const override { return copies; }
  Screen* ActiveScreen() override { return windowOpen ? screen_ : nullptr; }

  bool HostConnected() const override { return hostConnected; }
  bool ConnectionOpen() const override { return connectionOpen; }
  const SessionOptions* ActiveOptions() const override { return windowOpen ? options_ : nullptr; }
  int16_t SerialPort() const override { return serialPort; }
  std::string SerialPortName(int index) const override {
    return index >= 0 && index < static_cast<int>(serialPortNames.size()) ? serialPortNames[index] : "";
  }
  bool TakeHostDataArrived() override {
    const bool arrived = hostDataArrived;
    hostDataArrived = false;
    return arrived;
  }

  void AppendLineToClipboard(const std::string& text) override {
    Record("AppendLineToClipboard " + text);
    clipboard += text + "\r";
  }
  void ResetClipboardCopy() override {
    Record("ResetClipboardCopy");
    clipboard.clear();
  }
  void ClearClipboard() override {
    Record("ClearClipboard");
    clipboard.clear();
  }

  std::string GetCaptureFileName() override { return captureFileName; }
  std::string SetCaptureFileFromScript(const std::string& path) override {
    Record("SetCaptureFileFromScript " + path);
    return setCaptureReply.empty() ? "Capture file set to " + path : setCaptureReply;
  }
  std::string StartHostToMacTransfer(const std::string& hostCommand) override {
    Record("StartHostToMacTransfer " + hostCommand);
    return hostToMacReply;
  }
  std::string SendFileToHost(const std::string& name) override {
    Record("SendFileToHost " + name);
    return sendFileReply.empty() ? name : sendFileReply;
  }
  scripting::TransferFlags Transfers() const override { return transfers; }
  void ResetHostToMacReceive() override { Record("ResetHostToMacReceive"); }
  std::string DesktopFolder() const override { return desktopFolder; }
  void SetCaptureFilePath(const std::string& path) override { Record("SetCaptureFilePath " + path); }

  void OpenDocuments(const std::vector<std::string>& paths) override {
    std::string line = "OpenDocuments";
    for (const std::string& p : paths) line += " " + p;
    // Documents come in outside a command: no busy marking to check.
    journal.push_back(line);
  }

 private:
  void Record(const std::string& line) {
    journal.push_back(busy_ ? line : line + " (not busy)");
    if (onAction) onAction();
  }

  Screen* screen_;
  SessionOptions* options_;
  bool busy_ = false;
};

}  // namespace korvane::fakes
