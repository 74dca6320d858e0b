// The next byte of a sequence for an interpreter, and the collection of host
// strings that end at a terminator.

#include <algorithm>
#include <cstdint>

#include "emulation/HostInput.h"

namespace korvane {

namespace {
// Between two looks at the connection while waiting for a byte.
constexpr int64_t kPollMs = 2;
}  // namespace

void HostInput::StartReplay(std::string_view text) {
  ReplayText.assign(text.substr(0, kReplayMax));
  ReplayPos = 0;
  ReplayActive = ReplayText.empty() ? 0 : 1;
}

int HostInput::ReadSerialByte() {
  HostLink* link = conn.Link();
  if (!link) return -1;
  uint8_t b = 0;
  return link->Read(&b, 1) == 1 ? b : -1;
}

int HostInput::WaitForHostByte() {
  const int64_t deadline = clock_.Ticks() + kByteWaitTicks;
  const int64_t startMs = clock_.Milliseconds();
  // Inside a pass the wait has what is left of the pass's budget.
  // (A serial line keeps the whole wait for every byte: a slow line's pace
  // is its speed, and its host is the user's own equipment.)
  const bool budgeted = inPass_ && conn.IsPtyConnection();
  const int64_t budgetMs = budgeted ? std::max<int64_t>(0, kPassWaitBudgetMs - passWaitedMs_) : INT64_MAX;
  struct Spent {
    HostInput& in;
    int64_t start;
    ~Spent() {
      if (in.inPass_) in.passWaitedMs_ += in.clock_.Milliseconds() - start;
    }
  } spent{*this, startMs};
  while (true) {
    if (services_.keyboard.CancelRequested()) {
      readCancelled_ = true;
      NextHostByte = 0;
      return -1;
    }
    HostLink* link = conn.Link();
    int n = 0;
    uint8_t b = 0;
    if (!link) {
      n = -1;
    } else if (conn.IsPtyConnection()) {
      n = link->Read(&b, 1);
    } else if (conn.SerialBytesWaiting() > 0) {
      n = link->Read(&b, 1);
      if (n < 0) {
        services_.serial.OpenSelectedSerialPort();
        n = 0;
      }
    }
    if (n == 1) return b;
    if (n < 0) {
      // A connection that has ended sends nothing more: give up at once
      // instead of waiting out the second.
      readClosed_ = true;
      HostReadTimedOut = 1;
      NextHostByte = 0;
      return -1;
    }
    NextHostByte = 0;
    // A byte already there is always taken; the time limits apply to waiting.
    if (clock_.Ticks() > deadline || clock_.Milliseconds() - startMs >= budgetMs) {
      HostReadTimedOut = 1;
      return -1;
    }
    clock_.Delay(kPollMs);
  }
}

void HostInput::GetNextHostByte() {
  readCancelled_ = false;
  readClosed_ = false;
  while (true) {
    HostReadTimedOut = 0;
    if (ReplayActive) {
      ++ReplayPos;
      if (ReplayPos > kReplayMax) {
        NextHostByte = 0;
        ReplayActive = 0;
        ReplayPos = 0;
        return;
      }
      NextHostByte = ReplayPos <= static_cast<int>(ReplayText.size())
                         ? static_cast<uint8_t>(ReplayText[static_cast<size_t>(ReplayPos - 1)])
                         : 0;
      if (PushBackPending) {
        --ReplayPos;
        NextHostByte = PushedBackByte;
        PushBackPending = 0;
        return;
      }
      if (Opt.EmuVt100 == 1 && NextHostByte == 0) continue;
      if (ReplayPos >= static_cast<int>(ReplayText.size())) {
        ReplayActive = 0;
        ReplayPos = 0;
      }
      return;
    }
    if (PushBackPending) {
      NextHostByte = PushedBackByte;
      PushBackPending = 0;
      return;
    }

    // Past the chunk the position stays one beyond its end.
    if (HostChunkPos <= HostChunkLast) ++HostChunkPos;
    int b;
    if (HostChunkPos > HostChunkLast) {
      if (HostBytesBeyondChunk == 0 || conn.IsPtyConnection()) {
        b = WaitForHostByte();
        if (b < 0) return;
      } else {
        // The serial backlog is still on the port: take the next byte of it.
        b = ReadSerialByte();
        --HostBytesBeyondChunk;
        if (b < 0) {
          services_.serial.OpenSelectedSerialPort();
          HostBytesBeyondChunk = 0;
          HostReadTimedOut = 1;
          NextHostByte = 0;
          return;
        }
      }
    } else {
      b = ReceiveBuffer[static_cast<size_t>(HostChunkPos)];
    }
    if (C1ControlsOn && b == 0x9B) b = 0x5B;
    if (Opt.EmuVt100 == 1 && b == 0) continue;
    if (Opt.EmuPrism == 0 && Opt.NationalCharsOff == 0 && b > 127) b &= 127;
    NextHostByte = static_cast<int16_t>(b);
    return;
  }
}

HostInput::CollectEnd HostInput::CollectHostString(std::string& out, size_t cap, int terminator) {
  out.clear();
  while (true) {
    // Nothing past the cap is taken: those bytes are interpreted as usual.
    if (out.size() >= cap) return CollectEnd::TooLong;
    GetNextHostByte();
    if (HostReadTimedOut) return readClosed_ ? CollectEnd::Closed : CollectEnd::TimedOut;
    if (readCancelled_) return CollectEnd::Cancelled;
    if (NextHostByte == terminator) return CollectEnd::Terminator;
    out += static_cast<char>(NextHostByte);
  }
}

}  // namespace korvane
