#pragma once
// A Qt key event as the program takes keys: the character in Mac Roman, the
// key's virtual key code, and the modifier bits.
//
// The key code comes from the key's position (the scan code X11 and Wayland
// report, the Linux key code plus 8), so it does not depend on the layout or
// on Num Lock; where the window system gives no scan code (synthetic events)
// the Qt key stands in. Option is Alt, Control is Ctrl, Command is Super;
// Caps Lock is read from the native modifiers. PC keys without a Mac twin
// take the nearest one: Insert is Help, Num Lock is the keypad's Clear, and
// Print Screen, Scroll Lock and Pause are F13 to F15.
//
// Option with a key gives the character the Mac's US layout gives, taken from
// the key's position: the key translation recognises Option keys (function
// keys, control codes) by the Option modifier and the key, so a national
// layout's own characters (typed without Alt) pass as themselves.

#include "platform/Events.h"

class QKeyEvent;

namespace korvane::platform {

KeyPress KeyPressFrom(const QKeyEvent& event);

// The virtual key code of a scan code (Linux key code + 8); -1 when unknown.
int MacKeyCodeOfScanCode(unsigned scanCode);

}  // namespace korvane::platform
