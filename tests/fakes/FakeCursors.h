#pragma once
// The mouse cursor's shape, as the program last set it, and how often it
// really changed.

#include "platform/Cursors.h"

namespace korvane::fakes {

class FakeCursors final : public platform::Cursors {
 public:
  bool watch = false;
  int changes = 0;
  void ShowArrow() override {
    if (watch) ++changes;
    watch = false;
  }
  void ShowWatch() override {
    if (!watch) ++changes;
    watch = true;
  }
};

}  // namespace korvane::fakes
