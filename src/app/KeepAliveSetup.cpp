// The keep-alive set-up: sudo and sysctl on a pseudo-terminal of their own,
// stepped by the idle pass.

#include "app/KeepAliveSetup.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace korvane::app {

namespace {

// sudo's word for a refused password, in the C locale it is started with.
constexpr const char* kTryAgain = "try again";
// The terminal's literal-next character (Ctrl+V).
constexpr char kLiteralNext = 0x16;
// The most kept of what the child printed.
constexpr size_t kTranscriptMax = 4096;
constexpr size_t kLineMax = 200;

// Overwrites a text before it is let go, so that no copy of a password
// stays in memory the program gives back.
void Wipe(std::string& text) {
  volatile char* p = text.data();
  for (size_t i = 0; i < text.size(); ++i) p[i] = 0;
  text.clear();
}

}  // namespace

KeepAliveSetup::KeepAliveSetup(platform::Processes& processes, const platform::Clock& clock)
    : processes_(processes), clock_(clock) {}

KeepAliveSetup::~KeepAliveSetup() { End(); }

std::vector<std::string> KeepAliveSetup::Arguments(int minutes) {
  const int64_t m = std::max(1, minutes);
  // The idle time before the first probe, and the interval between probes,
  // in seconds.
  return {"sudo",
          "-k",
          "-p",
          kPrompt,
          "--",
          "sysctl",
          "-w",
          "net.ipv4.tcp_keepalive_time=" + std::to_string(m * 60),
          "net.ipv4.tcp_keepalive_intvl=" + std::to_string(m * 30)};
}

std::optional<KeepAliveSetup::Result> KeepAliveSetup::Start(int minutes, std::string password) {
  password_ = std::move(password);
  unseen_.clear();
  transcript_.clear();
  skippingTypedLine_ = false;
  stage_ = Stage::WaitingForPrompt;
  const std::string sudo = processes_.FindOnPath("sudo");
  if (sudo.empty()) return Finish(Outcome::Failed, "\"sudo\" was not found.");
  platform::PtyChildRequest request;
  request.program = sudo;
  request.argv = Arguments(minutes);
  request.rows = 24;
  request.cols = 80;
  // sudo's messages are known only in the C locale.
  request.environment = {{"LC_ALL", "C"}, {"LANG", "C"}, {"LANGUAGE", "C"}, {"TERM", "dumb"}};
  platform::PtyChildStart started = processes_.StartPtyChild(request);
  if (started.code != 0 || !started.stream) return Finish(Outcome::Failed, "sudo could not be started.");
  link_ = std::move(started.stream);
  startedMs_ = clock_.Milliseconds();
  return std::nullopt;
}

std::optional<KeepAliveSetup::Result> KeepAliveSetup::Step() {
  if (!link_) return std::nullopt;
  link_->SendQueuedOutput();
  bool ended = false;
  uint8_t buf[1024];
  for (;;) {
    const int n = link_->Read(buf, static_cast<int>(sizeof buf));
    if (n < 0) {
      ended = true;
      break;
    }
    if (n == 0) break;
    std::string chunk(reinterpret_cast<const char*>(buf), static_cast<size_t>(n));
    if (skippingTypedLine_) {
      const size_t nl = chunk.find('\n');
      if (nl == std::string::npos) {
        Wipe(chunk);
        continue;
      }
      chunk.erase(0, nl + 1);
      skippingTypedLine_ = false;
    }
    unseen_ += chunk;
    transcript_ += chunk;
    Wipe(chunk);
    if (transcript_.size() > kTranscriptMax) transcript_.erase(0, transcript_.size() - kTranscriptMax);
    // Only the end of a long stretch can hold the prompt still to come.
    if (unseen_.size() > kTranscriptMax) unseen_.erase(0, unseen_.size() - kTranscriptMax);
  }

  if (stage_ == Stage::WaitingForPrompt) {
    const size_t at = unseen_.find(kPrompt);
    if (at != std::string::npos) {
      // The terminal reads the line: a control character in the password
      // is quoted (literal next), so that it cannot end the line early,
      // erase what came before, or interrupt sudo.
      std::string line;
      for (const char c : password_) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127) line += kLiteralNext;
        line += c;
      }
      line += '\r';
      link_->Write(reinterpret_cast<const uint8_t*>(line.data()), static_cast<int>(line.size()));
      Wipe(line);
      WipePassword();
      unseen_.erase(0, at + std::char_traits<char>::length(kPrompt));
      // What the child prints next, up to its line end, is the typed line
      // (its echo, or sudo's own line end when echo is off).
      skippingTypedLine_ = true;
      stage_ = Stage::PasswordTyped;
    }
  }
  if (stage_ == Stage::PasswordTyped &&
      (unseen_.find(kTryAgain) != std::string::npos || unseen_.find(kPrompt) != std::string::npos))
    return Finish(Outcome::WrongPassword, {});
  if (ended) {
    // Closing reaps the child and keeps how it ended.
    link_->Close();
    const LinkEnd end = link_->EndOfLink();
    if (end.how == LinkEnd::How::Exited && end.code == 0) return Finish(Outcome::Set, {});
    if (end.how == LinkEnd::How::Exited)
      return Finish(Outcome::Failed, "sudo ended with status", " " + std::to_string(end.code) + ".");
    if (end.how == LinkEnd::How::Signalled)
      return Finish(Outcome::Failed, "sudo was ended by signal", " " + std::to_string(end.code) + ".");
    return Finish(Outcome::Failed, "sudo ended without telling how.");
  }
  if (clock_.Milliseconds() - startedMs_ >= kDeadlineMs)
    return Finish(Outcome::Failed, "sudo did not finish within 20 seconds.");
  return std::nullopt;
}

void KeepAliveSetup::End() {
  WipePassword();
  if (link_) {
    link_->Close();
    link_.reset();
  }
  unseen_.clear();
  transcript_.clear();
}

void KeepAliveSetup::WipePassword() { Wipe(password_); }

KeepAliveSetup::Result KeepAliveSetup::Finish(Outcome outcome, std::string reason, std::string code) {
  Result r;
  r.outcome = outcome;
  r.reason = std::move(reason);
  r.code = std::move(code);
  if (outcome == Outcome::Failed) r.lastLine = LastLine();
  End();
  return r;
}

std::string KeepAliveSetup::LastLine() const {
  std::string last;
  size_t begin = 0;
  while (begin < transcript_.size()) {
    size_t end = transcript_.find('\n', begin);
    if (end == std::string::npos) end = transcript_.size();
    std::string line;
    for (size_t i = begin; i < end; ++i) {
      const auto c = static_cast<unsigned char>(transcript_[i]);
      // Printable text only: no control or escape reaches the alert.
      if (c >= 32 && c != 127) line += static_cast<char>(c);
    }
    // The prompt is the program's own text; what follows it is the child's.
    for (size_t prompt = line.find(kPrompt); prompt != std::string::npos; prompt = line.find(kPrompt))
      line.erase(prompt, std::char_traits<char>::length(kPrompt));
    line.erase(0, line.find_first_not_of(' '));
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) last = line;
    begin = end + 1;
  }
  if (last.size() > kLineMax) last.resize(kLineMax);
  return last;
}

}  // namespace korvane::app
