#pragma once
// The rest of the program as the connection code sees it, recording every
// call in order (with the clock's time where a clock is given).

#include <string>
#include <vector>

#include "connection/ConnectionHost.h"
#include "platform/Clock.h"

namespace korvane::fakes {

class RecordingConnectionHost final : public ConnectionHost {
 public:
  explicit RecordingConnectionHost(const platform::Clock* clock = nullptr) : clock_(clock) {}

  std::vector<std::string> calls;  // names of the calls, in order ("WriteSessionLine: text")
  std::vector<int64_t> callsAtMs;  // the clock's time of each
  std::vector<std::string> lines;  // the lines written into the session window
  bool closeByCommand = false, noSessionWindow = false;

  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }

  void SpinWatchCursor() override { Note("SpinWatchCursor"); }
  void ShowArrowCursor() override { Note("ShowArrowCursor"); }
  void WriteSessionLine(std::string_view text) override {
    lines.emplace_back(text);
    Note("WriteSessionLine: " + std::string(text));
  }
  void FlushSessionWindow() override { Note("FlushSessionWindow"); }
  std::string Localised(const std::string& english) override { return english; }
  void RequestFlushHostInput() override { Note("RequestFlushHostInput"); }
  void RequestSendReturn() override { Note("RequestSendReturn"); }
  void RequestSendWindowSize() override { Note("RequestSendWindowSize"); }
  void RequestSshUserName() override { Note("RequestSshUserName"); }
  void DiscardReceivedInput() override { Note("DiscardReceivedInput"); }
  bool CloseByCommand() override { return closeByCommand; }
  void SetCloseRequested() override { Note("SetCloseRequested"); }
  void ClearCurrentHostChar() override { Note("ClearCurrentHostChar"); }
  bool NoSessionWindow() override { return noSessionWindow; }
  void SelectSessionWindow() override { Note("SelectSessionWindow"); }
  void UpdateWindowTitle() override { Note("UpdateWindowTitle"); }
  void SendSerialBreak(int milliseconds) override { Note("SendSerialBreak " + std::to_string(milliseconds)); }
  void CloseSerialPort() override { Note("CloseSerialPort"); }

 private:
  void Note(std::string name) {
    calls.push_back(std::move(name));
    callsAtMs.push_back(clock_ ? clock_->Milliseconds() : 0);
  }
  const platform::Clock* clock_;
};

}  // namespace korvane::fakes
