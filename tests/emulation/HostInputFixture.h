#pragma once
// A session for host-input tests: 24 rows of 80 columns at 12 points in a
// recording port, a fake clock, recording echo targets and hooks, and host
// links that a test fills.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "emulation/HostInput.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryLink.h"
#include "fakes/RecordingPort.h"
#include "fakes/EmulationSession.h"

namespace korvane::testing_support {

// A host link whose bytes arrive at given times of the fake clock.
class TimedLink final : public HostLink {
 public:
  explicit TimedLink(const platform::Clock& clock) : clock_(clock) {}
  void FeedAt(int64_t ms, std::string_view bytes) {
    for (char c : bytes) pending_.push_back({ms, static_cast<uint8_t>(c)});
  }
  void End() { ended_ = true; }
  std::string written;

  void Write(const uint8_t* data, int n) override { written.append(reinterpret_cast<const char*>(data), n); }
  int Read(uint8_t* buf, int max) override {
    int n = 0;
    while (n < max && !pending_.empty() && pending_.front().ms <= clock_.Milliseconds()) {
      buf[n++] = pending_.front().byte;
      pending_.pop_front();
    }
    if (n == 0 && pending_.empty() && ended_) return -1;
    return n;
  }
  int Waiting() override {
    int n = 0;
    for (const auto& p : pending_)
      if (p.ms <= clock_.Milliseconds()) ++n;
    return n;
  }

 private:
  struct Timed {
    int64_t ms;
    uint8_t byte;
  };
  const platform::Clock& clock_;
  std::deque<Timed> pending_;
  bool ended_ = false;
};

// A small interpreter for the reader's tests: printable bytes are printed,
// ESC takes two more bytes (logged), CR and LF
// move the cursor; every byte seen and the chunk it came in are logged.
class ScriptInterpreter final : public HostInterpreter {
 public:
  struct Seen {
    int byte;
    int chunkCount;
  };
  std::vector<Seen> seen;
  std::vector<std::string> sequences;  // "ESC" + the two bytes, "!" marking a time-out
  bool vt = false;

  void InterpretCharacter(HostInput& in) override {
    seen.push_back({in.CurrentHostChar, in.HostChunkCount});
    Screen& s = in.screen;
    switch (in.CurrentHostChar) {
      case 27: {
        in.FlushRun(HostInput::Echo::Character);
        std::string seq = "ESC";
        for (int i = 0; i < 2; ++i) {
          in.GetNextHostByte();
          seq += in.HostReadTimedOut ? std::string("!") : std::string(1, static_cast<char>(in.NextHostByte));
        }
        sequences.push_back(seq);
        return;
      }
      case 13:
        in.FlushRun(HostInput::Echo::LineEnd);
        s.SetCursorCol(1);
        s.MoveToCell(s.CursorRow(), 1);
        return;
      case 10:
        in.FlushRun(HostInput::Echo::None);
        s.ScrollIfPastBottom();
        return;
      default: in.WriteCharacter();
    }
  }
  bool WrapWaitsForNextCharacter() const override { return vt; }
};

class HostInputTest : public ::testing::Test {
 protected:
  HostInputTest() : port(570, 414), session(port, clock) {
    session.Opt.TextSizeValue = 12;
    session.screen.ComputeCellMetrics();
    session.screen.MoveToCell(1, 1);
    // Ending printer capture turns it off, as the program's capture does.
    record.onPrinterCaptureOff = [this] { in().PrinterOn = 0; };
  }

  HostInput& in() { return session.input; }
  Screen& screen() { return session.screen; }
  SessionOptions& opt() { return session.Opt; }

  fakes::MemoryLink* OpenPty() {
    auto link = std::make_unique<fakes::MemoryLink>(&clock);
    auto* raw = link.get();
    session.conn.UsesPty = 1;
    session.conn.PtyStream = std::move(link);
    return raw;
  }
  TimedLink* OpenTimedPty() {
    auto link = std::make_unique<TimedLink>(clock);
    auto* raw = link.get();
    session.conn.UsesPty = 1;
    session.conn.PtyStream = std::move(link);
    return raw;
  }
  fakes::MemoryLink* OpenSerial() {
    auto link = std::make_unique<fakes::MemoryLink>(&clock);
    auto* raw = link.get();
    session.conn.UsesPty = 0;
    session.conn.ConnectionPort = -1;
    session.conn.ConnectionOpen = 1;
    session.conn.SerialChannel = std::move(link);
    return raw;
  }
  // The test interpreter takes the Wyse-family route.
  void UseScript() {
    opt().EmuViewpoint = 1;
    in().SetInterpreters(&script, nullptr);
  }
  // Row r of the character plane, columns 1..n, with empty cells as blanks
  // and trailing blanks trimmed.
  std::string Row(int r, int n = 80) {
    std::string out;
    for (int c = 1; c <= n; ++c) {
      const int16_t ch = screen().ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    return out.substr(0, out.find_last_not_of(' ') + 1);
  }
  std::string Attrs(int r, int n) {
    std::string out;
    for (int c = 1; c <= n; ++c) out += static_cast<char>('0' + screen().ScreenAttrs(r, c));
    return out;
  }
  void Cursor(int row, int col) {
    screen().SetCursorRow(static_cast<int16_t>(row));
    screen().SetCursorCol(static_cast<int16_t>(col));
    screen().MoveToCell(row, col);
  }

  fakes::FakeClock clock;
  fakes::RecordingPort port;
  fakes::EmulationSession session;
  // Everything the session asked of its services, the echoes among it.
  fakes::RecordingServices& record = session.around.record;
  fakes::RecordingServices& echo = session.around.record;
  fakes::FakeAlerts& alerts = session.around.alerts;
  fakes::FakeDesktop& desktop = session.around.desktop;
  ScriptInterpreter script;
};

}  // namespace korvane::testing_support
