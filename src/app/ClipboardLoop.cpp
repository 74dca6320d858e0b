#include "app/ClipboardLoop.h"

#include "output/SessionClipboard.h"
#include "platform/MacKeys.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

namespace {

output::MouseButton ButtonOf(int8_t button) {
  switch (button) {
    case 2: return output::MouseButton::Middle;
    case 3: return output::MouseButton::Right;
    default: return output::MouseButton::Left;
  }
}

bool KeyDown(const platform::KeyMap& map, int keyCode) {
  return (map[static_cast<size_t>(keyCode / 8)] >> (keyCode % 8)) & 1;
}

}  // namespace

void DeliverMouseEvent(SessionWindow& w, const platform::UiEvent& e) {
  output::SessionClipboard* c = output::SessionClipboardOf(w);
  if (!c) return;
  output::MouseEvent m;
  switch (e.kind) {
    case platform::UiEventKind::Click: m.kind = output::MouseEventKind::Press; break;
    case platform::UiEventKind::Drag: m.kind = output::MouseEventKind::Drag; break;
    case platform::UiEventKind::Release: m.kind = output::MouseEventKind::Release; break;
    default: return;
  }
  m.h = e.h;
  m.v = e.v;
  m.modifiers = e.modifiers;
  m.clicks = e.clicks;
  m.button = ButtonOf(e.button);
  c->DoMouse(m);
}

void StepSessionClipboards(SessionWindows& windows, SessionWindow* front, uint16_t heldModifiers) {
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n))
      if (output::SessionClipboard* c = output::SessionClipboardOf(*w)) c->Step();
  if (front)
    if (output::SessionClipboard* c = output::SessionClipboardOf(*front)) c->SetMouseCursorShape(heldModifiers);
}

bool EndPasteOnStopKey(SessionWindows& windows, const platform::UiEvent& e) {
  if (e.kind != platform::UiEventKind::Dialog ||
      (e.type != platform::kKeyTyped && e.type != platform::kCommandKeyTyped))
    return false;
  if (e.key.keyCode != platform::kKeyPeriod ||
      !(e.key.modifiers & (platform::kControlModifier | platform::kCommandModifier)))
    return false;
  SessionWindow* w = windows.Find(e.window);
  output::SessionClipboard* c = w ? output::SessionClipboardOf(*w) : nullptr;
  return c && c->CancelPaste();
}

uint16_t HeldModifiers(const platform::LiveKeys* keys) {
  if (!keys) return 0;
  const platform::KeyMap map = keys->GetKeys();
  uint16_t bits = 0;
  if (KeyDown(map, platform::kKeyOption) || KeyDown(map, platform::kKeyRightOption)) bits |= platform::kOptionModifier;
  if (KeyDown(map, platform::kKeyCommand) || KeyDown(map, platform::kKeyRightCommand))
    bits |= platform::kCommandModifier;
  if (KeyDown(map, platform::kKeyControl) || KeyDown(map, platform::kKeyRightControl))
    bits |= platform::kControlModifier;
  if (KeyDown(map, platform::kKeyShift) || KeyDown(map, platform::kKeyRightShift)) bits |= platform::kShiftModifier;
  return bits;
}

}  // namespace korvane::app
