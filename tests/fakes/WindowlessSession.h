#pragma once
// A whole session without a window: the recording services, a fake screen
// host and a recording connection host around a real Session. For the replay
// tool, the benchmarks and tests that need the session's real connection.
//   fakes::WindowlessSession w(port, clock);   Session& s = w.session;

#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingConnectionHost.h"
#include "fakes/RecordingServices.h"
#include "windows/Session.h"

namespace korvane::fakes {

struct WindowlessSession {
  WindowlessSession(platform::Port& port, platform::Clock& clock, platform::Controls* controls = nullptr)
      : session(port, clock, around.services, screenHost, connectionHost, controls) {}
  WindowlessSession(const WindowlessSession&) = delete;
  WindowlessSession& operator=(const WindowlessSession&) = delete;

  ServicesUnderTest around;
  FakeScreenHost screenHost;
  RecordingConnectionHost connectionHost;
  Session session;
};

}  // namespace korvane::fakes
