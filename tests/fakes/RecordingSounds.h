#pragma once
// Sounds a test counts instead of hearing.

#include <string>
#include <vector>

#include "platform/Sounds.h"

namespace korvane::fakes {

class RecordingSounds final : public platform::Sounds {
 public:
  int beeps = 0;
  // The named sounds asked for, in order.
  std::vector<std::string> played;
  void Beep() override { ++beeps; }
  void PlaySound(const std::string& name) override { played.push_back(name); }
};

}  // namespace korvane::fakes
