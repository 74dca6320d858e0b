#pragma once
// A session for the launcher and close tests: settings, screen, connection
// and the launcher, on a fake clock, with children that are memory links.
// Also the emulation choices and a transcript of what was typed, with pauses.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "connection/SessionChild.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeProcesses.h"
#include "fakes/RecordingConnectionHost.h"
#include "fakes/RecordingPort.h"

namespace korvane::testing_support {

// The emulation flags as the Emulate menu sets them.
inline void SetEmulation(SessionOptions& o, std::string_view name) {
  o.EmuViewpoint = o.EmuWyse50 = o.EmuWyse60 = o.EmuWyse370 = o.EmuTvi925 = o.EmuVt100 = o.EmuVt220 = o.EmuPrism = 0;
  if (name == "Prism") o.EmuPrism = 1;
  if (name == "VT100" || name == "VT220") o.EmuVt100 = 1;
  if (name == "VT220") o.EmuVt220 = 1;
  if (name == "Viewpoint" || name == "Wyse 50" || name == "Wyse 60" || name == "Wyse 370" || name == "TeleVideo 925")
    o.EmuViewpoint = 1;
  if (name == "Wyse 50" || name == "Wyse 60" || name == "Wyse 370" || name == "TeleVideo 925") o.EmuWyse50 = 1;
  if (name == "Wyse 60" || name == "Wyse 370" || name == "TeleVideo 925") o.EmuWyse60 = 1;
  if (name == "Wyse 370") o.EmuWyse370 = 1;
  if (name == "TeleVideo 925") o.EmuTvi925 = 1;
}

// The connection kinds as the Connection menu sets them.
inline void SetKind(SessionOptions& o, Connection& conn, std::string_view kind) {
  conn.UsesPty = kind != "serial";
  o.UsesPty = conn.UsesPty;
  o.TelnetSession = kind == "telnet";
  o.SshSession = kind == "ssh";
  o.LocalShellSession = kind == "local";
}

inline std::string Visible(std::string_view s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char b[8];
      std::snprintf(b, sizeof b, "<%02x>", c);
      out += b;
    }
  }
  return out;
}

// What was typed into a link, one entry per line ending in CR: its text and
// the pause after each of its bytes ("@10", or every gap when they differ),
// with "+N" for each pause of N ms between lines (and before the first and
// after the last, up to `endMs`).
inline std::vector<std::string> Transcript(const fakes::MemoryLink& link, int64_t startMs, int64_t endMs) {
  std::vector<std::string> out;
  int64_t t = startMs;
  size_t i = 0;
  const std::string& w = link.written;
  const auto& at = link.writtenAtMs;
  while (i < w.size()) {
    size_t cr = w.find('\r', i);
    if (cr == std::string::npos) cr = w.size() - 1;
    if (at[i] > t) out.push_back("+" + std::to_string(at[i] - t));
    std::vector<int64_t> gaps;
    for (size_t k = i; k < cr; ++k) gaps.push_back(at[k + 1] - at[k]);
    std::string pacing = "@0";
    if (!gaps.empty()) {
      bool same = true;
      for (int64_t g : gaps) same = same && g == gaps.front();
      if (same) {
        pacing = "@" + std::to_string(gaps.front());
      } else {
        pacing = "@";
        for (int64_t g : gaps) pacing += std::to_string(g) + ",";
      }
    }
    out.push_back(Visible(w.substr(i, cr - i)) + " " + pacing);
    t = at[cr];
    i = cr + 1;
  }
  if (endMs > t) out.push_back("+" + std::to_string(endMs - t));
  return out;
}

// A stream that hands every call on to a memory link the test keeps, so that
// the link can be looked at after the session has closed and freed its stream.
class ForwardingLink final : public HostLink {
 public:
  explicit ForwardingLink(fakes::MemoryLink& target) : target_(target) {}
  void Write(const uint8_t* data, int n) override { target_.Write(data, n); }
  int Read(uint8_t* buf, int max) override { return target_.Read(buf, max); }
  int Waiting() override { return target_.Waiting(); }
  bool Ended() override { return target_.Ended(); }
  void Close() override { target_.Close(); }
  bool SetWindowSize(int rows, int cols) override { return target_.SetWindowSize(rows, cols); }
  bool HoldEchoOf(const std::vector<std::string>& lines) override { return target_.HoldEchoOf(lines); }
  LinkEnd EndOfLink() const override { return target_.EndOfLink(); }

 private:
  fakes::MemoryLink& target_;
};

class LauncherTest : public ::testing::Test {
 protected:
  LauncherTest() {
    programs.Tcsh = "/bin/tcsh";
    programs.Telnet = "/usr/bin/telnet";
    programs.LoginShell = "/bin/bash";
    programs.HomeFolder = "/home/u";
    programs.KermitAppFolder = "/home/u/.local/share/korvane/kermit";
    programs.DocumentsFolder = "/home/u/Documents";
    programs.VersionText = "Version 1.2.3";
    processes.executables = {"/bin/tcsh", "/usr/bin/telnet", "/bin/bash"};
    processes.onPath = {{"telnet", "/usr/bin/telnet"}, {"ssh", "/usr/bin/ssh"}};
    processes.banner = "> ";
  }

  // The requests left for the host-input and idle passes, in order.
  std::vector<std::string> Requests() const {
    std::vector<std::string> out;
    for (const auto& c : host.calls)
      if (c.rfind("Request", 0) == 0) out.push_back(c);
    return out;
  }
  fakes::MemoryLink* Child(size_t n = 0) { return n < processes.links.size() ? processes.links[n] : nullptr; }

  fakes::FakeClock clock;
  SessionOptions opt;
  fakes::RecordingConnectionHost host{&clock};
  Connection conn{clock, host};
  fakes::FakeAlerts alerts;
  fakes::FakeProcesses processes{&clock};
  ChildPrograms programs;
  SessionChild child{opt, conn, processes, alerts, programs};
};

}  // namespace korvane::testing_support
