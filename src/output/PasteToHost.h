#pragma once
// Pasting the clipboard's text to the host as if it were typed: line by line
// at the session's pace (a pause after each character and after each line),
// each line waiting briefly for the host to echo its end.
//
// The paste is a state machine that the main loop steps: a step sends at most
// one line (or one character, when characters are paced) and returns, so the
// window keeps working and host output keeps being shown while a long text
// goes out. The text is taken from the clipboard once, when the paste starts,
// so that nothing another program puts there meanwhile mixes into it.

#include <cstdint>
#include <string>
#include <string_view>

#include "output/ClipboardText.h"
#include "platform/Clock.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

// What a paste needs of the session it pastes into.
class PasteHost {
 public:
  virtual ~PasteHost() = default;
  // Opens the session's connection when it is closed; false when it could not
  // be opened (the opening reports why).
  virtual bool EnsureConnectionOpen() = 0;
  // The host's line takes more now without making the program wait (a
  // child that reads what it is sent, a serial line whose queue is not
  // filling up); while it does not, the paste waits and the window goes on.
  virtual bool ReadyToSend() = 0;
  // Sends bytes to the host; bytes the host cannot take yet wait in the
  // connection's queue, none is dropped.
  virtual void SendToHost(std::string_view bytes) = 0;
  // While a send is under way host input reads without its per-pass limit
  // and watches for the echo of the line end (`SendInProgress`).
  virtual void SetSendInProgress(bool on) = 0;
  // True when the host echoed a line end since the last call (`LineEchoSeen`),
  // which the call clears.
  virtual bool TakeLineEchoSeen() = 0;
  // Throws away host input that waits (after the user stopped the paste).
  virtual void DiscardHostInput() = 0;
  // The watch cursor while the paste runs, the arrow afterwards.
  virtual void ShowBusyCursor() = 0;
  virtual void RestoreArrowCursor() = 0;
  // A paste that cannot start (no text on the clipboard, a paste already
  // running) beeps.
  virtual void Beep() = 0;
};

class PasteToHost {
 public:
  PasteToHost(ClipboardText& clipboard, const SessionOptions& options, PasteHost& host, platform::Clock& clock)
      : clipboard_(clipboard), opt_(options), host_(host), clock_(clock) {}

  // Starts sending the clipboard's text (the Screen menu's paste, the "{PA"
  // key token, the scripts' request). False, with a beep, when there is no
  // text, a paste is already running or the connection cannot be opened.
  bool StartTextUpload();
  // Sends what is due now. True while the paste goes on.
  bool Step();
  // Ctrl+.: the paste ends at once and waiting host input is discarded.
  void Cancel();
  bool Active() const { return phase_ != Phase::Idle; }
  // Bytes of the text not sent yet (the line being sent included).
  size_t BytesLeft() const { return text_.size() - pos_ + (line_.size() - linePos_); }

  // The longest piece sent as one line when the text has no line end.
  static constexpr size_t kLineMax = 255;
  // Ticks the sender waits for the echo of a line end.
  static constexpr int64_t kEchoWaitTicks = 15;

 private:
  enum class Phase { Idle, Sending, EchoWait, LineDelay };
  void NextLine();
  void EndLine();
  void Finish();
  int64_t CharDelayTicks() const;

  ClipboardText& clipboard_;
  const SessionOptions& opt_;
  PasteHost& host_;
  platform::Clock& clock_;
  Phase phase_ = Phase::Idle;
  std::string text_;    // the text being pasted, host bytes with CR line ends
  size_t pos_ = 0;      // start of the next line in text_
  std::string line_;    // the line being sent
  size_t linePos_ = 0;  // next byte of line_
  int64_t dueTick_ = 0;
};

}  // namespace korvane::output
