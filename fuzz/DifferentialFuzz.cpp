// Feeds the same host output through two fresh sessions of one emulation:
// one with every fast path on, its input handed over in reads split at
// points the input chooses, and one that takes every byte on the reader's own
// path in a single read. Any difference in the planes, the cursor, the scroll
// region or the bytes answered to the host is a fault of a fast path (or of
// the reader at a chunk's edge) and stops the run.
//
// The input: byte 0 picks the emulation, byte 1 the number of split points,
// then two bytes per split point (a read size of 1 to 256), then the stream.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "screen/Screen.h"
#include "tools/korvane-replay/Replay.h"

namespace {

using korvane::replay::Emulation;
using korvane::replay::Options;

Options ReplayOptions(bool fastPaths, const std::vector<size_t>& pieces, bool text) {
  Options options;
  options.fastPaths = fastPaths;
  options.pieces = pieces;
  options.attrs = true;
  options.text = text;
  return options;
}

// The screen as text with the answers, and with `planes` the planes' image.
std::string Replay(const Emulation* emulation, const std::string& stream, Options options,
                   std::string* planes = nullptr) {
  static int width = 0, height = 0;
  static const bool sized = korvane::replay::WindowSizeFor(24, 80, width, height);
  if (!sized) std::abort();
  return korvane::replay::ReplayToText(options, emulation, width, height, stream, planes);
}

// Where two images of PlanesImage first differ, in words.
std::string FirstDifference(const std::string& a, const std::string& b) {
  using korvane::ScreenPlanes;
  using korvane::ScrollBackPlanes;
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  // PlanesImage's layout: rows of the same width throughout.
  constexpr size_t row = ScreenPlanes::kCols * sizeof(int16_t), screenPlane = ScreenPlanes::kRows * row,
                   backLines = ScrollBackPlanes::kLines - 1, backPlane = backLines * row;
  constexpr size_t grid = ScreenPlanes::kPlaneCount * screenPlane, flags = screenPlane,
                   marks = (korvane::kMaxCursorRow + 1) * row, back = 2 * backPlane;
  char where[160];
  if (i < grid)
    std::snprintf(where, sizeof where, "screen plane %zu row %zu column %zu", i / screenPlane, i % screenPlane / row,
                  i % row / 2);
  else if (i < grid + flags)
    std::snprintf(where, sizeof where, "protect flag row %zu column %zu", (i - grid) / row, (i - grid) % row / 2);
  else if (i < grid + flags + marks)
    std::snprintf(where, sizeof where, "hidden mark row %zu column %zu", (i - grid - flags) / row,
                  (i - grid - flags) % row / 2);
  else if (i < grid + flags + marks + back)
    std::snprintf(where, sizeof where, "scroll-back plane %zu line %zu column %zu",
                  (i - grid - flags - marks) / backPlane, (i - grid - flags - marks) % backPlane / row + 1,
                  (i - grid - flags - marks) % row / 2);
  else
    std::snprintf(where, sizeof where, "cursor, region or size (byte %zu)", i - grid - flags - marks - back);
  return where;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto& emulations = korvane::replay::Emulations();
  const size_t choice = data[0] % (emulations.size() + 1);
  const Emulation* emulation = choice < emulations.size() ? &emulations[choice] : nullptr;  // last: plain text
  const size_t splits = data[1] % 16;
  size_t at = 2;
  std::vector<size_t> pieces;
  for (size_t i = 0; i < splits && at + 1 < size; ++i, at += 2)
    pieces.push_back(1 + ((static_cast<size_t>(data[at]) << 8 | data[at + 1]) % 256));
  const std::string stream(reinterpret_cast<const char*>(data) + at, size - at);

  // The text made here holds what the planes do not: the character set and
  // the answer; the screen's text itself is made only to tell a difference.
  // The byte-by-byte session runs while the fast one still lives, so that
  // their planes are compared where they lie.
  std::string fast, slow;
  bool samePlanes = false;
  Options fastOptions = ReplayOptions(true, pieces, false);
  fastOptions.inspect = [&](const korvane::Session& fastSession) {
    Options slowOptions = ReplayOptions(false, {}, false);
    slowOptions.inspect = [&](const korvane::Session& slowSession) {
      samePlanes = korvane::replay::SamePlanes(fastSession, slowSession);
    };
    slow = Replay(emulation, stream, slowOptions);
  };
  fast = Replay(emulation, stream, fastOptions);
  if (fast != slow || !samePlanes) {
    // Made again whole, to say where they differ.
    std::string fastPlanes, slowPlanes;
    const bool shown = fast != slow;
    fast = Replay(emulation, stream, ReplayOptions(true, pieces, true), &fastPlanes);
    slow = Replay(emulation, stream, ReplayOptions(false, {}, true), &slowPlanes);
    std::fprintf(stderr, "first difference: %s\nfast paths (reads split %zu times):\n%s\nbyte by byte:\n%s\n",
                 shown ? "the character set or the answer" : FirstDifference(fastPlanes, slowPlanes).c_str(),
                 pieces.size(), fast.c_str(), slow.c_str());
    std::abort();
  }
  return 0;
}
