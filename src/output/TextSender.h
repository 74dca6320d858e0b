#pragma once
// Sending a text file to the host as if it were typed, a line at a time.
//
// Each line is the file's bytes up to a line end (CR, LF, or CR LF taken as
// one), sent with CR, or CR LF when the session asks for it; a TAB goes out
// as RS when the session asks for that. Two paces:
//
// - Echo-paced (the usual one): after a line the sender waits for the host's
//   echo of the line end, at most kEchoWaitTicks, then the session's line
//   delay.
// - Acknowledged: after a line the sender waits for the host's answer, the
//   three bytes ESC '~' and a letter: 'J' the line was taken (the count of
//   lines sent is shown, and the line delay and three ticks pass), 'R' the
//   line is sent again, 'X' the host has all it wants (the send ends), 'N'
//   the host reports a problem. A problem, or no answer within
//   kAnswerWaitTicks, stops the send with "Data transfer problem". At the
//   end, and when the user stops it, "END" and CR tell the host the send is
//   over.
//
// The sender is a state machine that the main loop steps: a step sends what
// is due now and returns, so the window keeps working, host input keeps
// being read (it sees the echo) and other sessions keep running while a file
// goes. Ctrl+. stops it at once: nothing more is sent and waiting host input
// is discarded.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

// What a send needs of the session it sends to.
class SendHost {
 public:
  virtual ~SendHost() = default;
  // Opens the session's connection when it is closed; false when it could
  // not be opened (the opening reports why).
  virtual bool EnsureConnectionOpen() = 0;
  // The host's line takes more now without making the program wait.
  virtual bool ReadyToSend() = 0;
  // Sends bytes to the host, in order; none is dropped.
  virtual void SendToHost(std::string_view bytes) = 0;
  // While a send runs, host input reads without its per-pass limit and
  // watches for the echo of the line end (and, acknowledged, the answer).
  virtual void SetSendInProgress(bool on, bool acknowledged) = 0;
  // True when the host echoed a line end since the last call, which clears it.
  virtual bool TakeLineEchoSeen() = 0;
  // The letter of the host's last answer (ESC '~' letter) since the last
  // call, which clears it; 0 when none came.
  virtual int TakeHostAnswer() = 0;
  // Throws away host input that waits.
  virtual void DiscardHostInput() = 0;
  virtual void ShowBusyCursor() = 0;
  virtual void RestoreArrowCursor() = 0;
  // The count of lines the host has taken, shown on the window's second
  // status line (acknowledged form); 0 takes the display away.
  virtual void ShowLinesTransmitted(int count) = 0;
  // A stop alert of two texts.
  virtual void StopAlert(const std::string& text, const std::string& second) = 0;
};

class TextSender {
 public:
  TextSender(const SessionOptions& options, SendHost& host, platform::Clock& clock)
      : opt_(options), host_(host), clock_(clock) {}

  // Starts sending `text` (a file's bytes). False, with nothing sent, while
  // a send runs or when the connection cannot be opened.
  bool Start(std::string text);
  // Sends what is due now. True while the send goes on.
  bool Step();
  // Ctrl+.: the send ends at once, nothing more is sent, waiting host input
  // is discarded (an acknowledged send tells the host it is over).
  void Cancel();
  // Ends the send where it is (the user sends the host a control character
  // of its own): nothing more is sent, nothing is discarded.
  void Stop();
  bool Active() const { return phase_ != Phase::Idle; }
  bool Acknowledged() const { return acknowledged_; }
  // Bytes of the text not sent yet (the line being sent included).
  size_t BytesLeft() const { return text_.size() - pos_ + (line_.size() - linePos_); }
  int LinesAcknowledged() const { return linesTaken_; }
  // Counts every line sent: a step that leaves it unchanged had nothing due.
  uint64_t LinesSent() const { return linesSent_; }

  // Ticks the sender waits for the echo of a line end.
  static constexpr int64_t kEchoWaitTicks = 180;
  // Ticks it waits for the host's answer to a line (acknowledged form).
  static constexpr int64_t kAnswerWaitTicks = 30 * 60;
  // Ticks added to the line delay after a line the host has taken.
  static constexpr int64_t kAnsweredLineExtraTicks = 3;
  // What tells the host that the send is over (acknowledged form).
  static constexpr std::string_view kClosingLine = "END";

 private:
  enum class Phase { Idle, Sending, EchoWait, AnswerWait, LineDelay };
  // Takes the next line of the text; false when none is left.
  bool NextLine();
  void LineSent();
  void SendClosingLine();
  // Waiting host input is discarded and the host told that the send is over.
  void EndTransfer();
  void Finish();

  const SessionOptions& opt_;
  SendHost& host_;
  platform::Clock& clock_;
  Phase phase_ = Phase::Idle;
  bool acknowledged_ = false;
  std::string text_;        // the file's bytes
  size_t pos_ = 0;          // start of the next line in text_
  bool lineTaken_ = false;  // at least one line has been taken from text_
  std::string line_;        // the line being sent, line end included
  size_t linePos_ = 0;      // next byte of line_
  int linesTaken_ = 0;
  uint64_t linesSent_ = 0;
  int64_t dueTick_ = 0;
};

}  // namespace korvane::output
