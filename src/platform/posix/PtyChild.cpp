#include "platform/posix/PtyChild.h"

#include <errno.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace korvane::platform::posix {
namespace {

// How long a child whose terminal has closed may take to end by itself.
constexpr int kEndingGraceMs = 500;

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

// Polls for the child's exit for up to `ms` milliseconds; `status` gets its
// wait status (-1 when it had been reaped already).
bool WaitForExit(pid_t pid, int ms, int& status) {
  const int64_t deadline = NowMs() + ms;
  for (;;) {
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return true;
    if (r < 0 && errno == ECHILD) {
      status = -1;
      return true;
    }
    if (NowMs() >= deadline) return false;
    const timespec pause{0, 2 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

void SignalChild(pid_t pid, int sig) {
  // The child leads its own session and process group; the group reaches the
  // jobs a shell started in the foreground.
  kill(-pid, sig);
  kill(pid, sig);
}

}  // namespace

int HangUpAndReap(pid_t pid, int graceMs) {
  if (pid <= 0) return -1;
  int status = -1;
  if (WaitForExit(pid, graceMs, status)) return status;
  SignalChild(pid, SIGHUP);
  if (WaitForExit(pid, 500, status)) return status;
  SignalChild(pid, SIGTERM);
  if (WaitForExit(pid, 500, status)) return status;
  SignalChild(pid, SIGKILL);
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

PtyChild::~PtyChild() { Close(); }

void PtyChild::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (pid_ > 0) {
    // A child whose terminal has closed is ending: it gets a moment to end
    // by itself, so that its own exit status is what is kept.
    NoteStatus(HangUpAndReap(pid_, ended_ ? kEndingGraceMs : 0));
    pid_ = -1;
  }
  ended_ = true;
  in_.clear();
  inPos_ = 0;
  out_.clear();
  outPos_ = 0;
  hold_.reset();
  shown_.clear();
  shownPos_ = 0;
}

void PtyChild::NoteStatus(int status) {
  if (status < 0) return;
  if (WIFEXITED(status)) end_ = {LinkEnd::How::Exited, WEXITSTATUS(status)};
  if (WIFSIGNALED(status)) end_ = {LinkEnd::How::Signalled, WTERMSIG(status)};
}

void PtyChild::TryReap() {
  if (pid_ <= 0) return;
  int status = 0;
  const pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == pid_) NoteStatus(status);
  if (r == pid_ || (r < 0 && errno == ECHILD)) pid_ = -1;
}

void PtyChild::NoteEnd() {
  ended_ = true;
  // What the child has not taken can no longer reach it.
  out_.clear();
  outPos_ = 0;
  TryReap();
}

int PtyChild::FillInput() {
  if (fd_ < 0 || ended_) return -1;
  if (inPos_ > 0 && inPos_ == in_.size()) {
    in_.clear();
    inPos_ = 0;
  }
  // As much as the terminal gives in one call: it goes on handing over what
  // its writer adds while the call copies, and every call wakes the writer
  // and the kernel's feeder of the terminal again.
  if (!chunk_) chunk_ = std::make_unique<char[]>(kReadMax);
  for (;;) {
    const ssize_t r = ::read(fd_, chunk_.get(), kReadMax);
    if (r > 0) {
      in_.append(chunk_.get(), static_cast<size_t>(r));
      return static_cast<int>(r);
    }
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    // End of file, or EIO once the child's side of the terminal is closed.
    NoteEnd();
    return -1;
  }
}

void PtyChild::Drain() {
  while (fd_ >= 0 && outPos_ < out_.size()) {
    const ssize_t w = ::write(fd_, out_.data() + outPos_, out_.size() - outPos_);
    if (w > 0) {
      outPos_ += static_cast<size_t>(w);
      continue;
    }
    if (w < 0 && errno == EINTR) continue;
    // A full terminal: the rest goes out with a later write or read.
    if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    NoteEnd();
    return;
  }
  if (outPos_ == out_.size()) {
    out_.clear();
    outPos_ = 0;
  }
}

void PtyChild::Write(const uint8_t* data, int n) {
  if (fd_ < 0 || ended_ || n <= 0) return;
  if (PendingOutput() + static_cast<size_t>(n) > kMaxQueuedOutput) {
    // Try to make room first; a child that still takes nothing loses this write.
    Drain();
    if (PendingOutput() + static_cast<size_t>(n) > kMaxQueuedOutput) {
      dropped_ += static_cast<uint64_t>(n);
      return;
    }
  }
  if (outPos_ > 0 && outPos_ >= out_.size() / 2) {
    out_.erase(0, outPos_);
    outPos_ = 0;
  }
  out_.append(reinterpret_cast<const char*>(data), static_cast<size_t>(n));
  Drain();
}

int PtyChild::Read(uint8_t* buf, int max) {
  if (max <= 0) return 0;
  // Output that waited for room goes first, as a buffered stream flushes
  // before it reads.
  if (PendingOutput() > 0) Drain();
  if (hold_) PassThroughHold();
  if (Shown() > 0) {
    const size_t n = std::min(Shown(), static_cast<size_t>(max));
    std::memcpy(buf, shown_.data() + shownPos_, n);
    shownPos_ += n;
    if (shownPos_ == shown_.size()) {
      shown_.clear();
      shownPos_ = 0;
    }
    return static_cast<int>(n);
  }
  // While a hold has the start of a line, nothing is read past it.
  if (hold_) return 0;
  if (Held() == 0 && FillInput() < 0) return -1;
  const size_t n = std::min(Held(), static_cast<size_t>(max));
  if (n == 0) return 0;
  std::memcpy(buf, in_.data() + inPos_, n);
  inPos_ += n;
  return static_cast<int>(n);
}

int PtyChild::Waiting() {
  if (PendingOutput() > 0) Drain();
  // Output held for an echo is offered once the hold lets it go, even when
  // the child prints nothing more (a prompt waiting for its answer).
  if (hold_) PassThroughHold();
  if (Held() == 0 && Shown() == 0 && !hold_) FillInput();
  return static_cast<int>(std::min(Held() + Shown(), static_cast<size_t>(1) << 30));
}

bool PtyChild::Ended() {
  if (Held() == 0 && !ended_) FillInput();
  return ended_ && Held() == 0 && Shown() == 0 && !hold_;
}

bool PtyChild::HoldEchoOf(const std::vector<std::string>& lines) {
  if (fd_ < 0) return false;
  hold_ = std::make_unique<platform::EchoHold>(lines, NowMs());
  return true;
}

void PtyChild::PassThroughHold() {
  if (Held() == 0) FillInput();
  if (Held() > 0) {
    hold_->Take(std::string_view(in_).substr(inPos_), shown_);
    in_.clear();
    inPos_ = 0;
  }
  if (ended_) {
    hold_->Release(shown_);
    hold_.reset();
  } else if (hold_->Finish(NowMs(), shown_)) {
    hold_.reset();
  }
}

bool PtyChild::SetWindowSize(int rows, int cols) {
  if (fd_ < 0 || rows <= 0 || cols <= 0) return false;
  winsize ws{};
  ws.ws_row = static_cast<unsigned short>(rows);
  ws.ws_col = static_cast<unsigned short>(cols);
  return ioctl(fd_, TIOCSWINSZ, &ws) == 0;
}

}  // namespace korvane::platform::posix
