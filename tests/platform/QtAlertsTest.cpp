// The asking alert on Qt, offscreen: Cancel is the default button, and Escape
// or closing the box answers Cancel; only a click on OK answers OK.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "platform/AlertButtons.h"
#include "platform/qt/QtAlerts.h"

namespace korvane::platform {
namespace {

// Shows the alert and, once it is up, does `act` to it.
int ShowAndDo(int alertId, const std::function<void(QMessageBox&)>& act) {
  QtAlerts alerts(nullptr);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      poll.stop();
      act(*box);
    }
  });
  poll.start(5);
  return alerts.Show(AlertKind::Caution, alertId, "Korvane is about to open ", "/tmp/x", "\r",
                     "Open it with its program?");
}

void Press(QMessageBox& box, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&box, &press);
}

void Click(QMessageBox& box, const QString& title) {
  for (QAbstractButton* b : box.buttons())
    if (b->text() == title) b->click();
}

TEST(QtAlerts, AskingBeforeOpeningDefaultsToCancel) {
  EXPECT_EQ(ShowAndDo(kAskBeforeOpeningAlert, [](QMessageBox& b) { Press(b, Qt::Key_Return); }), 2);
  EXPECT_EQ(ShowAndDo(kAskBeforeOpeningAlert, [](QMessageBox& b) { Press(b, Qt::Key_Escape); }), 2);
  EXPECT_EQ(ShowAndDo(kAskBeforeOpeningAlert, [](QMessageBox& b) { b.close(); }), 2);
  EXPECT_EQ(ShowAndDo(kAskBeforeOpeningAlert, [](QMessageBox& b) { Click(b, "OK"); }), 1);
}

TEST(QtAlerts, OtherAlertsKeepTheirButtons) {
  // OK first and the default; Escape is Cancel.
  EXPECT_EQ(ShowAndDo(314, [](QMessageBox& b) { Press(b, Qt::Key_Return); }), 1);
  EXPECT_EQ(ShowAndDo(314, [](QMessageBox& b) { Press(b, Qt::Key_Escape); }), 2);
  EXPECT_EQ(ShowAndDo(311, [](QMessageBox& b) { b.close(); }), 3);
  // One button: every way out is OK.
  EXPECT_EQ(ShowAndDo(300, [](QMessageBox& b) { b.close(); }), 1);
  EXPECT_EQ(AlertCancelItem(303), 2);
  EXPECT_EQ(AlertCancelItem(300), 1);
}

}  // namespace
}  // namespace korvane::platform
