#pragma once
// The program's numbered windows on Qt.
//
// A session window is a top-level widget holding the shared menu bar and a
// view that shows the window's back buffer (a QtImagePort) with the numbered
// controls on top of it. Keys, clicks, the wheel, resizing, moving, the close
// box and activation are posted as UiEvents; none acts on the program.
//
// Which window is in front is kept here, most recently activated first: when
// the program brings a window to the front, its activation is reported at
// once, as the window system's own activation would report it (which some
// window systems never do for windows they were not asked about), so the
// program behaves the same on every display and offscreen.

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/Events.h"
#include "platform/InterfaceDescription.h"
#include "platform/LiveKeys.h"
#include "platform/Windows.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtImagePort.h"

class QMenuBar;

namespace korvane::platform {

class QtMenus;

class QtWindows final : public Windows {
 public:
  QtWindows(EventSink& sink, QtMenus* menus, const InterfaceDescription& description);
  ~QtWindows() override;

  SessionSurface MakeSessionWindow(int n, const std::string& title, int width, int height) override;
  bool MakeDialogWindow(int n, const std::string& name) override;
  Port* MakeStatusWindow(int n, const std::string& title, Rect frame, bool shown) override;
  bool Exists(int n) const override { return windows_.count(n) != 0; }
  Controls* WindowControls(int n) override;
  void Show(int n) override;
  void Hide(int n) override;
  void BringToFront(int n) override;
  void Close(int n) override;
  int FrontWindow() const override { return front_; }
  void SetTitle(int n, const std::string& title) override;
  std::string Title(int n) const override;
  bool IsCollapsed(int n) const override;
  void SetOpacity(int n, int percent) override;
  Size ContentSize(int n) const override;
  Rect ContentFrame(int n) const override;
  void SetContentSize(int n, int width, int height) override;
  Size MainScreenSize() const override;
  Size MainScreenResolution() const override;
  void ToggleFullScreen(int n) override;
  bool IsFullScreen(int n) const override;

  // For tests and the window code: the top-level widget, the session view
  // and the back buffer of window n (null when there is none).
  QWidget* TopLevel(int n) const;
  QWidget* View(int n) const;
  PixelImage ContentPixels(int n, Rect r) const override;
  QtImagePort* BackBuffer(int n) const;

  // Called by the widgets.
  void Activated(int n);
  void Post(const UiEvent& e) { sink_.Post(e); }

  // The key map the session windows keep up to date with the keys held down
  // (none: no map is kept).
  void SetKeyMap(TrackedKeyMap* map) { keyMap_ = map; }
  TrackedKeyMap* KeyMap() const { return keyMap_; }

 private:
  struct Entry {
    QPointer<QWidget> top;
    QPointer<QWidget> view;
    std::unique_ptr<QtImagePort> port;
    std::unique_ptr<QtControls> controls;
    std::string title;
  };
  void Forget(int n);

  EventSink& sink_;
  QtMenus* menus_;
  const InterfaceDescription& description_;
  std::map<int, Entry> windows_;
  std::vector<int> order_;  // front first
  int front_ = 0;
  TrackedKeyMap* keyMap_ = nullptr;
};

}  // namespace korvane::platform
