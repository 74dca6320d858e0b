#pragma once
// The busy cursor on Qt: the application's override cursor, set once when the
// program becomes busy and taken away once when it is done.

#include "platform/Cursors.h"

namespace korvane::platform {

class QtCursors final : public Cursors {
 public:
  ~QtCursors() override { ShowArrow(); }
  void ShowArrow() override;
  void ShowWatch() override;

 private:
  bool watch_ = false;
};

}  // namespace korvane::platform
