#pragma once
// One session window's state: its settings record, its screen and its
// connection, and its host input. Later parts of the program add the
// interpreters here.

#include "connection/Connection.h"
#include "emulation/HostInput.h"
#include "emulation/WyseState.h"
#include "emulation/VtState.h"
#include "input/KeyTranslator.h"
#include "input/SessionKeys.h"
#include "platform/Clock.h"
#include "platform/Port.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"
#include "settings/SettingsState.h"
#include "windows/WindowState.h"

namespace korvane {

struct Session {
  Session(platform::Port& port, platform::Clock& clock, ScreenHost* host = nullptr,
          platform::Controls* controls = nullptr)
      : screen(Opt, port, host, controls), conn(clock), input(Opt, screen, conn) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  SessionOptions Opt;
  Screen screen;
  Connection conn;
  SettingsState settings;
  HostInput input;
  // The Wyse-family interpreter's modes and the key strings its host programs.
  WyseState wyse;
  // The VT family's modes and the state of the host commands both families share.
  VtState vt;
  WindowState window;
  // The local echo and the key strings on their way to the host.
  input::SessionKeys keys;

  input::KeySession KeyParts() { return {Opt, screen, conn, input, keys, wyse, vt}; }
};

}  // namespace korvane
