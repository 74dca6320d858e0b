#include "connection/Modem.h"

#include "connection/QuickDial.h"
#include "connection/SerialPortSelection.h"

namespace korvane {
namespace {

constexpr char kCr = 13;

// The number as it goes to the modem: a line end or other control character
// inside it would end the dial command early and hand the rest to the modem
// as a command of its own.
std::string DialableNumber(const std::string& number) {
  std::string out;
  for (const char c : number) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) out += c;
  }
  return out;
}

}  // namespace

Modem::DialPlan Modem::PlanOf(const SessionOptions& Opt) {
  DialPlan plan;
  plan.initString = Opt.ModemInitString;
  plan.dtrOption = Opt.ModemDtrOption != 0;
  // Tone unless pulse is chosen: the letter goes into the dial command.
  const char mode = Opt.DialMode.empty() ? 'T' : Opt.DialMode.front();
  plan.dialMode = (mode == 'P' || mode == 'p') ? 'P' : 'T';
  return plan;
}

void Modem::Send(char c) {
  if (HostLink* link = serial_.Link()) {
    const auto b = static_cast<uint8_t>(c);
    link->Write(&b, 1);
  }
}

int Modem::Waiting() const {
  HostLink* link = serial_.Link();
  return link ? link->Waiting() : 0;
}

std::string Modem::TakeAnswer() {
  std::string answer;
  HostLink* link = serial_.Link();
  if (!link) return answer;
  uint8_t buf[256];
  for (int n; (n = link->Read(buf, sizeof buf)) > 0;) answer.append(reinterpret_cast<const char*>(buf), n);
  return answer;
}

void Modem::Start(ModemScript script, int64_t nowMs) {
  script_ = std::move(script);
  Step(nowMs);
}

void Modem::ModemHangUpAndDial(const SessionOptions& Opt, int64_t nowMs) {
  if (Busy() || DialRequest != 1) return;
  if (!serial_.Link()) {
    // Opening the port has told the user why there is none.
    DialRequest = 0;
    return;
  }
  dialling_ = true;
  servingFile_ = false;
  Start(DialSequence(PlanOf(Opt)), nowMs);
}

void Modem::DialServiceFile(const SessionOptions& Opt, const std::optional<std::string>& number, int64_t nowMs) {
  if (Busy() || QuickDialFileRequest != 1) return;
  if (!number || !serial_.Link()) {
    QuickDialFileRequest = 0;
    return;
  }
  DialPlan plan = PlanOf(Opt);
  plan.fromServiceFile = true;
  plan.serviceNumber = *number;
  dialling_ = true;
  servingFile_ = true;
  Start(DialSequence(std::move(plan)), nowMs);
}

void Modem::HangUpModem(int64_t nowMs, std::function<void()> then) {
  if (stepping_) {
    afterStep_ = [this, nowMs, then = std::move(then)]() mutable { HangUpModem(nowMs, std::move(then)); };
    return;
  }
  // A dial in progress gives way to the hang-up.
  Stop();
  if (!serial_.ConnectionOpen || !serial_.Link()) {
    if (then) then();
    return;
  }
  then_ = std::move(then);
  Start(HangUpSequence(), nowMs);
}

int64_t Modem::Step(int64_t nowMs) {
  if (stepping_) return script_.Running() ? script_.ResumeAtMs() : -1;
  stepping_ = true;
  now_ = nowMs;
  while (script_.Running() && now_ >= script_.ResumeAtMs()) {
    // A port that was closed or went away under the sequence ends it.
    if (!serial_.Link()) {
      script_.Reset();
      break;
    }
    script_.Resume();
    if (afterStep_) break;
  }
  stepping_ = false;
  if (auto after = std::exchange(afterStep_, {})) {
    after();
    return script_.Running() ? script_.ResumeAtMs() : -1;
  }
  if (script_.Running()) return script_.ResumeAtMs();
  if (script_.Holds() || dialling_ || then_) Finish();
  return -1;
}

void Modem::Finish() {
  script_.Reset();
  if (dialling_) {
    // A dial cut short still leaves the screen and the requests as a
    // finished one does.
    if (servingFile_)
      QuickDialFileRequest = 0;
    else
      DialRequest = 0;
    if (CursorHidden) {
      CursorHidden = 0;
      host_.SetCursorHidden(false);
    }
    if (busyCursor_) {
      busyCursor_ = false;
      host_.ShowBusyCursor(false);
    }
    dialling_ = false;
  }
  if (auto then = std::exchange(then_, {})) then();
}

void Modem::Stop() {
  if (stepping_) {
    afterStep_ = [this] { Stop(); };
    return;
  }
  if (script_.Holds() || dialling_ || then_) Finish();
}

