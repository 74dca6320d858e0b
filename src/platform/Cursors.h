#pragma once
// The mouse cursor's shape while the program works: the arrow, or the watch
// that says the program is busy. Setting the shape it already has costs
// nothing, so callers may set it as often as they like.

namespace korvane::platform {

class Cursors {
 public:
  virtual ~Cursors() = default;
  virtual void ShowArrow() = 0;
  virtual void ShowWatch() = 0;
};

}  // namespace korvane::platform
