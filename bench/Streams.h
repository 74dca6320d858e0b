#pragma once
// Generated host output for the throughput benchmarks. Each generator returns
// about `bytes` bytes, the same for the same seed.

#include <cstdint>
#include <string>

namespace korvane::bench {

// Lines of 1 to 79 printable characters, each ended by CR LF: plain text that
// scrolls.
std::string PlainTextLines(size_t bytes, uint32_t seed);

// Wyse 60 output: random cursor addresses (ESC = row col), attribute changes
// (ESC G x) and short runs of text on a screen of rows x cols.
std::string WyseAddressedWrites(size_t bytes, uint32_t seed, int rows, int cols);

// The same with VT sequences: ESC [ row ; col H, ESC [ n m and text.
std::string VtAddressedWrites(size_t bytes, uint32_t seed, int rows, int cols);

}  // namespace korvane::bench
