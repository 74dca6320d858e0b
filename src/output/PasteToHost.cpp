#include "output/PasteToHost.h"

#include <algorithm>

namespace korvane::output {

namespace {
constexpr char kCR = 13, kTab = 9, kRecordSeparator = 30;
}

int64_t PasteToHost::CharDelayTicks() const {
  // The setting is in milliseconds and the wait in whole ticks: up to 16 ms
  // means no wait at all.
  return opt_.ClipboardCharDelay > 0 ? opt_.ClipboardCharDelay * 60 / 1000 : 0;
}

bool PasteToHost::StartTextUpload() {
  if (Active()) {
    host_.Beep();
    return false;
  }
  std::optional<std::string> text = clipboard_.TextForHost();
  if (!text || text->empty()) {
    host_.Beep();
    return false;
  }
  if (!host_.EnsureConnectionOpen()) return false;
  // Every paste starts at the beginning of the text.
  text_ = std::move(*text);
  pos_ = 0;
  host_.SetSendInProgress(true);
  host_.ShowBusyCursor();
  NextLine();
  return true;
}

void PasteToHost::NextLine() {
  // A line runs to its CR, which it keeps, or to kLineMax bytes.
  const size_t cr = text_.find(kCR, pos_);
  size_t end = cr == std::string::npos ? text_.size() : cr + 1;
  end = std::min(end, pos_ + kLineMax);
  line_.assign(text_, pos_, end - pos_);
  pos_ = end;
  if (opt_.TabAsRecordSeparator == 1) std::replace(line_.begin(), line_.end(), kTab, kRecordSeparator);
  linePos_ = 0;
  // An echo seen before the line was sent is not this line's.
  host_.TakeLineEchoSeen();
  phase_ = Phase::Sending;
  dueTick_ = clock_.Ticks();
}

bool PasteToHost::Step() {
  const int64_t now = clock_.Ticks();
  if (phase_ == Phase::EchoWait) {
    if (!host_.TakeLineEchoSeen() && now < dueTick_) return true;
    phase_ = Phase::LineDelay;
    dueTick_ = now + std::max<int64_t>(opt_.ClipboardLineDelay, 0);
  }
  if (phase_ == Phase::LineDelay) {
    if (now < dueTick_) return true;
    if (pos_ >= text_.size()) {
      Finish();
      return false;
    }
    NextLine();
  }
  if (phase_ != Phase::Sending) return false;
  if (now < dueTick_ || !host_.ReadyToSend()) return true;
  const int64_t pause = CharDelayTicks();
  // Without a pause the line goes in one piece; with one, a character per
  // step when its time has come.
  const size_t n = pause == 0 ? line_.size() - linePos_ : 1;
  host_.SendToHost(std::string_view(line_).substr(linePos_, n));
  linePos_ += n;
  dueTick_ = now + pause;
  if (linePos_ >= line_.size()) EndLine();
  return true;
}

void PasteToHost::EndLine() {
  // The waits after a line begin when its last character's pause is over.
  if (opt_.NoEchoWait) {
    phase_ = Phase::LineDelay;
    dueTick_ += std::max<int64_t>(opt_.ClipboardLineDelay, 0);
  } else {
    phase_ = Phase::EchoWait;
    dueTick_ += kEchoWaitTicks;
  }
}

void PasteToHost::Cancel() {
  if (!Active()) return;
  host_.DiscardHostInput();
  Finish();
}

void PasteToHost::Finish() {
  phase_ = Phase::Idle;
  text_.clear();
  line_.clear();
  pos_ = linePos_ = 0;
  host_.SetSendInProgress(false);
  host_.RestoreArrowCursor();
}

}  // namespace korvane::output
