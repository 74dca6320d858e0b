// Fuzzes one emulation's byte-to-screen path: the input is host output fed
// through a fresh 24 x 80 session. The sanitizers catch any write or read
// outside the planes and any undefined behaviour; the run must also end.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/korvane-replay/Replay.h"

namespace {

const korvane::replay::Emulation* FindEmulation() {
  const std::string name = KORVANE_FUZZ_EMULATION;
  for (const auto& e : korvane::replay::Emulations())
    if (name == e.name) return &e;
  return nullptr;  // the plain-text path
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const korvane::replay::Emulation* emulation = FindEmulation();
  static int width = 0, height = 0;
  static const bool sized = korvane::replay::WindowSizeFor(24, 80, width, height);
  if (!sized) return 0;
  korvane::replay::Options options;
  options.attrs = true;
  options.text = false;
  korvane::replay::ReplayToText(options, emulation, width, height,
                                std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
