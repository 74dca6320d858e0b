#include "platform/qt/QtCursors.h"

#include <QCursor>
#include <QGuiApplication>

namespace korvane::platform {

void QtCursors::ShowWatch() {
  if (watch_) return;
  watch_ = true;
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtCursors::ShowArrow() {
  if (!watch_) return;
  watch_ = false;
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace korvane::platform
