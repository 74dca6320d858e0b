// The watchers every received byte passes before it is interpreted: text
// triggers (a link closed by the client, transfer answers, a refused
// administrator password), the connect string, send pacing, flow control and
// printer controller mode.

#include "emulation/HostInput.h"

namespace korvane {

namespace {
constexpr int kEsc = 27;
constexpr int kDc4 = 20;
}  // namespace

bool TriggerMatcher::Feed(int ch) {
  const int n = static_cast<int>(text_.size());
  if (ch == 0 && nul_ == Nul::Ignored) return false;
  if (ch == static_cast<uint8_t>(text_[0]) && nul_ == Nul::Ignored) {
    count_ = 1;
    return false;
  }
  if (++count_ > n) count_ = 0;
  if (count_ >= 1 && ch == static_cast<uint8_t>(text_[static_cast<size_t>(count_ - 1)])) {
    if (count_ == n) {
      count_ = 0;
      return true;
    }
    return false;
  }
  // A mismatch starts again, on the text's first letter when it is one: a
  // partial match right before the text must not hide it.
  count_ = ch == static_cast<uint8_t>(text_[0]) ? 1 : 0;
  return false;
}

bool HostInput::WatchHostOutputSteps(bool readerPrinterController) {
  const int ch = CurrentHostChar;

  if (conn.IsPtyConnection()) {
    if ((Opt.TelnetSession || Opt.SshSession) && ClosedMatch.Feed(ch)) services_.window.CloseConnection();
    if (TransferWatchOn) {
      if (SuccessMatch.Feed(ch)) {
        TransferWatchOn = 0;
        TransferAborted = 0;
        TransferAnswerSeen = 1;
      } else if (AbortMatch.Feed(ch)) {
        TransferWatchOn = 0;
        TransferAborted = 1;
        TransferAnswerSeen = 1;
      }
    }
    if (Opt.KermitMode && DisconnectMatch.Feed(ch)) services_.window.CloseConnection();
    if (AdminPasswordWatch && ch >= 'A') {
      if (ch == 'a') {
        AdminMatchA = 1;
        AdminMatchI = 0;
      } else if (AdminMatchI == 1) {
        if (ch == 'n') {
          services_.alerts.Show(platform::AlertKind::Stop, 0, "Incorrect Admin Password.");
          answers.Send("\r");
          AdminPasswordWatch = 0;
          KeepAliveNoticeOff = 1;
        }
        AdminMatchA = AdminMatchI = 0;
      } else if (AdminMatchA == 1) {
        if (ch == 'i')
          AdminMatchI = 1;
        else
          AdminMatchA = 0;
      }
    }
  }

  if (ConnectStringWatch && ch > 31) {
    ConnectStringContainer += static_cast<char>(ch);
    // Checked after every character, so the container holds the text exactly
    // when it ends with it.
    if (ConnectStringContainer.ends_with(Opt.ConnectionString86)) {
      ConnectStringWatch = 0;
      ConnectStringContainer.clear();
      ConnectStringSeen = 1;
      services_.window.RestoreArrowCursor();
    } else if (ConnectStringContainer.size() > kConnectStringMax) {
      ConnectStringWatch = 0;
      ConnectStringContainer.clear();
      services_.window.RestoreArrowCursor();
    }
  }

  if (SendInProgress) {
    const int returnKey = Opt.ReturnKeyCode != 0 ? Opt.ReturnKeyCode : 13;
    if (ch == returnKey || Opt.NoEchoWait) LineEchoSeen = 1;
    if (SendAnswerWatch) {
      if (SendAnswerStep == 2) {
        SendAnswerLetter = static_cast<int16_t>(ch);
        SendAnswerStep = 0;
      } else if (SendAnswerStep == 1 && ch == '~') {
        SendAnswerStep = 2;
      } else {
        SendAnswerStep = ch == kEsc ? 1 : 0;
      }
    }
  }

  PerCharacterFlowControl();

  if (readerPrinterController && Opt.PclPassThrough && PrinterOn && !PrintCaptureDisplayMode)
    return PrinterControllerStep();
  return true;
}

void HostInput::EndPrinterController() {
  CurrentHostChar = 0;
  screen.DisplayOn = 1;
  services_.window.RestoreArrowCursor();
  PrintEnd4MatchCount = PrintEndDMatchCount = 0;
  PrintEnd4Pending = PrintEndDPending = 0;
  services_.capture.PrinterCaptureOff();
}

bool HostInput::PrinterControllerStep() {
  // The mode ends at ESC 4, ESC d $ or DC4. The bytes of a terminator are
  // held back until it is known whether they are one: printer data is
  // binary, so every other byte, NUL and LF and a held ESC or "d" included,
  // reaches the printer exactly as it came, and no byte of a terminator does.
  const int ch = CurrentHostChar;
  std::string_view held;
  if (PrintEndDPending) {
    if (ch == '$') {
      EndPrinterController();
      return false;
    }
    held =
        "\x1b"
        "d";
  } else if (PrintEnd4Pending) {
    if (ch == '4') {
      EndPrinterController();
      return false;
    }
    if (ch == 'd') {
      PrintEnd4Pending = 0;
      PrintEndDPending = 1;
      PrintEndDMatchCount = 2;
      CurrentHostChar = 0;
      return false;
    }
    held = "\x1b";
  }
  PrintEnd4Pending = PrintEndDPending = 0;
  PrintEnd4MatchCount = PrintEndDMatchCount = 0;
  if (!held.empty()) services_.capture.WritePrinterCapture(held);
  if (ch == kEsc) {
    PrintEnd4Pending = 1;
    PrintEnd4MatchCount = PrintEndDMatchCount = 1;
    CurrentHostChar = 0;
    return false;
  }
  const char c = static_cast<char>(ch);
  services_.capture.WritePrinterCapture(std::string_view(&c, 1));
  if (ch == kDc4) EndPrinterController();
  return false;
}

}  // namespace korvane
