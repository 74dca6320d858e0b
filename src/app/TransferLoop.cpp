#include "app/TransferLoop.h"

#include "output/SessionPictures.h"
#include "output/SessionTransfers.h"
#include "platform/MacKeys.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

void StepSessionTransfers(SessionWindows& windows) {
  for (const int n : windows.Numbers()) {
    SessionWindow* w = windows.Find(n);
    if (!w) continue;
    if (output::SessionTransfers* t = output::SessionTransfersOf(*w)) t->Step();
    if (output::SessionPictures* p = output::SessionPicturesOf(*w)) p->Step();
  }
}

namespace {

// The output hold: the idle pass reads nothing while it lasts.
bool ToggleOutputHold(SessionWindow& w) {
  Session& s = w.session;
  HostInput& in = s.input;
  if (in.OutputHeld) {
    in.OutputHeld = 0;
    if (s.Opt.XonXoffOn == 1) s.conn.SendXoffXon();
  } else {
    in.OutputHeld = 1;
    if (s.Opt.XonXoffOn == 1) s.conn.SendXoff();
  }
  return true;
}

}  // namespace

bool TransferKeys(SessionWindows& windows, const platform::UiEvent& e) {
  if (e.kind != platform::UiEventKind::Dialog ||
      (e.type != platform::kKeyTyped && e.type != platform::kCommandKeyTyped))
    return false;
  if (!SessionWindows::IsSessionWindow(e.window)) return false;
  SessionWindow* w = windows.Find(e.window);
  if (!w) return false;
  const uint16_t mods = e.key.modifiers;
  const bool command = (mods & platform::kCommandModifier) != 0;
  // Super with Alt and a letter or digit is the Wyse 370's command keys.
  const bool commandAlone = command && (mods & platform::kOptionModifier) == 0;
  const bool control = (mods & platform::kControlModifier) != 0;
  const bool shift = (mods & platform::kShiftModifier) != 0;
  output::SessionTransfers* t = output::SessionTransfersOf(*w);
  switch (e.key.keyCode) {
    case platform::kKeyPeriod: return (command || control) && t && t->CancelKey();
    case platform::kKey1:
      if (commandAlone || (control && shift)) return ToggleOutputHold(*w);
      return false;
    case platform::kKeyM: return (commandAlone || (control && shift)) && t && t->EraseLinesMessage();
    default: return false;
  }
}

}  // namespace korvane::app
