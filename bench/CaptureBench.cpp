// The cost of capture on the byte path: the same host text through the VT220
// interpreter into an offscreen Qt back buffer (with the flood gate and a
// repaint at most once a frame, as the program runs), without a capture, with
// a text capture file and with an HTML capture file on the disk, each input
// pass ending with the capture's flush as in the program.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSession.h"
#include "Streams.h"
#include "fakes/CaptureOutputService.h"
#include "fakes/FakePrinting.h"
#include "fakes/FakePrograms.h"
#include "platform/posix/PosixFiles.h"
#include "platform/qt/OffscreenGui.h"

namespace korvane::bench {
namespace {

const std::string& Stream() {
  static const std::string s = PlainTextLines(1 << 20, 1);
  return s;
}

// A VT220 session like BenchSession's whose capture service writes real files.
struct CapturingSession {
  explicit CapturingSession(platform::Clock& clock)
      : image(BenchSession::kWidth, BenchSession::kHeight),
        gate(image),
        services{capture,        around.record,
                 around.record,  around.record,
                 around.record,  around.record,
                 around.record,  around.record,
                 around.record,  around.record,
                 around.record,  around.hostAlerts,
                 around.desktop, {}},
        session(gate, clock, services, screenHost, connectionHost, nullptr),
        printing(printer, files, around.alerts, programs, clock, folder + "/prefs") {
    SessionOptions& o = session.Opt;
    o.TextSizeValue = 18;
    o.FontSize = 18;
    o.AutoWrapOn = 1;
    o.ScrollBackOn = 1;
    o.CurrentForeColour = 17;
    o.BackgroundColour = 18;
    o.LineEnd = SessionOptions::kLineEndLf;
    session.screen.ComputeCellMetrics();
    session.screen.SetNormalTextStyle();
    session.screen.MoveToCell(1, 1);
    auto owned = std::make_unique<LoopLink>(Stream());
    link = owned.get();
    session.conn.PtyStream = std::move(owned);
    session.input.SetFloodGate(&gate);
    Vt220(o);
    interpreters = std::make_unique<SessionInterpreters>(session.input, session.wyse, session.vt);
    capture.Attach(o, session.screen, session.input, files, around.alerts, printing,
                   {folder + "/prefs", folder, folder});
  }
  ~CapturingSession() {
    capture.CloseCaptureFile();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  static std::string TempFolder() {
    std::string pattern = "/tmp/korvane-capture-bench-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : "/tmp";
  }

  std::string folder = TempFolder();
  platform::QtImagePort image;
  FloodGate gate;
  fakes::ServicesUnderTest around;
  fakes::CaptureOutputService capture;
  SessionServices services;
  fakes::FakeScreenHost screenHost;
  fakes::RecordingConnectionHost connectionHost;
  Session session;
  std::unique_ptr<SessionInterpreters> interpreters;
  LoopLink* link = nullptr;
  platform::PosixFiles files;
  fakes::FakePrinting printer;
  fakes::FakePrograms programs;
  output::PrintServices printing;
};

// `format`: 0 no capture, 1 a text capture file, 2 an HTML capture file.
void RunCapture(benchmark::State& state, int format) {
  platform::SteadyClock clock;
  auto b = std::make_unique<CapturingSession>(clock);
  const std::string file = b->folder + "/capture.txt";
  auto open = [&] {
    if (format == 0) return;
    b->session.Opt.CaptureCreator = format == 2 ? "MOSS" : "ttxt";
    b->capture.OpenCaptureFile(file);
  };
  open();
  std::chrono::steady_clock::time_point lastRepaint{};
  const uint64_t start = b->link->taken;
  int64_t iterations = 0;
  for (auto _ : state) {
    const uint64_t until = b->link->taken + Stream().size();
    while (b->link->taken < until) {
      b->session.input.ProcessHostInput();
      if (!b->session.screen.RepaintPending) continue;
      const auto now = std::chrono::steady_clock::now();
      if (now - lastRepaint < std::chrono::milliseconds(FloodGate::kFrameMs)) continue;
      FloodGate::RepaintScope repaint(b->gate);
      b->session.screen.RedrawScreenFromBuffers();
      b->session.screen.RepaintPending = 0;
      lastRepaint = now;
    }
    // The file starts again every 64 MiB, so that the disk does not fill.
    if (format != 0 && ++iterations % 64 == 0) {
      state.PauseTiming();
      open();
      state.ResumeTiming();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(b->link->taken - start));
  if (format != 0 && b->session.input.CaptureFileOn != 1) state.SkipWithError("the capture stopped");
}

void BM_VtTextNoCapture(benchmark::State& state) { RunCapture(state, 0); }
BENCHMARK(BM_VtTextNoCapture)->Unit(benchmark::kMillisecond);

void BM_VtTextCapturedToTextFile(benchmark::State& state) { RunCapture(state, 1); }
BENCHMARK(BM_VtTextCapturedToTextFile)->Unit(benchmark::kMillisecond);

void BM_VtTextCapturedToHtmlFile(benchmark::State& state) { RunCapture(state, 2); }
BENCHMARK(BM_VtTextCapturedToHtmlFile)->Unit(benchmark::kMillisecond);

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
