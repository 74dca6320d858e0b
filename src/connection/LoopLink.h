#pragma once
// A host link that sends one recording over and over and takes whatever is
// written to it: the host for measuring how fast output is shown.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/HostLink.h"
#include "platform/VectorUnit.h"

namespace korvane {

class LoopLink final : public HostLink {
 public:
  explicit LoopLink(std::string bytes) : bytes_(std::move(bytes)) {}
  // Bytes read so far.
  uint64_t taken = 0;
  void Write(const uint8_t*, int) override {}
  int Read(uint8_t* buf, int max) override {
    if (bytes_.empty()) return 0;
    int n = 0;
    while (n < max) {
      const size_t k = std::min(bytes_.size() - pos_, static_cast<size_t>(max - n));
      CopyCells(buf + n, reinterpret_cast<const uint8_t*>(bytes_.data()) + pos_, k);
      n += static_cast<int>(k);
      pos_ += k;
      if (pos_ == bytes_.size()) pos_ = 0;
    }
    taken += static_cast<uint64_t>(n);
    return n;
  }
  int Waiting() override { return 1 << 20; }

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

}  // namespace korvane
