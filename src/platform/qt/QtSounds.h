#pragma once
// The bell through the window system.

#include "platform/Sounds.h"

namespace korvane::platform {

class QtSounds final : public Sounds {
 public:
  void Beep() override;
};

}  // namespace korvane::platform
