// The main loop's part in the serial lines: the loop's wait shortened to the
// lines' next step, the lines stepped once a turn, a serial session's start
// and its opening, the keys a modem takes, and the hang-up of modems when the
// program quits.

#include <algorithm>

#include "app/App.h"

namespace korvane::app {

namespace {

// The longest the program waits at quit for its modems to hang up ("+++"
// with its guard times, then "ATH"; the sequence itself ends within eight
// seconds even when a modem never answers).
constexpr int64_t kQuitHangUpLimitMs = 10000;

}  // namespace

int App::SerialWaitTicks(int ticks) const {
  if (serialWakeMs_ < 0 || ticks <= 0) return ticks;
  const int64_t left = serialWakeMs_ - platform.clock.Milliseconds();
  if (left <= 0) return 0;
  return static_cast<int>(std::min<int64_t>(ticks, (left * 60 + 999) / 1000));
}

void App::StepSerialLines() { serialWakeMs_ = serialLines.Step(platform.clock.Milliseconds(), windows.Active()); }

void App::StartSerialSession(SessionWindow& w) {
  AppSerialLine* line = serialLines.For(w);
  if (!line || !line->Line().StartSession()) return;
  w.session.screen.port.Flush();
  Wait(500);
}

void App::OpenSerialConnection(SessionWindow& w) {
  if (AppSerialLine* line = serialLines.For(w)) line->Line().OpenConnection();
}

bool App::SerialLineTakesKey(SessionWindow& w) {
  AppSerialLine* line = serialLines.For(w);
  return line && line->Made() && line->Line().TakeTypedKey();
}

void App::HangUpModemsForQuit() {
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n))
      if (AppSerialLine* line = serialLines.For(*w); line && line->Made()) line->Line().StartQuitHangUp();
  // The loop keeps turning (the windows drawn, events kept for later) while
  // the modems, and those of windows closed on the way out, hang up.
  const int64_t deadline = platform.clock.Milliseconds() + kQuitHangUpLimitMs;
  while (serialLines.HangingUp() && platform.clock.Milliseconds() < deadline) {
    StepSerialLines();
    const int64_t now = platform.clock.Milliseconds();
    Wait(serialWakeMs_ < 0 ? 20 : std::clamp<int64_t>(serialWakeMs_ - now, 1, 100));
  }
}

}  // namespace korvane::app
