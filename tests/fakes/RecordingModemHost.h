#pragma once
// The session window as the modem sequences see it: each call is recorded as
// a short line, with the clock's time.

#include <cstdint>
#include <string>
#include <vector>

#include "connection/Modem.h"
#include "platform/Clock.h"

namespace korvane::fakes {

class RecordingModemHost final : public ModemHost {
 public:
  explicit RecordingModemHost(const platform::Clock* clock = nullptr) : clock_(clock) {}

  std::vector<std::string> calls;
  std::vector<int64_t> callAtMs;
  bool cursorHidden = false;
  bool busy = false;

  void EndCaptureForHangUp() override { Note("end capture"); }
  void StartArmedRecorder() override { Note("recorder"); }
  void ClearScreenAndHome() override { Note("clear"); }
  void DrawFunctionKeyBar() override { Note("fkey bar"); }
  void ShowDialing(const std::string& number) override { Note("dialing " + number); }
  void RestoreTextStyle() override { Note("text style"); }
  void SetCursorHidden(bool hidden) override {
    cursorHidden = hidden;
    Note(hidden ? "cursor hidden" : "cursor shown");
  }
  void MoveCursorTo(int row, int column) override {
    Note("cursor at " + std::to_string(row) + "," + std::to_string(column));
  }
  void ShowBusyCursor(bool on) override {
    busy = on;
    Note(on ? "busy" : "arrow");
  }

  // The index of the first call `what`, or -1.
  int IndexOf(const std::string& what) const {
    for (std::size_t i = 0; i < calls.size(); ++i)
      if (calls[i] == what) return static_cast<int>(i);
    return -1;
  }

 private:
  void Note(std::string what) {
    calls.push_back(std::move(what));
    callAtMs.push_back(clock_ ? clock_->Milliseconds() : 0);
  }
  const platform::Clock* clock_;
};

}  // namespace korvane::fakes
