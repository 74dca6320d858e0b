// Throughput of the byte-to-screen path: host bytes through the reader, the
// interpreter, the planes and the drawing into an offscreen Qt back buffer,
// with the flood gate and a repaint from the planes at most once a frame.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "BenchSession.h"
#include "Streams.h"
#include "platform/qt/OffscreenGui.h"

namespace korvane::bench {
namespace {

// Runs passes until `bytes` more bytes were read, repainting from the planes
// at most once a frame while a repaint is pending.
void Feed(BenchSession& b, uint64_t bytes, std::chrono::steady_clock::time_point& lastRepaint) {
  const uint64_t until = b.link->taken + bytes;
  while (b.link->taken < until) {
    b.Pass();
    if (!b.session.screen.RepaintPending) continue;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRepaint < std::chrono::milliseconds(FloodGate::kFrameMs)) continue;
    b.Repaint();
    lastRepaint = now;
  }
}

// Feeds the stream through a bench session of the given emulation (none: the
// plain-text path), with both interpreter families installed.
void RunStream(benchmark::State& state, const std::string& stream, bool floodGate,
               void (*emulation)(SessionOptions&) = nullptr) {
  platform::SteadyClock clock;
  auto b = std::make_unique<BenchSession>(stream, floodGate, clock, emulation);
  std::chrono::steady_clock::time_point lastRepaint{};
  const uint64_t start = b->link->taken;
  for (auto _ : state) Feed(*b, stream.size(), lastRepaint);
  // What was read: a pass may read a little more than an iteration asks for.
  state.SetBytesProcessed(static_cast<int64_t>(b->link->taken - start));
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

// The same lines through the VT220 interpreter, as a local shell's output
// reaches it (the end-to-end benchmark's path).
void BM_VtTextScrolling(benchmark::State& state) { RunStream(state, PlainStream(), true, Vt220); }
BENCHMARK(BM_VtTextScrolling)->Unit(benchmark::kMillisecond);

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
