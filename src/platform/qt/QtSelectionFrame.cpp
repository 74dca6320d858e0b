#include "platform/qt/QtSelectionFrame.h"

#include <QRubberBand>
#include <QWidget>

namespace korvane::platform {

QtSelectionFrame::QtSelectionFrame(QWidget* area) : area_(area), band_(new QRubberBand(QRubberBand::Rectangle, area)) {}

QtSelectionFrame::~QtSelectionFrame() { delete band_.data(); }

void QtSelectionFrame::ShowFrame(Rect r) {
  if (!band_) return;
  band_->setGeometry(QRect(r.left, r.top, r.Width(), r.Height()).normalized());
  band_->show();
}

void QtSelectionFrame::HideFrame() {
  if (band_) band_->hide();
}

void QtSelectionFrame::SetPointerShape(PointerShape shape) {
  if (!area_) return;
  switch (shape) {
    case PointerShape::Arrow: area_->unsetCursor(); break;
    case PointerShape::IBeam: area_->setCursor(Qt::IBeamCursor); break;
    case PointerShape::Cross: area_->setCursor(Qt::CrossCursor); break;
  }
}

}  // namespace korvane::platform
