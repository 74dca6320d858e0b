// Full repaints of a working screen from the planes: the path of every
// expose, resize and catch-up after a flood of host output.
//
//   build/bench/korvane_repaint_bench

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "platform/NullPort.h"
#include "platform/qt/QtImagePort.h"
#include "fakes/FakeScreenHost.h"
#include "screen/Screen.h"

namespace korvane {
namespace {
using platform::NullPort;

// 24 rows of 80 columns of text; every third row carries a few attribute
// changes, and in colour mode every row has several colour pairs.
void FillScreen(SessionOptions& opt, Screen& s, bool colours) {
  opt.TextSizeValue = 12;
  opt.CurrentForeColour = 17;
  opt.BackgroundColour = 18;
  opt.ColourModeA = colours ? 1 : 0;
  s.ComputeCellMetrics();
  s.ScreenCols = s.ColumnsSetting = 80;
  for (int r = 1; r <= 24; ++r)
    for (int c = 1; c <= 80; ++c) {
      s.ScreenChars(r, c) = static_cast<int16_t>(' ' + (r * 7 + c) % 90);
      s.ScreenAttrs(r, c) = r % 3 == 0 && c % 20 < 5 ? kAttrReverse : kAttrNormal;
      if (colours) {
        s.ScreenForeColours(r, c) = static_cast<int16_t>(1 + (c / 16) % 19);
        s.ScreenBackColours(r, c) = c / 40 ? 9 : 18;
      }
    }
}

template <class PortT>
void BM_FullRepaint(benchmark::State& state) {
  SessionOptions opt;
  PortT port(570, 414);
  fakes::FakeScreenHost host;
  Screen s(opt, port, host);
  FillScreen(opt, s, state.range(0) != 0);
  for (auto _ : state) s.RedrawScreenFromBuffers();
  state.SetItemsProcessed(state.iterations() * 24 * 80);
}

BENCHMARK_TEMPLATE(BM_FullRepaint, NullPort)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FullRepaint, platform::QtImagePort)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
