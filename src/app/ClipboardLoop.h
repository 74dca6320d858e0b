#pragma once
// What the main loop does for the clipboard and the mouse of the session
// windows: it hands the active window's mouse events to its mouse, steps
// every window's clicks, flashes and paste once a turn, shows the pointer
// that announces the copy mode, and ends a paste on Ctrl+.

#include <cstdint>

#include "platform/Events.h"
#include "platform/LiveKeys.h"

namespace korvane {
class SessionWindow;
class SessionWindows;
}  // namespace korvane

namespace korvane::app {

// A press, drag or release in session window w's view.
void DeliverMouseEvent(SessionWindow& w, const platform::UiEvent& e);

// Once a turn: every window's mouse, selection flash and paste go on; the
// window in front (none: null) shows the pointer for the modifiers held.
void StepSessionClipboards(SessionWindows& windows, SessionWindow* front, uint16_t heldModifiers);

// A key typed into a session window: Ctrl+. (or Super+.) while the window
// pastes ends the paste and is used up; true then.
bool EndPasteOnStopKey(SessionWindows& windows, const platform::UiEvent& e);

// The modifier bits of the modifier keys held down now.
uint16_t HeldModifiers(const platform::LiveKeys* keys);

}  // namespace korvane::app
