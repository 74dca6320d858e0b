#pragma once
// Sounds a test counts instead of hearing.

#include "platform/Sounds.h"

namespace korvane::fakes {

class RecordingSounds final : public platform::Sounds {
 public:
  int beeps = 0;
  void Beep() override { ++beeps; }
};

}  // namespace korvane::fakes
