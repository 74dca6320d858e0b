#include "output/TextSender.h"

#include <algorithm>

namespace korvane::output {

namespace {
constexpr char kCR = 13, kLF = 10, kTab = 9, kRecordSeparator = 30;
}  // namespace

bool TextSender::Start(std::string text) {
  if (Active()) return false;
  if (!host_.EnsureConnectionOpen()) return false;
  text_ = std::move(text);
  pos_ = 0;
  lineTaken_ = false;
  linesTaken_ = 0;
  acknowledged_ = opt_.EchoPacedSend != 1;
  host_.SetSendInProgress(true, acknowledged_);
  host_.ShowBusyCursor();
  // Answers and echoes that came before the first line are not its own.
  host_.TakeLineEchoSeen();
  host_.TakeHostAnswer();
  if (!NextLine()) {
    Finish();
    return true;
  }
  return true;
}

bool TextSender::NextLine() {
  // An empty text is one empty line; after the last line end there is none.
  if (pos_ >= text_.size() && lineTaken_) return false;
  lineTaken_ = true;
  size_t end = pos_;
  while (end < text_.size() && text_[end] != kCR && text_[end] != kLF) ++end;
  line_.assign(text_, pos_, end - pos_);
  pos_ = end;
  // CR LF is one line end, not a line end and an empty line.
  if (pos_ < text_.size()) {
    const char first = text_[pos_++];
    if (first == kCR && pos_ < text_.size() && text_[pos_] == kLF) ++pos_;
  }
  if (opt_.TabAsRecordSeparator == 1) std::replace(line_.begin(), line_.end(), kTab, kRecordSeparator);
  line_ += kCR;
  if (opt_.SendLineAddsLf) line_ += kLF;
  linePos_ = 0;
  phase_ = Phase::Sending;
  dueTick_ = clock_.Ticks();
  return true;
}

bool TextSender::Step() {
  // From phase to phase until something is waited for; at most one line
  // goes out in a step.
  while (true) {
    const int64_t now = clock_.Ticks();
    switch (phase_) {
      case Phase::Idle: return false;
      case Phase::Sending:
        if (!host_.ReadyToSend()) return true;
        // An echo or answer seen before the line went is not the line's.
        host_.TakeLineEchoSeen();
        host_.TakeHostAnswer();
        host_.SendToHost(std::string_view(line_).substr(linePos_));
        linePos_ = line_.size();
        ++linesSent_;
        LineSent();
        return true;
      case Phase::EchoWait: {
        const bool echoed = host_.TakeLineEchoSeen();
        if (!echoed && now < dueTick_) return true;
        // The delay counts from the echo, or from the end of the wait.
        phase_ = Phase::LineDelay;
        dueTick_ = (echoed ? now : dueTick_) + std::max<int64_t>(opt_.LineDelay, 0);
        break;
      }
      case Phase::AnswerWait: {
        const int answer = host_.TakeHostAnswer();
        if (answer == 'J') {
          ++linesTaken_;
          host_.ShowLinesTransmitted(linesTaken_);
          phase_ = Phase::LineDelay;
          dueTick_ = now + std::max<int64_t>(opt_.LineDelay, 0) + kAnsweredLineExtraTicks;
          break;
        }
        if (answer == 'R') {
          // The same line once more.
          linePos_ = 0;
          phase_ = Phase::Sending;
          break;
        }
        if (answer == 'X') {
          // The host has all it wants.
          Finish();
          return false;
        }
        if (answer != 0 || now >= dueTick_) {
          host_.StopAlert("Data transfer problem", "(Aborting Transfer)   ");
          EndTransfer();
          return false;
        }
        return true;
      }
      case Phase::LineDelay:
        if (now < dueTick_) return true;
        if (!NextLine()) {
          // The host of an acknowledged send learns that the file is complete.
          if (acknowledged_) SendClosingLine();
          Finish();
          return false;
        }
        break;
    }
  }
}

void TextSender::LineSent() {
  const int64_t now = clock_.Ticks();
  if (acknowledged_) {
    phase_ = Phase::AnswerWait;
    dueTick_ = now + kAnswerWaitTicks;
  } else if (opt_.NoEchoWait) {
    phase_ = Phase::LineDelay;
    dueTick_ = now + std::max<int64_t>(opt_.LineDelay, 0);
  } else {
    phase_ = Phase::EchoWait;
    dueTick_ = now + kEchoWaitTicks;
  }
}

void TextSender::Cancel() {
  if (!Active()) return;
  if (acknowledged_) {
    EndTransfer();
    return;
  }
  host_.DiscardHostInput();
  Finish();
}

void TextSender::Stop() {
  if (Active()) Finish();
}

void TextSender::SendClosingLine() {
  std::string closing(kClosingLine);
  closing += kCR;
  host_.SendToHost(closing);
}

void TextSender::EndTransfer() {
  host_.DiscardHostInput();
  SendClosingLine();
  Finish();
}

void TextSender::Finish() {
  phase_ = Phase::Idle;
  text_.clear();
  line_.clear();
  pos_ = linePos_ = 0;
  host_.SetSendInProgress(false, false);
  host_.RestoreArrowCursor();
}

}  // namespace korvane::output
