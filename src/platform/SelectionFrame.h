#pragma once
// What a session window shows of a selection besides its cells: the frame
// that follows a drag, drawn over the text without touching it, and the
// pointer's shape that announces how a selection will be copied.

#include "platform/Port.h"

namespace korvane::platform {

enum class PointerShape { Arrow, IBeam, Cross };

class SelectionFrame {
 public:
  virtual ~SelectionFrame() = default;
  // Shows the frame round r (window pixels), or moves it there.
  virtual void ShowFrame(Rect r) = 0;
  virtual void HideFrame() = 0;
  // The pointer's shape over the window's text area.
  virtual void SetPointerShape(PointerShape shape) = 0;
};

}  // namespace korvane::platform