ModemScript Modem::HangUpSequence() {
  host_.EndCaptureForHangUp();
  // Back to command mode: the escape characters one by one.
  for (int i = 0; i < 3; ++i) {
    Send('+');
    co_await Pause(kCharacterPauseMs);
  }
  // Up to ten rounds for the modem to answer the escape.
  for (int round = 0; round < 10; ++round) {
    co_await Pause(kCharacterPauseMs);
    const bool answered = Waiting() > 0;
    co_await Pause(kHalfSecondMs);
    if (answered) break;
  }
  for (const char c : std::string("ATH")) {
    Send(c);
    co_await Pause(kCharacterPauseMs);
  }
  Send(kCr);
  co_await Pause(kCharacterPauseMs);
  for (int round = 0; round < 10 && Waiting() == 0; ++round) co_await Pause(kCharacterPauseMs);
}

ModemScript Modem::DialSequence(DialPlan plan) {
  if (plan.fromServiceFile) {
    host_.ClearScreenAndHome();
    host_.DrawFunctionKeyBar();
  }
  host_.StartArmedRecorder();
  if (!plan.fromServiceFile) {
    // Hang up whatever call the modem holds.
    for (const char c : std::string("ATH")) {
      Send(c);
      co_await Pause(kCharacterPauseMs);
    }
    Send(kCr);
    co_await Pause(kCharacterPauseMs);
    CursorHidden = 1;
    host_.SetCursorHidden(true);
    host_.ClearScreenAndHome();
  }

  // Wake the modem, and drop what it says to that.
  DtrCommand = plan.dtrOption ? "&D1" : "&D";
  Send('A');
  co_await Pause(kCharacterPauseMs);
  Send('T');
  co_await Pause(kCharacterPauseMs);
  Send(kCr);
  co_await Pause(kHalfSecondMs);
  TakeAnswer();

  // The init string with the DTR command after its "AT": the default
  // "AT&F%C1" goes out as "AT&D1&F%C1". An empty one counts as "AT".
  const std::string init = plan.initString.empty() ? std::string("AT") : plan.initString;
  const std::string command = "AT" + DtrCommand + init.substr(std::min<std::size_t>(2, init.size()));
  for (const char c : command) {
    Send(c);
    co_await Pause(kCharacterPauseMs);
  }
  Send(kCr);
  co_await Pause(kCharacterPauseMs);

  // The modem's answer: OK ends the wait; ERROR means the init string is
  // wrong, which the user is told once, and the dial goes on.
  {
    const int64_t deadline = now_ + kInitAnswerMs;
    std::string answer;
    bool told = false;
    while (now_ < deadline) {
      co_await Pause(kCharacterPauseMs);
      answer += TakeAnswer();
      if (!told && answer.find("ERROR") != std::string::npos) {
        told = true;
        alerts_.Show(platform::AlertKind::Stop, kSerialAlert,
                     "Invalid Modem Init String. Look under the Dialer Menu for Modem Init strings");
      }
      if (answer.find("OK") != std::string::npos) break;
    }
  }

  std::string number;
  if (plan.fromServiceFile) {
    number = plan.serviceNumber;
  } else if (!DialNumber.empty()) {
    number = DialNumber;
  } else {
    const QuickDialNumber quick = ReadQuickDialFile(files_, quickDialPath_);
    if (quick.error) alerts_.Show(platform::AlertKind::Note, 0, "QuickDial file not found in Korvane Prefs folder");
    number = quick.number;
  }
  const std::string dial = std::string("ATD") + plan.dialMode + DialableNumber(number);
  if (!plan.fromServiceFile) {
    host_.ShowDialing(number);
    co_await Pause(kCharacterPauseMs);
  }
  for (std::size_t i = 0; i < dial.size(); ++i) {
    Send(dial[i]);
    co_await Pause(kCharacterPauseMs);
  }
  Send(kCr);
  if (plan.fromServiceFile) host_.ShowDialing(number);

  host_.RestoreTextStyle();
  co_await Pause(kHalfSecondMs);
  TakeAnswer();  // the modem's echo of the dial command
  DialRequest = 0;
  if (CursorHidden) {
    CursorHidden = 0;
    host_.SetCursorHidden(false);
  }

  // Up to a minute for the far end: the first byte from it, or a key, ends
  // the wait.
  keyTyped_ = false;
  busyCursor_ = true;
  host_.ShowBusyCursor(true);
  {
    const int64_t deadline = now_ + kConnectWaitMs;
    while (now_ < deadline && Waiting() == 0 && !keyTyped_) co_await Pause(kPollMs);
  }
  busyCursor_ = false;
  host_.ShowBusyCursor(false);
  host_.ClearScreenAndHome();
  host_.MoveCursorTo(3, 1);
  if (plan.fromServiceFile) QuickDialFileRequest = 0;
  dialling_ = false;
}

}  // namespace korvane
