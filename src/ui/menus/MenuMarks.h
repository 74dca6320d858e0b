#pragma once
// The menu bar shows the active session: its connection kind, emulation,
// serial line, font size, capture and the other settings with a check mark,
// and the items that the session's kind of connection cannot use dimmed. The
// marks are set again from the session after every settings load, window
// switch and menu choice, so that they never drift from what the session does.

#include <string>

namespace korvane {
class SessionWindow;
}

namespace korvane::ui {

// Every mark and enabled state that follows session window w (the active
// one; the menu bar shows one session at a time).
void ShowSessionMarks(SessionWindow& w);

// The Emulate menu's item of the emulation the flags choose (1 Prism ... 8
// Wyse 370), 0 when none is chosen.
int EmulationItemOfFlags(const std::string& emulationName);

// The full-screen item's text for the window's state, in the user's language.
std::string FullScreenItemText(bool fullScreen);

}  // namespace korvane::ui
