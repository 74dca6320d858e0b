#pragma once
// Sounds the program makes: the bell. The desktop decides what it sounds like.

namespace korvane::platform {

class Sounds {
 public:
  virtual ~Sounds() = default;
  // The system's alert sound (the bell).
  virtual void Beep() = 0;
};

}  // namespace korvane::platform
