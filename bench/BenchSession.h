#pragma once
// The session the throughput benchmarks feed: 24 x 80 at the default text
// size (12 x 24 pixel cells), drawing into an offscreen Qt back buffer through
// the flood gate, with both interpreter families installed and the generated
// stream read over and over from a loop link.

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "BenchEmulations.h"
#include "connection/LoopLink.h"
#include "emulation/FloodGate.h"
#include "emulation/SessionInterpreters.h"
#include "platform/qt/QtImagePort.h"
#include "fakes/WindowlessSession.h"
#include "windows/Session.h"

namespace korvane::bench {

struct BenchSession {
  static constexpr int kWidth = 81 * 12, kHeight = (23 + 3) * 24 + 9;

  // `emulation` null: the plain-text path. Without the flood gate every run
  // and every scroll is drawn.
  BenchSession(const std::string& stream, bool floodGate, platform::Clock& clock,
               void (*emulation)(SessionOptions&) = nullptr)
      : image(kWidth, kHeight),
        gate(image),
        window(floodGate ? static_cast<platform::Port&>(gate) : image, clock),
        session(window.session) {
    SessionOptions& o = session.Opt;
    o.TextSizeValue = 18;
    o.FontSize = 18;
    o.AutoWrapOn = 1;
    o.ScrollBackOn = 1;
    o.CurrentForeColour = 17;
    o.BackgroundColour = 18;
    session.screen.ComputeCellMetrics();
    session.screen.SetNormalTextStyle();
    session.screen.MoveToCell(1, 1);
    auto owned = std::make_unique<LoopLink>(stream);
    link = owned.get();
    session.conn.PtyStream = std::move(owned);
    if (floodGate) session.input.SetFloodGate(&gate);
    if (emulation) emulation(o);
    interpreters = std::make_unique<SessionInterpreters>(session.input, session.wyse, session.vt);
  }

  // One input pass.
  void Pass() { session.input.ProcessHostInput(); }
  // The window's repaint from the planes, as the idle pass does it in a flood.
  void Repaint() {
    FloodGate::RepaintScope repaint(gate);
    session.screen.RedrawScreenFromBuffers();
    session.screen.RepaintPending = 0;
  }

  platform::QtImagePort image;
  FloodGate gate;
  fakes::WindowlessSession window;
  Session& session;
  std::unique_ptr<SessionInterpreters> interpreters;
  LoopLink* link = nullptr;
};

}  // namespace korvane::bench
