#pragma once
// The watchers' state: what they look for in every received byte (the
// clients' closing messages, a transfer's answers, the connect string, the
// administrator's password prompt, the end of a pass-through print).

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// A trigger text that is matched byte by byte as the host output passes; the
// count survives chunk boundaries and passes. A mismatch starts again on the
// text's first letter.
class TriggerMatcher {
 public:
  // Ignored: NUL bytes pass unseen and the first letter always starts a new
  // match (the clients' closing messages). Counted: every byte counts, NUL
  // included (the transfer answers).
  enum class Nul { Ignored, Counted };
  TriggerMatcher(std::string_view text, Nul nul) : text_(text), nul_(nul) {}
  // Takes one byte; true when it completes the text.
  bool Feed(int ch);
  int Count() const { return count_; }
  void Reset() { count_ = 0; }

 private:
  std::string_view text_;
  Nul nul_;
  int count_ = 0;
};

struct HostWatcherState {
  // A text or file is being sent to the host (its echo is watched).
  int16_t SendInProgress = 0;
  int8_t TransferWatchOn = 0;
  int16_t TransferAborted = 0;
  int8_t TransferAnswerSeen = 0;
  int32_t TransferByteCount = 0;
  int8_t AdminPasswordWatch = 0;
  int16_t AdminMatchA = 0, AdminMatchI = 0;
  int8_t KeepAliveNoticeOff = 0;
  int8_t ConnectStringWatch = 0;
  std::string ConnectStringContainer;
  int16_t ConnectStringSeen = 0;
  int8_t LineEchoSeen = 0;
  // An acknowledged send watches for the host's answer to each line, the
  // three bytes ESC '~' letter: the letter waits here until the sender takes
  // it (SendAnswerStep is the progress of the match).
  int8_t SendAnswerWatch = 0;
  int8_t SendAnswerStep = 0;
  int16_t SendAnswerLetter = 0;
  int8_t PrintCaptureDisplayMode = 0;
  int8_t PrintEnd4Pending = 0, PrintEndDPending = 0;
  int16_t PrintEnd4MatchCount = 0, PrintEndDMatchCount = 0;
  TriggerMatcher ClosedMatch{"Connection closed by foreign host.", TriggerMatcher::Nul::Ignored};
  TriggerMatcher DisconnectMatch{"Communications disconnect", TriggerMatcher::Nul::Ignored};
  TriggerMatcher SuccessMatch{"SUCCESS", TriggerMatcher::Nul::Counted};
  TriggerMatcher AbortMatch{"Abort", TriggerMatcher::Nul::Counted};
};

}  // namespace korvane
