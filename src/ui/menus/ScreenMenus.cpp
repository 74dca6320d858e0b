// The Screen menu (the scroll-back view, clearing the screen, the delays and
// the status window) and the Dialer menu.

#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {
constexpr char kNoWindow[] = "Must open Korvane\xAA window first (Under the File Menu)";
constexpr char kCr = 13;
}  // namespace

// ---- Screen menu ---------------------------------------------------------------------------

void MenuDispatcher::DoScrollBackMenu(int item) {
  using namespace screen_item;
  if (NeedsSessionWindow(kNoWindow)) return;
  SessionWindow& w = *Active();
  Session& s = w.session;
  Screen& sc = s.screen;
  SessionWindows& windows = Windows();
  const bool sessionInFront = SessionWindows::IsSessionWindow(windows.services.windows.FrontWindow());
  switch (item) {
    case kSnapshotPdf:
      if (sessionInFront) w.services.clipboard.SnapshotScreenAsPdf();
      break;
    case kPasteToHost:
      if (!sessionInFront) break;
      if (sc.ScrollBackViewShown) windows.ResetScrollbackView(w);
      w.services.clipboard.PasteToHost();
      break;
    case kPageUp:
    case kPageDown:
      if (s.Opt.ScrollBackOn != 1) {
        Alerts().NoteAlertText(platform::kPlainAlert, "Scroll Back option is not on.");
        break;
      }
      {
        const int16_t line = sc.ScrollBackViewLine;
        if (item == kPageUp)
          sc.ScrollBackViewPageUp();
        else
          sc.ScrollBackViewPageDown();
        // At either end of the scroll-back the view cannot move.
        if (sc.ScrollBackViewLine == line) w.services.sounds.Beep();
      }
      break;
    case kPreviousPage: w.services.dialogs.OpenDialog(kPreviousPageWindow); break;
    case kClearScreen:
    case kResetScreen:
      ClearSessionScreen(w, item == kResetScreen);
      if (item == kResetScreen) sc.ClearScrollback();
      w.services.pictures.RemoveInlinePictures();
      break;
    case kPaintBackground: sc.PaintTextAreaBackground(); break;
    case kFunctionKeyBar: sc.DrawFunctionKeyBar(); break;
    case kPasteDelay: w.services.dialogs.OpenDialog(kPasteDelayWindow); break;
    case kSendDelay: w.services.dialogs.OpenDialog(kSendDelaysWindow); break;
    case kBreakSignal: w.services.dialogs.OpenDialog(kBreakSignalWindow); break;
    case kStatusWindow: ToggleStatusWindow(w); break;
    default: break;
  }
  sc.port.Flush();
}

void MenuDispatcher::ClearSessionScreen(SessionWindow& w, bool reset) {
  Session& s = w.session;
  Screen& sc = s.screen;
  HostInput& in = s.input;
  if (reset) {
    sc.ScrollTop = 0;
    sc.ScrollBottom = 0;
    s.vt.ScrollTopSaved = 0;
  }
  // What the screen showed stays readable in the scroll-back.
  sc.SaveScreenToScrollback();
  // Host output stops where it is; what waits on the connection is read by
  // the next pass.
  Windows().services.busy.ShowArrow();
  in.SkipRestOfChunk = 1;
  in.HostChunkPos = in.HostChunkLast;
  if (s.Opt.XonXoffOn == 1) {
    s.conn.SendXoffXon();
    in.XoffSent = 0;
  }
  sc.DisplayOn = 1;
  // A reset brings back the session's own colours, whatever the host set.
  if (reset) sc.TakeSessionColours();
  sc.SetNormalTextStyle();
  if (reset) {
    Windows().RedrawWindow(w);
    sc.ResetAttributesAndClearScreen();
    sc.ComputeCellMetrics();
    sc.DrawFunctionKeyBar();
    w.services.capture.ShowCaptureStatus();
    sc.PaintTextAreaBackground();
  }
  sc.ClearScreenAndHome();
  sc.SetCursor(1, 1);
  sc.MoveToCell(1, 1);
  sc.RepaintPending = 1;
  // A serial host is given a carriage return to draw its prompt again.
  if (!s.Opt.UsesPty) s.conn.SendToHost("", kCr);
}

void MenuDispatcher::ToggleStatusWindow(SessionWindow& w) {
  SelectSessionWindowIfNone();
  SessionOptions& o = w.session.Opt;
  MarkChanged(w);
  o.StatusWindowShown = o.StatusWindowShown ? 0 : 1;
  w.services.capture.ShowCaptureStatus();
  w.session.screen.DrawFunctionKeyBar();
}

// ---- Dialer menu ---------------------------------------------------------------------------

void MenuDispatcher::DoDialerMenu(int item) {
  using namespace dialer_item;
  SessionWindow* w = Active();
  if (!w) return;
  SelectSessionWindowIfNone();
  Windows().ResetScrollbackView(*w);
  Session& s = w->session;
  SerialLine& serial = w->services.serial;
  auto serialOnly = [&]() {
    if (!s.Opt.UsesPty) return true;
    Alerts().StopAlertText(platform::kPlainAlert, "Cannot Dial unless Serial / Modem is selected.", "\r",
                           "(Look under the Connection Menu)");
    return false;
  };
  switch (item) {
    case kDial:
      if (serialOnly()) serial.Dial();
      break;
    case kQuickDialNumber: w->services.dialogs.OpenDialog(kQuickDialWindow); break;
    case kDialFromFile:
      if (serialOnly()) serial.DialFromQuickDialFile();
      break;
    case kAddService:
      if (FrontIsActiveSession()) serial.AddQuickDialService();
      break;
    case kDeleteFile: serial.DeleteQuickDialFile(); break;
    case kLoadList: serial.LoadQuickDialList(); break;
    case kHangUp: serial.HangUpModem(); break;
    case kTone:
    case kPulse:
      MarkChanged(*w);
      s.Opt.DialMode.assign(1, item == kTone ? 'T' : 'P');
      break;
    case kModemDtr:
      MarkChanged(*w);
      serial.ToggleModemDtr();
      break;
    case kModemInit:
      if (RefusedWhenLocked()) break;
      w->services.dialogs.OpenDialog(kModemInitWindow);
      break;
    default: break;
  }
}

}  // namespace korvane::ui
