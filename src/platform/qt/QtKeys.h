#pragma once
// A Qt key event as the program takes keys: the character in Mac Roman, the
// key's virtual key code, and the modifier bits.

#include "platform/Events.h"

class QKeyEvent;

namespace korvane::platform {

KeyPress KeyPressFrom(const QKeyEvent& event);

}  // namespace korvane::platform
