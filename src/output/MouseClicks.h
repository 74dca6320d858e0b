#pragma once
// The mouse in a session window's text area: a click becomes a report to the
// host (plain or ENQ form), or opens the web or mail address under the
// pointer; a drag marks a rectangle that is copied to the clipboard.
//
// The main loop hands every press, drag and release of the text area to
// DoMouse, and calls Step on every turn: the short wait that tells a click
// from the start of a drag, and the flashes, run on the clock and never hold
// the loop.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "output/SelectionCopy.h"
#include "output/SelectionHost.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/SelectionFrame.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

enum class MouseEventKind { Press, Drag, Release };
enum class MouseButton { Left = 1, Middle = 2, Right = 3 };

struct MouseEvent {
  MouseEventKind kind = MouseEventKind::Press;
  int h = 0, v = 0;        // the pointer in the window's content, pixels
  uint16_t modifiers = 0;  // platform::ModifierBits held at the event
  int clicks = 1;          // Press: the platform's click count (0 counts as 1)
  MouseButton button = MouseButton::Left;
};

// The cell under a point, counted from 0 at the left edge and the top.
struct MouseCell {
  int column = 0, row = 0;
  friend bool operator==(const MouseCell&, const MouseCell&) = default;
};
MouseCell CellUnderPointer(const Screen& s, int h, int v);

// The plain report of a click: the column in three digits and the row in
// two ("012,04"), after ESC "MOUSE " when `prefix`, ending in CR.
std::string PlainMouseReport(MouseCell cell, bool prefix);
// The ENQ form: ENQ "2", the button code (0 for the release), ";", row,
// ";", column, CR.
std::string LocatorReport(MouseCell cell, int button);

// A web or mail address found in a row of the text area.
struct ClickedAddress {
  std::string url;                // what the desktop is asked to open
  int firstCol = 0, lastCol = 0;  // the word's cells in the row (1-based)
};
// The address under (row, col) of the text area (1-based), or nothing.
// `rowHasWebAddress` tells whether the row holds an address marker at all
// ("http:", "https:", "www." in any case).
std::optional<ClickedAddress> AddressAt(Screen& s, int row, int col, bool* rowHasWebAddress = nullptr);

class SessionMouse {
 public:
  using SendToHost = std::function<void(std::string_view)>;

  SessionMouse(Screen& screen, SessionOptions& options, SendToHost send, platform::Desktop& desktop,
               SelectionCopier& copier, platform::SelectionFrame& frame, SelectionHost& host, platform::Clock& clock);

  // A press, drag or release in the text area of the active session window.
  void DoMouse(const MouseEvent& e);
  // Runs what is due: the click after its wait, the end of a flash.
  void Step();
  // No click waits for its double and no address flashes.
  bool Idle() const { return state_ == State::Idle && !addressFlash_; }
  // Shows the pointer that announces the copy mode: the cross while Option
  // is held, the I-beam while Command is (both held: the I-beam).
  void SetMouseCursorShape(uint16_t modifiers);
  // The session's settings were applied: reports follow settings line 131.
  void ApplySettings() { MouseReportOn = opt_.MouseReports; }

  // Reports are sent at all (the settings, and the host's ESC ~ 1 / ESC ~ 2).
  int16_t MouseReportOn = 0;
  // Reports use the ENQ form (set with the emulation choice).
  int8_t LocatorMode = 0;
  // When set, a click is never taken for the start of a drag.
  int16_t ClickOption = 0;

  // The last press (and, after a drag, its release point) and its count.
  int16_t MouseX = 0, MouseY = 0;
  int16_t ClickCount = 1;
  int64_t LastClickTick = -1000;
  // The rectangle of the drag, and how it will be copied.
  Rect Selection{};
  int16_t CopyAsText = 1;
  int16_t CrossCursorShown = 0, IBeamCursorShown = 0;

  // Ticks a click waits before it acts, and the window in which a second
  // click counts as a double click (with `MouseOption` 1).
  static constexpr int64_t kClickWaitTicks = 12, kDoubleClickTicks = 18;
  // Pixels the pointer may move right during the wait before the click
  // becomes a drag.
  static constexpr int kDragSlop = 5;
  static constexpr int64_t kAddressFlashMs = 100;

 private:
  enum class State { Idle, ClickWait, Selecting, WaitRelease };
  void MouseDownHandler(const MouseEvent& e);
  void ActAfterWait();
  void MouseClickAction();
  bool OpenAddressUnderPointer(MouseCell cell);
  void StartSelection();
  void FollowDrag(int h, int v);
  void EndSelection(int h, int v);
  void EndAddressFlash();

  Screen& screen_;
  SessionOptions& opt_;
  SendToHost send_;
  platform::Desktop& desktop_;
  SelectionCopier& copier_;
  platform::SelectionFrame& frame_;
  SelectionHost& host_;
  platform::Clock& clock_;

  State state_ = State::Idle;
  int64_t waitEnd_ = 0;
  uint16_t modifiers_ = 0, pressModifiers_ = 0;
  MouseButton button_ = MouseButton::Left;
  bool released_ = false;
  int releaseH_ = 0, releaseV_ = 0;
  bool locatorPressSent_ = false;
  // The inverted cells of an address being opened.
  bool addressFlash_ = false;
  Rect addressFrame_{};
  int64_t addressFlashEndMs_ = 0;
};

}  // namespace korvane::output
