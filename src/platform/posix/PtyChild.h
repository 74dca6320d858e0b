#pragma once
// The master side of a child program's pseudo-terminal, as a host link.
//
// The descriptor is non-blocking and close-on-exec. Reads are buffered so that
// a byte looked at by a test for waiting input stays the next byte read.
// Writes never wait: what the terminal takes now goes out at once (a paced
// line reaches the child byte by byte), the rest waits in a queue, in order,
// and goes out with the next write or read. A child that does not read cannot
// hold the program: once a megabyte waits, further writes are dropped and
// counted (DroppedOutput). A child that exits ends the stream: the
// kernel answers reads on the master with EIO, which is taken as the end, not
// as an error to retry. Closing hangs the child up and reaps it.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/EchoHold.h"
#include "platform/HostLink.h"

namespace korvane::platform::posix {

class PtyChild final : public HostLink {
 public:
  PtyChild(int masterFd, pid_t pid) : fd_(masterFd), pid_(pid) {}
  ~PtyChild() override;
  PtyChild(const PtyChild&) = delete;
  PtyChild& operator=(const PtyChild&) = delete;

  // Writes what the terminal takes now and keeps the rest queued, in order,
  // for the next write or read: the caller never waits (PendingOutput tells
  // what is still queued). A write that does not fit the queue is dropped
  // whole.
  void Write(const uint8_t* data, int n) override;
  void WriteWithoutWaiting(const uint8_t* data, int n) { Write(data, n); }
  size_t OutputQueued() const override { return PendingOutput(); }
  void SendQueuedOutput() override { Drain(); }
  int Read(uint8_t* buf, int max) override;
  int Waiting() override;
  // Bytes already taken in from the terminal and not read yet; unlike
  // Waiting, it does not ask the terminal.
  size_t Buffered() const { return Held() + Shown(); }
  bool Ended() override;
  void Close() override;
  bool SetWindowSize(int rows, int cols) override;
  // What the child prints passes an EchoHold until the hold is over.
  bool HoldEchoOf(const std::vector<std::string>& lines) override;
  bool HoldingEcho() const override { return hold_ != nullptr; }
  LinkEnd EndOfLink() const override { return end_; }

  int fd() const { return fd_; }
  // The child's process id; -1 once it has been reaped.
  pid_t pid() const { return pid_; }
  // Bytes written but not yet taken by the terminal.
  size_t PendingOutput() const { return out_.size() - outPos_; }
  // Bytes of writes dropped because the queue was full.
  uint64_t DroppedOutput() const { return dropped_; }

  // The most the queue holds for a child that does not read.
  static constexpr size_t kMaxQueuedOutput = 1 << 20;

 private:
  // One non-blocking read into the input buffer: the count, 0 when nothing
  // waits, -1 at the end of the stream.
  int FillInput();
  void Drain();
  void NoteEnd();
  void TryReap();
  size_t Held() const { return in_.size() - inPos_; }
  // Input taken through the echo hold and not read yet.
  size_t Shown() const { return shown_.size() - shownPos_; }
  // Hands what waits to the echo hold; the hold ends with the stream.
  void PassThroughHold();
  // Notes how the child ended from a wait status.
  void NoteStatus(int status);

  int fd_;
  pid_t pid_;
  bool ended_ = false;
  std::string in_;
  size_t inPos_ = 0;
  // The buffer of one read.
  static constexpr size_t kReadMax = 64 * 1024;
  std::unique_ptr<char[]> chunk_;
  std::string out_;
  size_t outPos_ = 0;
  uint64_t dropped_ = 0;
  std::unique_ptr<platform::EchoHold> hold_;
  std::string shown_;
  size_t shownPos_ = 0;
  LinkEnd end_;
};

// Hangs up the process group of a child and waits for it: SIGHUP, then
// SIGTERM and finally SIGKILL for a child that outlives a grace period. A
// child that is ending already is given `graceMs` to end by itself first.
// Returns its wait status, or -1 when it had been reaped already.
int HangUpAndReap(pid_t pid, int graceMs = 0);

}  // namespace korvane::platform::posix
