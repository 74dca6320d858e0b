// What a session window repaints when the program draws, offscreen: the
// drawn part of the back buffer, and no opaque control over it (a flood of
// output must not repaint the scroll-back bar once a frame).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QScrollBar>
#include <map>

#include "platform/InterfaceDescription.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtWindows.h"

namespace korvane::platform {
namespace {

class NoEvents final : public EventSink {
 public:
  void Post(const UiEvent&) override {}
};

// Counts the paint events of the widgets it watches.
class PaintCounter final : public QObject {
 public:
  void Watch(QWidget* w) {
    w->installEventFilter(this);
    counts_[w] = 0;
  }
  int Count(QWidget* w) const { return counts_.at(w); }
  void Reset() {
    for (auto& [w, n] : counts_) n = 0;
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      const auto it = counts_.find(static_cast<QWidget*>(o));
      if (it != counts_.end()) ++it->second;
    }
    return false;
  }

 private:
  std::map<QWidget*, int> counts_;
};

class QtWindowRepaintTest : public ::testing::Test {
 protected:
  static constexpr int kWindow = 1, kBar = 8001, kButton = 8002;
  QtWindowRepaintTest() : windows(sink, nullptr, description) {
    surface = windows.MakeSessionWindow(kWindow, "Session", 600, 400);
    surface.controls->MakeScrollBar(kBar, {584, 0, 600, 386});
    surface.controls->MakeBevelButton(kButton, {0, 386, 60, 400}, "F1");
    windows.Show(kWindow);
    Settle();
    bar = qobject_cast<QScrollBar*>(static_cast<QtControls*>(surface.controls)->Widget(kBar));
    button = qobject_cast<QPushButton*>(static_cast<QtControls*>(surface.controls)->Widget(kButton));
    counter.Watch(windows.View(kWindow));
    counter.Watch(bar);
    counter.Watch(button);
  }
  // Lets the window system deliver the repaints that are due.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  // Draws a rectangle of the back buffer and shows it, as a pass of host
  // output does; each time in a colour of its own unless `again`.
  void DrawAndShow(Rect r, bool again = false) {
    counter.Reset();
    if (!again) ++shade_;
    surface.port->ForeColour(RGB{static_cast<uint16_t>(shade_ * 4099), 0, 0});
    surface.port->PaintRect(r);
    surface.port->Flush();
    Settle();
  }

  NoEvents sink;
  InterfaceDescription description;
  QtWindows windows;
  SessionSurface surface;
  QScrollBar* bar = nullptr;
  QPushButton* button = nullptr;
  PaintCounter counter;

 private:
  int shade_ = 0;
};

TEST_F(QtWindowRepaintTest, DrawingUnderTheScrollBarRepaintsTheTextButNotTheBar) {
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(button, nullptr);
  QWidget* view = windows.View(kWindow);
  struct Case {
    const char* what;
    Rect drawn;
    bool viewPainted, barPainted, buttonPainted;
    bool again = false;  // the same pixels as the case before
  };
  const Case cases[] = {
      // A whole row of text, the bar's column included (an erase to the
      // window's edge, a scroll of the whole screen).
      {"a full-width row", {0, 100, 600, 115}, true, false, false},
      {"the whole window", {0, 0, 600, 400}, true, false, true},
      {"text left of the bar", {0, 0, 300, 15}, true, false, false},
      // A control the view shows through is drawn again over the new text.
      {"the row of the button", {0, 386, 300, 400}, true, false, true},
      // Drawing that leaves every pixel as it was (a repaint of cells that
      // did not change) shows nothing again, and the button is left alone.
      {"the same pixels again", {0, 386, 300, 400}, false, false, false, true},
  };
  for (const Case& c : cases) {
    DrawAndShow(c.drawn, c.again);
    EXPECT_EQ(counter.Count(view) > 0, c.viewPainted) << c.what;
    EXPECT_EQ(counter.Count(bar) > 0, c.barPainted) << c.what;
    EXPECT_EQ(counter.Count(button) > 0, c.buttonPainted) << c.what;
  }
}

}  // namespace
}  // namespace korvane::platform
