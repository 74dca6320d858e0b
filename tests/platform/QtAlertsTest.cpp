// The asking alert on Qt, offscreen: Cancel is the default button, and Escape
// or closing the box answers Cancel; only a click on OK answers OK.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

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

// An alert left up without waiting: Open returns while the box is still up,
// and the answer arrives when the user gives it, Cancel for Escape and the
// close box.
struct OpenCase {
  const char* name;
  int alertId;
  std::function<void(QMessageBox&)> act;
  int expected;
};

class QtAlertsOpen : public ::testing::TestWithParam<OpenCase> {};

QMessageBox* VisibleBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
  return nullptr;
}

TEST_P(QtAlertsOpen, ReturnsAtOnceAndAnswersWhenTheUserDoes) {
  const OpenCase& c = GetParam();
  QtAlerts alerts(nullptr);
  std::vector<int> answers;
  const int opened = alerts.Open(AlertKind::Caution, c.alertId, "The host asks to open ", "/tmp/x", "\r", "",
                                 [&](int button) { answers.push_back(button); });
  EXPECT_NE(opened, 0);
  QApplication::processEvents();
  QMessageBox* box = VisibleBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(answers.empty());
  c.act(*box);
  for (int i = 0; i < 10 && answers.empty(); ++i) QApplication::processEvents();
  EXPECT_EQ(answers, std::vector<int>{c.expected});
  for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(VisibleBox(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, QtAlertsOpen,
    ::testing::Values(
        OpenCase{"ReturnIsCancel", kAskBeforeOpeningAlert, [](QMessageBox& b) { Press(b, Qt::Key_Return); }, 2},
        OpenCase{"EscapeIsCancel", kAskBeforeOpeningAlert, [](QMessageBox& b) { Press(b, Qt::Key_Escape); }, 2},
        OpenCase{"CloseBoxIsCancel", kAskBeforeOpeningAlert, [](QMessageBox& b) { b.close(); }, 2},
        OpenCase{"OkIsOk", kAskBeforeOpeningAlert, [](QMessageBox& b) { Click(b, "OK"); }, 1},
        OpenCase{"PageEscapeIsCancel", kAskBeforeOpeningPageAlert, [](QMessageBox& b) { Press(b, Qt::Key_Escape); }, 2},
        OpenCase{"PageDontAskAgain", kAskBeforeOpeningPageAlert,
                 [](QMessageBox& b) { Click(b, "OK, and don't ask again for this session"); }, 3},
        OpenCase{"NoteClosedIsOk", 300, [](QMessageBox& b) { b.close(); }, 1}),
    [](const ::testing::TestParamInfo<OpenCase>& c) { return std::string(c.param.name); });

TEST(QtAlerts, ADismissedAlertGoesWithoutAnswering) {
  QtAlerts alerts(nullptr);
  int answered = 0;
  const int opened = alerts.Open(AlertKind::Note, 300, "The host says hello", "", "", "", [&](int) { ++answered; });
  QApplication::processEvents();
  ASSERT_NE(VisibleBox(), nullptr);
  alerts.Dismiss(opened);
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(VisibleBox(), nullptr);
  EXPECT_EQ(answered, 0);
}

}  // namespace
}  // namespace korvane::platform
