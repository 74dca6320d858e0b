#pragma once
// Short forms for reading and setting a dialog window's controls. A window
// that could not be made has no controls: every call on a null set does
// nothing and reads as off, empty or 0.

#include <string>

#include "platform/Controls.h"

namespace korvane::ui {

inline bool On(platform::Controls* c, int id) { return c && c->ControlValue(id) != 0; }
inline int Value(platform::Controls* c, int id) { return c ? c->ControlValue(id) : 0; }
inline void Set(platform::Controls* c, int id, bool on) {
  if (c) c->SetControlValue(id, on ? 1 : 0);
}
inline void SetValue(platform::Controls* c, int id, int value) {
  if (c) c->SetControlValue(id, value);
}
inline std::string Text(platform::Controls* c, int id) { return c ? c->ControlText(id) : std::string(); }
inline void SetText(platform::Controls* c, int id, const std::string& text) {
  if (c) c->SetControlText(id, text);
}
inline void Enable(platform::Controls* c, int id, bool active) {
  if (c) c->SetControlActive(id, active);
}
inline void Focus(platform::Controls* c, int id) {
  if (c) c->SetKeyboardFocus(id);
}

}  // namespace korvane::ui
