#pragma once
// The layout of the active session window and the status window (window
// 4): the text size by the screen and the font-size settings, the session
// window's place (centred, where it was remembered, or fixed on small
// screens), and the status strip along the bottom of the screen, or put out
// of sight. The status window itself shows the status line: the date, the
// emulation's name and the indicators of the capture modes.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Port.h"
#include "platform/Windows.h"
#include "settings/SessionOptions.h"

namespace korvane::ui {

constexpr int kStatusWindowNumber = 4;

// What the layout reads and changes of the session window besides its
// settings record.
struct SessionLayoutState {
  int16_t WindowWidth = 640, WindowHeight = 480;  // the window size of the session
  int16_t SmallScreen = 0;                        // the 512 x 342 layout is in use
  int16_t CentreWindows = 0;                      // the window is centred across the screen
  int16_t RememberedLeft = 0, RememberedTop = 0;  // where it was last placed
  int16_t ForceDefaultLayout = 0;                 // the size rules, whatever is remembered (cleared by the layout)
  int16_t CascadeNewWindow = 0;                   // a new window opens 40 pixels lower
};

struct CellSize {
  int height = 0, descent = 0;  // of the screen font at a text size
};

struct StatusLayout {
  enum class Placement {
    Rect,   // the session window takes sessionRect
    Front,  // it is only brought to the front where it is
    Keep,   // no rule applied: it keeps its place
  };
  Placement session = Placement::Keep;
  platform::Rect sessionRect;  // screen pixels: left, top, right, bottom
  int textSize = 12;
  std::string statusTitle;    // "Status" or "Status Window"
  platform::Rect statusRect;  // screen pixels
  bool statusShown = true;    // "Status Window" lies below the screen: not shown
  // The layout ended with the status window (the large standard font of the
  // size rules): none of the session window's own steps follow.
  bool stoppedEarly = false;
  // The size rules mark the Window menu's standard (item 1) and large
  // standard (item 2) font items.
  bool sizeRules = false, standardFontMarked = false, largeFontMarked = false;
};

// Lays the two windows out for a screen of `screen` pixels, with the cell
// size of the screen font at each text size from `cellFor`. Changes the
// record and the state as the layout does (the remembered place brought onto
// the screen, the font-size name, the small-screen layout).
StatusLayout LayOutStatusWindow(SessionOptions& Opt, SessionLayoutState& st, platform::Size screen,
                                const std::function<CellSize(int textSize)>& cellFor);

// The status window as the program shows it.
class StatusWindow {
 public:
  explicit StatusWindow(platform::Windows& windows) : windows_(windows) {}

  // Lays out (the session window's placement is the caller's) and makes
  // window 4 again where the layout puts it.
  StatusLayout DrawStatusWindow(SessionOptions& Opt, SessionLayoutState& st,
                                const std::function<CellSize(int)>& cellFor);
  // Makes window 4 again where `layout` puts it.
  void MakeWindow(const StatusLayout& layout);
  // The status line's date and emulation name, in the wide layout for a text
  // size above 9; nothing while the status window is out of sight.
  void WriteDateLine(const SessionOptions& Opt, const std::string& date, const std::string& emulationName);
  // An indicator of the status line (text in the program's Mac Roman) with
  // the pen at `pen`: inverse, in letters of the strip's white on a block of
  // the indicators' colour, one 7-pixel cell each; nothing while the status
  // window is out of sight.
  void WriteIndicator(const SessionOptions& Opt, platform::Point pen, const std::string& text);
  // The status window's drawing port (null before it was made).
  platform::Port* port() const { return port_; }
  // The indicators' colour.
  static constexpr platform::RGB kIndicatorColour{39321, 0, 65535};

 private:
  // The port while the status line is shown and window 4 is there.
  platform::Port* ShownPort(const SessionOptions& Opt) const;
  void Draw(const std::string& text);

  platform::Windows& windows_;
  platform::Port* port_ = nullptr;
};

}  // namespace korvane::ui
