// A fixed amount of a generated stream through the bench session, with the
// repaint from the planes after a fixed number of bytes instead of once a
// frame: the same work on every run, for instruction counts under callgrind
// (timings there are too slow for the frame rule to mean anything).
//
//   korvane_stream_profile plain|vtlines|wy60|vt [MB] [MB-between-repaints]
//   (vtlines: the plain text lines through the VT220 interpreter)
//   valgrind --tool=callgrind build/bench/korvane_stream_profile wy60 4

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSession.h"
#include "Streams.h"
#include "platform/qt/OffscreenGui.h"

namespace {
using namespace korvane;
using namespace korvane::bench;

// Passes until `total` bytes were read, repainting after every `between`.
void Feed(BenchSession& b, uint64_t total, uint64_t between) {
  uint64_t nextRepaint = b.link->taken + between;
  while (b.link->taken < total) {
    b.Pass();
    if (b.link->taken >= nextRepaint) {
      nextRepaint += between;
      if (b.session.screen.RepaintPending) b.Repaint();
    }
  }
}

// The measured part (callgrind --toggle-collect='*FeedFixed*'), after a
// first megabyte and a repaint have rendered the glyph tiles the stream uses.
[[gnu::noinline]] void FeedFixed(BenchSession& b, uint64_t total, uint64_t between) {
  Feed(b, b.link->taken + total, between);
}

void WarmUp(BenchSession& b) {
  Feed(b, 1000000, 500000);
  b.Repaint();
}
}  // namespace

int main(int argc, char** argv) {
  korvane::platform::OffscreenGui gui(argc, argv);
  const std::string kind = argc > 1 ? argv[1] : "";
  const double megabytes = argc > 2 ? std::atof(argv[2]) : 4;
  // A frame's worth of bytes at 300 MB/s.
  const double frame = argc > 3 ? std::atof(argv[3]) : 4.8;
  std::string stream;
  void (*emulation)(SessionOptions&) = nullptr;
  if (kind == "plain" || kind == "vtlines") {
    stream = PlainTextLines(1 << 20, 1);
    if (kind == "vtlines") emulation = Vt220;
  } else if (kind == "wy60") {
    stream = WyseAddressedWrites(1 << 20, 2, 24, 80);
    emulation = Wyse60;
  } else if (kind == "vt") {
    stream = VtAddressedWrites(1 << 20, 1, 24, 80);
    emulation = Vt220;
  } else {
    std::fprintf(stderr, "usage: korvane_stream_profile plain|vtlines|wy60|vt [MB] [MB-between-repaints]\n");
    return 2;
  }
  platform::SteadyClock clock;
  auto owned = std::make_unique<BenchSession>(stream, true, clock, emulation);
  BenchSession& b = *owned;
  const auto total = static_cast<uint64_t>(megabytes * 1e6);
  const auto between = static_cast<uint64_t>(frame * 1e6);
  WarmUp(b);
  FeedFixed(b, total, between);
  std::printf("%llu bytes\n", static_cast<unsigned long long>(b.link->taken));
  return 0;
}
