#pragma once
// The one way the terminal answers its host: identification, status and
// cursor reports, "Canceled", "Capture Off" and the like.
//
// No answer carries text the host chose. An answer is made only of texts
// fixed in the program (string literals, checked when the program is built),
// numbers, and the position bytes of a cursor report; a text read from the
// screen gives only its digits. A host that shows a file cannot make the
// terminal type a command line back at the shell that shows it.
//
// Answers never hold the program: they go to the connection without waiting.
// At most kWindowLimit of them go in any kWindowMs of the session's clock
// (whatever the reads or passes the requests came in), and while the host
// has not taken kQueueRoom bytes of what it was sent, further answers are
// dropped; both are counted. An answer that is to come later waits in a
// list served at the start of each pass, never in a pause.
//
//   in.answers.Send("Canceled", 13);
//   in.answers.Send(HostAnswer("\x1b[").Number(row).Add(";").Number(col).Add("R"));

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace korvane {

class HostChannel;

// A text fixed in the program: only a string literal makes one.
class FixedText {
 public:
  template <size_t N>
  consteval FixedText(const char (&text)[N]) : text_(text, N - 1) {}  // NOLINT: implicit on purpose
  std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

// An answer put together from fixed texts and values the terminal computes.
class HostAnswer {
 public:
  HostAnswer(FixedText text) : bytes_(text.text()) {}  // NOLINT: implicit on purpose
  HostAnswer& Add(FixedText text) {
    bytes_ += text.text();
    return *this;
  }
  // A number in decimal, "-" before a negative one.
  HostAnswer& Number(long n) {
    bytes_ += std::to_string(n);
    return *this;
  }
  // A number as the program writes it in text: a blank before it when it is
  // not negative, else its minus sign.
  HostAnswer& NumberText(long n) {
    if (n >= 0) bytes_ += ' ';
    return Number(n);
  }
  // One byte of a cursor report (a position plus an offset), 0..255.
  HostAnswer& PositionByte(int value);
  // The decimal digits of a text read from the screen, nothing else of it.
  HostAnswer& DigitsOf(std::string_view text);
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class HostAnswers {
 public:
  // Answers sent at most in any stretch of kWindowMs ...
  static constexpr int kWindowLimit = 64;
  static constexpr int64_t kWindowMs = 100;
  // ... and what may wait unsent on the connection before answers are dropped.
  static constexpr size_t kQueueRoom = 4096;
  // Answers waiting to go later, at most.
  static constexpr size_t kLaterMax = 16;

  HostAnswers(HostChannel& conn, platform::Clock& clock) : conn_(conn), clock_(clock) {}

  // Sends the answer followed by `end` (when not 0, its low 8 bits as one
  // byte). False when it was dropped.
  bool Send(FixedText text, int end = 0) { return Send(HostAnswer(text), end); }
  bool Send(const HostAnswer& answer, int end = 0);
  // Sends it once `delayMs` have passed (at the start of the first pass after).
  void SendLater(const HostAnswer& answer, int end, int64_t delayMs);

  // An input pass begins: answers that are due go.
  void BeginPass();
  // Answers dropped so far (the rate limit, a host that does not read, too
  // many waiting to go later).
  int64_t Dropped() const { return dropped_; }
  int64_t Sent() const { return sent_; }
  size_t Waiting() const { return later_.size(); }

 private:
  struct Later {
    std::string bytes;
    int end;
    int64_t dueMs;
  };
  bool Write(const std::string& bytes, int end);

  HostChannel& conn_;
  platform::Clock& clock_;
  int inWindow_ = 0;
  int64_t windowStartMs_ = INT64_MIN;
  int64_t dropped_ = 0, sent_ = 0;
  std::vector<Later> later_;
};

}  // namespace korvane
