#pragma once
// One session window's state: its settings record and its screen. Later
// parts of the program add the host input, the interpreters and the
// connection here.

#include "platform/Port.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane {

struct Session {
  explicit Session(platform::Port& port, ScreenHost* host = nullptr) : screen(Opt, port, host) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  SessionOptions Opt;
  Screen screen;
};

}  // namespace korvane
