#pragma once
// The host's further bytes of a sequence, from a string: each read takes the
// next byte, and reading past the end is a time-out. Counts what was read.

#include <string>
#include <string_view>

#include "screen/HostByteSource.h"

namespace korvane::fakes {

class ScriptedHostBytes final : public HostByteSource {
 public:
  explicit ScriptedHostBytes(std::string_view bytes = {}) : bytes_(bytes) {}
  void Feed(std::string_view more) { bytes_ += more; }
  int GetNextHostByte() override {
    ++reads;
    if (pos_ >= bytes_.size()) return kTimedOut;
    return static_cast<uint8_t>(bytes_[pos_++]);
  }
  // Bytes taken so far, and what is left for the interpreter.
  size_t consumed() const { return pos_; }
  std::string rest() const { return bytes_.substr(pos_); }
  int reads = 0;

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

}  // namespace korvane::fakes
