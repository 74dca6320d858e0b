#pragma once
// What a session's host bytes go through, without a window: its settings
// record, screen, connection (a fake channel over links a test fills), host
// input and the state of both interpreter families. One line in a test:
//   fakes::EmulationSession s(port, clock);

#include "emulation/HostInput.h"
#include "emulation/VtState.h"
#include "emulation/WyseState.h"
#include "fakes/FakeHostChannel.h"
#include "platform/Clock.h"
#include "platform/Port.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane::fakes {

struct EmulationSession {
  EmulationSession(platform::Port& port, platform::Clock& clock, ScreenHost* host = nullptr,
                   platform::Controls* controls = nullptr)
      : screen(Opt, port, host, controls), conn(clock), input(Opt, screen, conn) {}
  EmulationSession(const EmulationSession&) = delete;
  EmulationSession& operator=(const EmulationSession&) = delete;

  SessionOptions Opt;
  Screen screen;
  FakeHostChannel conn;
  HostInput input;
  WyseState wyse;
  VtState vt;
};

}  // namespace korvane::fakes
