#pragma once
// A session on real pseudo-terminals and real processes, in a temporary home
// (HOME, XDG folders) so that nothing of the machine's user setup counts.
// The recorder child stands in for programs where a test needs to see
// exactly what a child is given and sent.

#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "connection/SessionChild.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingConnectionHost.h"
#include "fakes/RecordingPort.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PtyChild.h"
#include "support/LauncherFixture.h"
#include "support/PtySupport.h"

#ifndef KORVANE_RECORDER
#error "KORVANE_RECORDER must name the recorder child program"
#endif

namespace korvane::testing_support {

template <class ClockT>
class PtyTestT : public ::testing::Test {
 protected:
  PtyTestT() {
    env.Set("HOME", home.path());
    env.Set("XDG_DATA_HOME", home / "data");
    env.Set("XDG_CONFIG_HOME", home / "config");
    env.Set("KORVANE_RECORDER_LOG", log);
    env.Unset("KORVANE_RECORDER_ECHO");
    env.Unset("KORVANE_RECORDER_BANNER");
    conn.SetHost(&host);
    programs = ChildPrograms::ForThisUser();
    programs.VersionText = "Version 0.1";
    mkdir(bin.c_str(), 0755);
    env.Set("PATH", bin + ":/usr/local/bin:/usr/bin:/bin");
  }
  ~PtyTestT() override {
    conn.PtyStream.reset();
    signal(SIGPIPE, SIG_DFL);
  }

  static std::string Recorder() { return KORVANE_RECORDER; }
  platform::posix::PtyChild* Pty() { return dynamic_cast<platform::posix::PtyChild*>(conn.PtyStream.get()); }

  // A program in the test's own folder first on PATH: a shell script.
  std::string FakeProgram(const std::string& name, const std::string& script) {
    const std::string path = bin + "/" + name;
    WriteFile(path, "#!/bin/sh\n" + script, 0755);
    return path;
  }

  // Reads the session's output until it holds `want` (or the limit passes).
  std::string ReadUntil(const std::string& want, int limitMs = 10000) {
    WaitUntil(
        [&] {
          uint8_t buf[4096];
          int n;
          while (conn.PtyStream && (n = conn.PtyStream->Read(buf, sizeof buf)) > 0)
            output.append(reinterpret_cast<char*>(buf), static_cast<size_t>(n));
          return output.find(want) != std::string::npos;
        },
        limitMs);
    return output;
  }

  TempDir home;
  ScopedEnv env;
  std::string log = home / "recorder.log";
  std::string bin = home / "bin";
  std::string output;
  ClockT clock;
  SessionOptions opt;
  Connection conn{clock};
  fakes::FakeAlerts alerts;
  fakes::RecordingConnectionHost host{&clock};
  platform::posix::PosixProcesses processes;
  ChildPrograms programs;
  SessionChild child{opt, conn, processes, alerts, programs};
};

// Real time, for tests of pacing and of what real programs do.
using PtyTest = PtyTestT<platform::SteadyClock>;
// Pauses take no time: for tests of what is sent, not when.
using FastPtyTest = PtyTestT<fakes::FakeClock>;

inline bool HaveTcsh() { return access("/bin/tcsh", X_OK) == 0; }

}  // namespace korvane::testing_support
