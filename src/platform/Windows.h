#pragma once
// The program's windows, each addressed by its number: the session windows,
// made at run time with a drawing port and numbered controls, and the dialog
// windows, made from the interface description by name. Titles are Mac Roman.
//
// The window system reports what happens to a window (brought to the front,
// resized, closed by the user) as UiEvents; the operations here only do what
// the program asks. Operations on a number without a window do nothing.

#include <string>

#include "platform/Controls.h"
#include "platform/Port.h"
#include "platform/Printing.h"

namespace korvane::platform {

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// The drawing port and the controls of a session window's content area.
struct SessionSurface {
  Port* port = nullptr;
  Controls* controls = nullptr;
};

class Windows {
 public:
  virtual ~Windows() = default;

  // Makes session window n, hidden, with a content area of width x height
  // pixels, and gives its port and controls (which live as long as the window).
  virtual SessionSurface MakeSessionWindow(int n, const std::string& title, int width, int height) = 0;
  // Makes dialog window n, hidden, from the described window `name`. False
  // when the description has no such window: an empty window titled
  // "Untitled" is made instead.
  virtual bool MakeDialogWindow(int n, const std::string& name) = 0;
  // Makes status window n, or makes it again: its content lies at `frame`
  // (screen pixels), with no title bar; it never takes the keyboard, never
  // becomes the front window and reports no events. Shown or hidden. Its
  // port lives as long as the window.
  virtual Port* MakeStatusWindow(int n, const std::string& title, Rect frame, bool shown) = 0;
  virtual bool Exists(int n) const = 0;
  // The numbered controls of window n (a session window's buttons and scroll
  // bar, a dialog window's fields and buttons); null when there is no window n.
  virtual Controls* WindowControls(int n) = 0;

  virtual void Show(int n) = 0;
  virtual void Hide(int n) = 0;
  // Shows window n, raises it and makes it the front window. When it was not
  // the front window, its activation is reported (kWindowActivated).
  virtual void BringToFront(int n) = 0;
  // Disposes of window n; the window behind it becomes the front window
  // without an activation being reported.
  virtual void Close(int n) = 0;
  // The front window's number, 0 when no window is open.
  virtual int FrontWindow() const = 0;

  virtual void SetTitle(int n, const std::string& title) = 0;
  virtual std::string Title(int n) const = 0;
  // The window is minimised (collapsed): nothing of it is seen.
  virtual bool IsCollapsed(int n) const = 0;
  // Opacity in percent (100 opaque).
  virtual void SetOpacity(int n, int percent) = 0;
  virtual Size ContentSize(int n) const = 0;
  // Where window n's content area lies on the screen; an empty rectangle
  // when the window system does not tell.
  virtual Rect ContentFrame(int n) const = 0;
  // Gives window n a content area of width x height pixels (its port takes the
  // size at once). A size the program sets is not reported back.
  virtual void SetContentSize(int n, int width, int height) = 0;
  // The pixels of window n's content inside `r` (clipped to the content), as
  // they are drawn now; an empty picture when there is no such window.
  virtual PixelImage ContentPixels(int n, Rect r) const = 0;
  // The size of the main screen the windows are shown on.
  virtual Size MainScreenSize() const = 0;
  // The main screen's resolution: the whole screen, the desktop's panels
  // included.
  virtual Size MainScreenResolution() const = 0;
  // Full screen: window n takes the whole screen, or its own size again.
  // The size the window takes is reported as the user's resizing is.
  virtual void ToggleFullScreen(int n) = 0;
  virtual bool IsFullScreen(int n) const = 0;
};

}  // namespace korvane::platform
