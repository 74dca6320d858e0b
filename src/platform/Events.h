#pragma once
// What the window system reports to the program, and the wait in its
// dispatcher.
//
// The window system never acts on the program's state: each thing the user
// does (a key, a click, a menu choice, a window closed, moved, resized or
// brought to the front) becomes one UiEvent handed to an EventSink. The main
// loop takes them in arrival order; none is overwritten by a later one.

#include <cstdint>
#include <string>

#include "platform/HostLink.h"

namespace korvane::platform {

// Dialog-event types: what a window or control event is, as the event vector
// receives it.
enum DialogEventType : int16_t {
  kControlHit = 1,        // number: the control; the control's value is already updated
  kInactiveClick = 3,     // number: the window clicked while it was not the front window
  kCloseBox = 4,          // number: the window
  kContentDraw = 5,       // number: the window whose content must be drawn
  kZoomed = 8,            // number: the window
  kKeyTyped = 16,         // number: the character code (Mac Roman) of a key without Command
  kWindowActivated = 18,  // number: the window brought to the front (negative: sent to the back)
  kAppActivated = 19,     // number: 1 the application came to the front, 2 it went to the back
  kWindowNotice = 22,     // number: 2 resizing started, 3 moved, 9 dragging started
  kCommandKeyTyped = 24,  // number: the character code of a key typed with Command
  kSizeChanged = 30,      // number: the window
};

// Modifier bits of a key or click, as the key code tables name them.
enum ModifierBits : uint16_t {
  kCommandModifier = 0x0100,
  kShiftModifier = 0x0200,
  kCapsLockModifier = 0x0400,
  kOptionModifier = 0x0800,
  kControlModifier = 0x1000,
};

// A key pressed in a window.
struct KeyPress {
  // The character the key gives, as Mac Roman bytes (one byte for an
  // ordinary key; empty for a key without a character).
  std::string text;
  // The key's virtual key code in the program's key code table, -1 unknown.
  int keyCode = -1;
  uint16_t modifiers = 0;
  bool autoRepeat = false;
  // The key gave a character the program has no code for (one Mac Roman
  // lacks): `text` is empty, and the user hears the bell instead.
  bool uncodedCharacter = false;
};

enum class UiEventKind : uint8_t {
  Dialog,   // a window or control event: type, number, window
  Menu,     // a menu choice: number (the menu), item
  Click,    // a mouse-down in a window: window, h, v, clicks, button, modifiers
  Wheel,    // the mouse wheel: window, wheelDelta (lines; positive towards older lines)
  Quit,     // the application is asked to quit (the desktop's quit, a signal)
  Drag,     // the pointer moved while a button is held: window, h, v, button, modifiers
  Release,  // a mouse button came up: window, h, v, button, modifiers
};

struct UiEvent {
  UiEventKind kind = UiEventKind::Dialog;
  int16_t type = 0;    // Dialog: a DialogEventType
  int16_t number = 0;  // Dialog: as the type says; Menu: the menu number
  int16_t item = 0;    // Menu: the item number
  int16_t window = 0;  // the window the event belongs to, 0 for the application
  KeyPress key;        // Dialog kKeyTyped / kCommandKeyTyped
  int32_t wheelDelta = 0;
  int h = 0, v = 0, clicks = 0;  // Click, Drag, Release: the point in the window's content
  uint16_t modifiers = 0;        // Click, Drag, Release
  int8_t button = 1;             // Click, Drag, Release: 1 the first (left), 2 the middle, 3 the right
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Post(const UiEvent& event) = 0;
};

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Lets the window system deliver its events for up to `ticks` ticks
  // (sixtieths of a second). Returns as soon as an event was posted, as soon
  // as `watched` (when not null) has input waiting, or when the time is up.
  // Waiting costs no processor time.
  virtual void Deliver(int ticks, HostLink* watched) = 0;
};

}  // namespace korvane::platform
