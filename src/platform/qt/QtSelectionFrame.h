#pragma once
// The frame of a selection on Qt: a rubber band over the session window's
// text area, so the frame never touches the window's pixels and host output
// drawn under it leaves no trace, and the pointer shapes of the text area.

#include <QPointer>

#include "platform/SelectionFrame.h"

class QRubberBand;
class QWidget;

namespace korvane::platform {

class QtSelectionFrame final : public SelectionFrame {
 public:
  // `area`: the widget that shows the session's text.
  explicit QtSelectionFrame(QWidget* area);
  ~QtSelectionFrame() override;
  QtSelectionFrame(const QtSelectionFrame&) = delete;
  QtSelectionFrame& operator=(const QtSelectionFrame&) = delete;

  void ShowFrame(Rect r) override;
  void HideFrame() override;
  void SetPointerShape(PointerShape shape) override;

 private:
  QPointer<QWidget> area_;
  QPointer<QRubberBand> band_;
};

}  // namespace korvane::platform
