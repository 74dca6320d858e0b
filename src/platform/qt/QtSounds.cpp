#include "platform/qt/QtSounds.h"

#include <QApplication>

namespace korvane::platform {

void QtSounds::Beep() { QApplication::beep(); }

}  // namespace korvane::platform
