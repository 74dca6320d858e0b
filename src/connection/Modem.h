#pragma once
// A Hayes-command modem on a session's serial port: hanging up, and the dial
// (hang up, initialise, dial, wait for the answer) from the number typed in
// the dialler, the QuickDial file or a service file.
//
// The sequences send one character at a time with a pause after each, as
// slow modems need, and wait for the modem's answers. They never wait in
// place: each is a state machine that Step runs on the program's clock. While
// one runs (Busy), the session's host input must not read the port, or the
// modem's answers would be shown instead of examined; the last wait of a
// dial ends as soon as the host's first bytes arrive, which host input then
// shows. A key typed during that wait ends it too (NoteKeyTyped).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "connection/ModemScript.h"
#include "connection/SerialSession.h"
#include "platform/Alerts.h"
#include "platform/Files.h"
#include "settings/SessionOptions.h"

namespace korvane {

// What the modem sequences need of the session window.
class ModemHost {
 public:
  virtual ~ModemHost() = default;
  // Before a hang-up: an open capture file is closed and clipboard capture
  // turned off.
  virtual void EndCaptureForHangUp() = 0;
  // A session recorder armed to start with the connection starts now.
  virtual void StartArmedRecorder() = 0;
  virtual void ClearScreenAndHome() = 0;
  virtual void DrawFunctionKeyBar() = 0;
  // Writes "Dialing  " (in the user's language) and the number (Mac Roman)
  // on the screen, then a line end.
  virtual void ShowDialing(const std::string& number) = 0;
  // The screen's text style set back after that line.
  virtual void RestoreTextStyle() = 0;
  // While hidden, the text cursor is not drawn.
  virtual void SetCursorHidden(bool hidden) = 0;
  virtual void MoveCursorTo(int row, int column) = 0;
  // The busy cursor while a dial waits for its answer; the arrow after.
  virtual void ShowBusyCursor(bool busy) = 0;
};

class Modem {
 public:
  Modem(SerialSession& serial, ModemHost& host, platform::Alerts& alerts, platform::Files& files,
        std::string quickDialPath)
      : serial_(serial), host_(host), alerts_(alerts), files_(files), quickDialPath_(std::move(quickDialPath)) {}
  Modem(const Modem&) = delete;
  Modem& operator=(const Modem&) = delete;

  // Dial `DialNumber`, or the QuickDial file's number when it is empty.
  int16_t DialRequest = 0;
  // Dial the number of a service file the user picks.
  int16_t QuickDialFileRequest = 0;
  std::string DialNumber;  // Mac Roman
  // Set while dialling: the text cursor is not drawn.
  int16_t CursorHidden = 0;
  // "&D1" or "&D": what the init string gets for the DTR option.
  std::string DtrCommand;

  // Pauses of the sequences, in milliseconds.
  static constexpr int kCharacterPauseMs = 100;
  static constexpr int kHalfSecondMs = 500;
  static constexpr int kInitAnswerMs = 3000;    // 180 ticks
  static constexpr int kConnectWaitMs = 60000;  // 3600 ticks
  static constexpr int kPollMs = 20;

  // Carries out DialRequest: hang up, initialise with the session's init
  // string and DTR option, dial with its dial mode. Nothing happens while no
  // port is open or a sequence runs.
  void ModemHangUpAndDial(const SessionOptions& Opt, int64_t nowMs);
  // Carries out QuickDialFileRequest once the user has answered the file
  // dialog: `number` is the chosen service file's number, nullopt when the
  // dialog was cancelled (nothing is sent then).
  void DialServiceFile(const SessionOptions& Opt, const std::optional<std::string>& number, int64_t nowMs);
  // "+++" then "ATH", each character on its own. Only while the port is
  // open; `then` runs when the sequence has ended (also when it could not
  // run or the port went away), the place to close the port.
  void HangUpModem(int64_t nowMs, std::function<void()> then = {});

  bool Busy() const { return script_.Running(); }
  // Runs what is due; the time of the next step, or -1 when nothing runs.
  // A call made while a step runs (from within an alert the step shows)
  // does nothing; a hang-up or stop asked for then is carried out as soon as
  // that step returns.
  int64_t Step(int64_t nowMs);
  // The dial has been sent and the sequence waits for the far end's answer
  // (the last minute of a dial).
  bool AwaitingAnswer() const { return busyCursor_ && script_.Running(); }
  // A key was typed: the wait for the host's answer after a dial ends at
  // the next Step.
  void NoteKeyTyped() {
    keyTyped_ = true;
    if (AwaitingAnswer()) script_.EndPause();
  }
  // Abandons the sequence (the session is closing).
  void Stop();

 private:
  struct DialPlan {
    std::string initString;
    bool dtrOption = true;
    char dialMode = 'T';
    bool fromServiceFile = false;
    std::string serviceNumber;
  };
  static DialPlan PlanOf(const SessionOptions& Opt);

  ModemScript DialSequence(DialPlan plan);
  ModemScript HangUpSequence();

  ResumeAt Pause(int ms) const { return ResumeAt{now_ + ms}; }
  void Send(char c);
  void SendText(const std::string& text);
  std::string TakeAnswer();
  int Waiting() const;
  void Start(ModemScript script, int64_t nowMs);
  void Finish();

  SerialSession& serial_;
  ModemHost& host_;
  platform::Alerts& alerts_;
  platform::Files& files_;
  std::string quickDialPath_;

  ModemScript script_;
  std::function<void()> then_;
  bool dialling_ = false;
  bool servingFile_ = false;
  bool busyCursor_ = false;
  bool keyTyped_ = false;
  int64_t now_ = 0;
  bool stepping_ = false;
  std::function<void()> afterStep_;
};

}  // namespace korvane
