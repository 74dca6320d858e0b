// How long a turn of the main loop waits when nothing wakes it.
//
// While anything is stepped from turn to turn the loop looks again every
// tick, as it always did. When nothing is, it sleeps in the window system's
// dispatcher until the next thing that is due: the periodic pass (the
// cursor's blink), the scroll bar's next follow of a flood, the next frame of
// a repaint, the end of a reversed screen or of a notice that closes itself,
// a serial line's next step. A window event, a posted event (a script, a
// second start) and input on the watched connection end the wait sooner.

#include <algorithm>

#include "app/App.h"
#include "app/AppScripting.h"
#include "output/SessionClipboard.h"
#include "output/SessionPictures.h"
#include "output/SessionTransfers.h"

namespace korvane::app {

bool App::WorkEveryTurn() {
  // Start-up, handlers and requests left for the next pass.
  if (!IdlePassSeen || flags.StartUpFlag || !prefs.StartupComplete || !prefs.PendingDocuments.empty() ||
      !DocumentsPending.empty())
    return true;
  if (HandlerSelector != kNoHandler && HandlerSelector != kEventAndIdleHandler) return true;
  // A window just activated ignores clicks until the next turn without
  // events: that turn must come at once, or the user's first click in it is
  // lost however long after the activation it comes.
  if (MouseGuard || IgnoreNextClick) return true;
  if (ControlPRequest || ActivationRequest || WindowSelectRequest || TransferDoneCounter > 0 || RenameRequest ||
      ArrowCursorRequest || ShowWindowRequest || OpacityRequest || WindowMenuMarkRequest || ShowAfterStartRequest ||
      SaveRequest || StatusWindowRequest || MacFunctionKeyPending || PendingKeyWaiting || WheelMoved ||
      windows.WindowEventRequest)
    return true;
  const PendingRequests& r = requests;
  if (r.RequestOpenConnection || r.RequestQuickDial || r.RequestSendBreak || r.RequestSendControl ||
      r.RequestSendEscape || r.RequestSendTab || r.RequestCloseConnection)
    return true;
  if (!scripting->Idle() || !dialogs.Idle() || printServices.spooler.Busy()) return true;
  // A serial line or modem with a step to come (a break held, a modem
  // talked to or hung up) is stepped every tick.
  if (serialWakeMs_ >= 0) return true;
  // The requests of the active window, which the idle pass serves for it
  // alone (another window's wait until it is the active one again).
  if (SessionWindow* a = windows.Active()) {
    const WindowState& ws = a->session.window;
    const Screen& sc = a->session.screen;
    if (ws.WindowSizeCounter > 0 || ws.WindowSizeRequest || ws.SshUserNameRequest || ws.BackgroundRequest ||
        ws.ScrollBackResetRequest || ws.PendingCursorRow > 0)
      return true;
    if (sc.RedrawCounter > 0 || sc.BarRedrawRequest || sc.MarginRedrawRequest) return true;
  }
  // What the input pass of the window in front has left for its next pass.
  if (SessionWindow* f = ActiveInFront()) {
    const HostInput& in = f->session.input;
    if (in.FlushRequest || in.PendingCR || in.CollectMode || in.answers.Waiting() > 0) return true;
  }
  // What every window steps on its own.
  for (const int n : windows.Numbers()) {
    SessionWindow* w = windows.Find(n);
    if (!w) continue;
    Session& s = w->session;
    if (s.input.SendInProgress || !s.keys.PendingKeyStrings.empty()) return true;
    if (HostLink* link = s.conn.Link(); link && (link->OutputQueued() > 0 || link->HoldingEcho())) return true;
    if (w->services.capture.DeferredPrintWaiting()) return true;
    if (const output::SessionClipboard* c = output::SessionClipboardOf(*w); c && !c->Idle()) return true;
    if (const output::SessionTransfers* t = output::SessionTransfersOf(*w); t && !t->Idle()) return true;
    if (const output::SessionPictures* p = output::SessionPicturesOf(*w); p && !p->Idle()) return true;
  }
  return false;
}

int App::LoopWaitTicks() {
  const int slice = flags.EventTimeSlice;
  if (slice <= 0 || WorkEveryTurn()) return slice;
  const int64_t nowMs = platform.clock.Milliseconds();
  // The first tick at or after which each due thing can run, as milliseconds.
  auto tickStartMs = [](int64_t tick) { return (tick * 1000 + 59) / 60; };
  int64_t dueMs = tickStartMs(LastPeriodicTick + 31);
  auto due = [&](int64_t ms) { dueMs = std::min(dueMs, ms); };
  if (SessionWindow* a = windows.Active()) {
    const Screen& s = a->session.screen;
    const WindowState& ws = a->session.window;
    if (s.RepaintPending) due(ws.LastRepaintMs + FloodGate::kFrameMs);
    if (s.ReverseEndTick() != 0) due(tickStartMs(s.ReverseEndTick()));
    if (s.ScrollBarUpdateNeeded || s.ScrollBarValuePending) due(ws.LastScrollBarMs + kScrollBarMs);
  }
  if (const int64_t notice = menuHandlers->NoticeCloseMs(); notice != 0) due(notice);
  if (const int64_t printing = captureShared.notices.NextCloseMs(); printing != 0) due(printing);
  const int64_t waitMs = dueMs - nowMs;
  if (waitMs <= 0) return slice;
  const int64_t ticks = (waitMs * 60 + 999) / 1000;
  return static_cast<int>(std::clamp<int64_t>(ticks, slice, kLongestWaitTicks));
}

}  // namespace korvane::app
