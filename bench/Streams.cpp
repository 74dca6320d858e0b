#include "Streams.h"

#include <random>

namespace korvane::bench {

namespace {
constexpr char kText[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;:-+=/()";

void AppendText(std::string& out, std::mt19937& rng, int n) {
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kText) - 2);
  for (int i = 0; i < n; ++i) out += kText[pick(rng)];
}
}  // namespace

std::string PlainTextLines(size_t bytes, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> length(1, 79);
  std::string out;
  out.reserve(bytes + 81);
  while (out.size() < bytes) {
    AppendText(out, rng, length(rng));
    out += "\r\n";
  }
  return out;
}

std::string WyseAddressedWrites(size_t bytes, uint32_t seed, int rows, int cols) {
  // Plain attributes of the attribute command: normal, dim, reverse, bold,
  // underline and their combinations.
  static constexpr char kAttributes[] = "0p4t2r6v8x|<";
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> row(0, rows - 1), col(0, cols - 1), attr(0, sizeof kAttributes - 2), length(1, 40);
  std::string out;
  out.reserve(bytes + 64);
  while (out.size() < bytes) {
    out += "\x1b=";
    out += static_cast<char>(32 + row(rng));
    out += static_cast<char>(32 + col(rng));
    out += "\x1bG";
    out += kAttributes[attr(rng)];
    AppendText(out, rng, length(rng));
  }
  return out;
}

std::string VtAddressedWrites(size_t bytes, uint32_t seed, int rows, int cols) {
  static constexpr int kRenditions[] = {0, 1, 4, 5, 7, 31, 32, 33, 34, 41, 42, 44};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> row(1, rows), col(1, cols),
      rendition(0, static_cast<int>(std::size(kRenditions)) - 1), length(1, 40);
  std::string out;
  out.reserve(bytes + 64);
  while (out.size() < bytes) {
    out += "\x1b[" + std::to_string(row(rng)) + ";" + std::to_string(col(rng)) + "H";
    out += "\x1b[" + std::to_string(kRenditions[rendition(rng)]) + "m";
    AppendText(out, rng, length(rng));
  }
  return out;
}

}  // namespace korvane::bench
