// The selection's frame and the pointer shapes on a Qt widget, offscreen.

#include "platform/qt/QtSelectionFrame.h"

#include <gtest/gtest.h>

#include <QRubberBand>
#include <QWidget>

namespace korvane::platform {
namespace {

TEST(QtSelectionFrameTest, FrameFollowsTheRectangleOverTheWidget) {
  QWidget area;
  area.resize(400, 300);
  area.show();
  QtSelectionFrame frame(&area);
  auto* band = area.findChild<QRubberBand*>();
  ASSERT_NE(band, nullptr);
  EXPECT_FALSE(band->isVisible());
  frame.ShowFrame({10, 20, 110, 70});
  EXPECT_TRUE(band->isVisible());
  EXPECT_EQ(band->geometry(), QRect(10, 20, 100, 50));
  frame.ShowFrame({0, 0, 400, 300});
  EXPECT_EQ(band->geometry(), QRect(0, 0, 400, 300));
  frame.HideFrame();
  EXPECT_FALSE(band->isVisible());
}

TEST(QtSelectionFrameTest, PointerShapes) {
  QWidget area;
  QtSelectionFrame frame(&area);
  frame.SetPointerShape(PointerShape::IBeam);
  EXPECT_EQ(area.cursor().shape(), Qt::IBeamCursor);
  frame.SetPointerShape(PointerShape::Cross);
  EXPECT_EQ(area.cursor().shape(), Qt::CrossCursor);
  frame.SetPointerShape(PointerShape::Arrow);
  EXPECT_EQ(area.cursor().shape(), Qt::ArrowCursor);
}

TEST(QtSelectionFrameTest, OutlivesItsWidget) {
  auto* area = new QWidget;
  QtSelectionFrame frame(area);
  delete area;
  frame.ShowFrame({1, 1, 5, 5});
  frame.SetPointerShape(PointerShape::IBeam);
}

}  // namespace
}  // namespace korvane::platform
