#pragma once
// What a session's host bytes go through, without a window: its settings
// record, screen, connection (a fake channel over links a test fills), host
// input and the state of both interpreter families, with recording services
// and a fake screen host. One line in a test:
//   fakes::EmulationSession s(port, clock);

#include "emulation/HostInput.h"
#include "emulation/VtState.h"
#include "emulation/WyseState.h"
#include "fakes/FakeHostChannel.h"
#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingServices.h"
#include "platform/Clock.h"
#include "platform/Port.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane::fakes {

struct EmulationSession {
  EmulationSession(platform::Port& port, platform::Clock& clock, platform::Controls* controls = nullptr)
      : screen(Opt, port, screenHost, controls), conn(clock), input(Opt, screen, conn, around.services) {}
  EmulationSession(const EmulationSession&) = delete;
  EmulationSession& operator=(const EmulationSession&) = delete;

  // What the session reaches beyond its screen, recorded.
  ServicesUnderTest around;
  FakeScreenHost screenHost;
  SessionOptions Opt;
  Screen screen;
  FakeHostChannel conn;
  HostInput input;
  WyseState wyse;
  VtState vt;
};

}  // namespace korvane::fakes
