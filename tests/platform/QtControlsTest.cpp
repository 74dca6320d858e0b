// The numbered controls on Qt widgets, offscreen: what the program sets stays
// quiet, and only the user's actions are reported.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <utility>
#include <vector>

#include "platform/qt/QtControls.h"

namespace korvane::platform {
namespace {

class QtControlsTest : public ::testing::Test {
 protected:
  QtControlsTest() : controls(&window) {
    window.resize(600, 400);
    controls.onUserAction = [this](int id, ControlPart part) { actions.emplace_back(id, part); };
    controls.MakeScrollBar(8001, {584, 0, 600, 386});
  }
  QScrollBar* Bar() { return qobject_cast<QScrollBar*>(controls.Widget(8001)); }

  QWidget window;
  QtControls controls;
  std::vector<std::pair<int, ControlPart>> actions;
};

TEST_F(QtControlsTest, ValuesAndRangesSetByTheProgramAreNotReportedAsUserActions) {
  controls.SetScrollBarRange(8001, 24, 500, 24);
  controls.SetControlValue(8001, 300);
  controls.SetControlValue(8001, 1000);  // brought into the range
  controls.SetScrollBarRange(8001, 24, 100, 24);
  EXPECT_TRUE(actions.empty());
  EXPECT_EQ(controls.ControlValue(8001), 100);
  controls.SetControlValue(8001, 0);
  EXPECT_EQ(controls.ControlValue(8001), 24);
  EXPECT_TRUE(actions.empty());
}

TEST_F(QtControlsTest, TheUsersScrollBarActionsAreReportedWithTheNewValue) {
  controls.SetScrollBarRange(8001, 24, 500, 24);
  controls.SetControlValue(8001, 500);
  struct Case {
    QAbstractSlider::SliderAction action;
    ControlPart part;
    int value;
  };
  const Case cases[] = {
      {QAbstractSlider::SliderSingleStepSub, ControlPart::LineUp, 499},
      {QAbstractSlider::SliderPageStepSub, ControlPart::PageUp, 475},
      {QAbstractSlider::SliderSingleStepAdd, ControlPart::LineDown, 476},
      {QAbstractSlider::SliderPageStepAdd, ControlPart::PageDown, 500},
  };
  for (const Case& c : cases) {
    int seen = -1;
    controls.onUserAction = [&](int id, ControlPart part) {
      actions.emplace_back(id, part);
      seen = controls.ControlValue(id);  // read while the action is reported
    };
    Bar()->triggerAction(c.action);
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back(), std::make_pair(8001, c.part));
    EXPECT_EQ(seen, c.value);
    EXPECT_EQ(controls.ControlValue(8001), c.value);
  }
  EXPECT_EQ(actions.size(), 4u);
}

TEST_F(QtControlsTest, ButtonsAreMadeMovedRetitledAndClosedByNumber) {
  controls.MakeBevelButton(7001, {1, 356, 54, 371}, "F1");
  auto* button = qobject_cast<QPushButton*>(controls.Widget(7001));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->geometry(), QRect(1, 356, 53, 15));
  EXPECT_EQ(button->text(), "F1");
  EXPECT_EQ(button->parentWidget(), &window);
  controls.MakeBevelButton(7001, {0, 300, 62, 315}, "Help\xA5");  // moved, not made twice
  EXPECT_EQ(controls.Widget(7001), button);
  EXPECT_EQ(button->geometry(), QRect(0, 300, 62, 15));
  EXPECT_EQ(button->text(), QString::fromUtf8("Help\u2022")) << "titles are in the program's 8-bit set";
  controls.SetControlTitleFont(7001, kLabelFont, 12);
  EXPECT_EQ(button->font().pointSize(), 12);
  EXPECT_TRUE(actions.empty());
  button->click();
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0], std::make_pair(7001, ControlPart::Button));
  controls.CloseControl(7001);
  EXPECT_FALSE(controls.HasControl(7001));
  controls.CloseControl(7001);  // closing a missing control does nothing
  controls.SetControlValue(7002, 5);
  EXPECT_EQ(controls.ControlValue(7002), 0);
}

}  // namespace
}  // namespace korvane::platform
