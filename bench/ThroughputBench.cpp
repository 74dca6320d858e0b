// Throughput of the byte-to-screen path: host bytes through the reader, the
// interpreter, the planes and the drawing into an offscreen Qt back buffer,
// with the flood gate and a repaint from the planes at most once a frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>

#include "Streams.h"
#include "emulation/EmulationFlags.h"
#include "emulation/FloodGate.h"
#include "emulation/SessionInterpreters.h"
#include "platform/qt/OffscreenGui.h"
#include "platform/qt/QtImagePort.h"
#include "windows/Session.h"

namespace korvane::bench {
namespace {

// The generated stream, over and over.
class LoopLink final : public HostLink {
 public:
  explicit LoopLink(const std::string& bytes) : bytes_(bytes) {}
  uint64_t taken = 0;
  void Write(const uint8_t*, int) override {}
  int Read(uint8_t* buf, int max) override {
    int n = 0;
    while (n < max) {
      const size_t k = std::min(bytes_.size() - pos_, static_cast<size_t>(max - n));
      std::memcpy(buf + n, bytes_.data() + pos_, k);
      n += static_cast<int>(k);
      pos_ += k;
      if (pos_ == bytes_.size()) pos_ = 0;
    }
    taken += static_cast<uint64_t>(n);
    return n;
  }
  int Waiting() override { return 1 << 20; }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
};

// The window repaint from the planes, at most once a frame during a flood.
void RepaintFromPlanes(Session& s) { s.screen.RedrawScreenFromBuffers(); }

// A 24 x 80 session at the default text size (12 x 24 pixel cells), drawing
// into an offscreen back buffer.
struct Bench {
  static constexpr int kWidth = 81 * 12, kHeight = (23 + 3) * 24 + 9;

  explicit Bench(const std::string& stream, bool floodGate)
      : image(kWidth, kHeight), gate(image), session(floodGate ? static_cast<platform::Port&>(gate) : image, clock) {
    Opt().TextSizeValue = 18;
    Opt().FontSize = 18;
    Opt().AutoWrapOn = 1;
    Opt().ScrollBackOn = 1;
    Opt().CurrentForeColour = 17;
    Opt().BackgroundColour = 18;
    session.screen.ComputeCellMetrics();
    session.screen.SetNormalTextStyle();
    session.screen.MoveToCell(1, 1);
    auto owned = std::make_unique<LoopLink>(stream);
    link = owned.get();
    session.conn.PtyStream = std::move(owned);
    if (floodGate) session.input.SetFloodGate(&gate);
  }
  SessionOptions& Opt() { return session.Opt; }

  // Runs passes until `bytes` more bytes were read, repainting once a frame.
  void Feed(uint64_t bytes) {
    const uint64_t until = link->taken + bytes;
    while (link->taken < until) {
      for (int i = 0; i < 16; ++i) session.input.ProcessHostInput();
      if (!session.screen.RepaintPending) continue;
      const auto now = std::chrono::steady_clock::now();
      if (now - lastRepaint < std::chrono::milliseconds(FloodGate::kFrameMs)) continue;
      FloodGate::RepaintScope repaint(gate);
      RepaintFromPlanes(session);
      session.screen.RepaintPending = 0;
      lastRepaint = now;
    }
  }

  platform::SteadyClock clock;
  platform::QtImagePort image;
  FloodGate gate;
  Session session;
  LoopLink* link = nullptr;
  std::chrono::steady_clock::time_point lastRepaint{};
};

// Feeds the stream through a bench session of the given emulation (none: the
// plain-text path), with both interpreter families installed.
void RunStream(benchmark::State& state, const std::string& stream, bool floodGate,
               void (*emulation)(SessionOptions&) = nullptr) {
  auto b = std::make_unique<Bench>(stream, floodGate);
  if (emulation) emulation(b->Opt());
  SessionInterpreters interpreters(b->session);
  for (auto _ : state) b->Feed(stream.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}

void Vt220(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Vt220, o);
  o.AutoAnsiColours = 1;
  o.ProgramFontOption = 1;
}

void Wyse60(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Wyse60, o);
  o.HiddenAttributes = 1;
  o.HostCharacterSet = 14;
}

const std::string& PlainStream() {
  static const std::string s = PlainTextLines(1 << 20, 1);
  return s;
}

void BM_PlainTextScrolling(benchmark::State& state) { RunStream(state, PlainStream(), true); }
BENCHMARK(BM_PlainTextScrolling)->Unit(benchmark::kMillisecond);

// The same without the flood gate: every run and every scroll is drawn.
void BM_PlainTextScrollingDrawingEverything(benchmark::State& state) { RunStream(state, PlainStream(), false); }
BENCHMARK(BM_PlainTextScrollingDrawingEverything)->Unit(benchmark::kMillisecond);

// Wyse 60 output: random cursor addresses, attribute changes and short runs
// of text, through the Wyse-family interpreter.
const std::string& WyseStream() {
  static const std::string s = WyseAddressedWrites(1 << 20, 2, 24, 80);
  return s;
}

void BM_Wyse60RandomWrites(benchmark::State& state) { RunStream(state, WyseStream(), true, Wyse60); }
BENCHMARK(BM_Wyse60RandomWrites)->Unit(benchmark::kMillisecond);

// Cursor-addressed writes with renditions and colours through the VT220
// interpreter.
const std::string& VtStream() {
  static const std::string s = VtAddressedWrites(1 << 20, 1, 24, 80);
  return s;
}

void BM_VtAddressedWrites(benchmark::State& state) { RunStream(state, VtStream(), true, Vt220); }
BENCHMARK(BM_VtAddressedWrites)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane::bench

int main(int argc, char** argv) {
  korvane::platform::OffscreenGui gui(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
