// The idle pass, the pass after an event, the key pass and the periodic pass.

#include <algorithm>

#include "app/App.h"
#include "settings/FileKinds.h"
#include "platform/MenuNumbers.h"

namespace korvane::app {

void App::DoEventAndIdle() {
  if (onDispatch) onDispatch(kEventAndIdleHandler, HandlerKind);
  switch (HandlerKind) {
    case 1: HandlerSelector = kNoHandler; break;
    case 3: ScrollBarTracking = 0; break;
    case 5: {
      // A typed key goes to the host of the window it was typed into (the
      // active one, unless a command that came before it opened another).
      SessionWindow* w = PendingKeyWaiting ? windows.Find(PendingKeyWindow) : nullptr;
      if (!w && MacFunctionKeyNumber != 0) w = windows.Find(FunctionKeyWindow);
      if (!w) w = windows.Active();
      keyState.IsKeypadKey();
      // Character 16 stands for no key of its own: the function keys and
      // Control-P give it, and both are decoded from their key codes after
      // the event (the function key comes back on the rerun, Control-P on
      // the idle pass).
      if (PendingKey.text == "\x10") PendingKey.text.clear();
      if (!w || w->session.input.HoldOutput) break;
      int fkey = MacFunctionKeyNumber;
      keyState.DecodeSpecialKeys();
      if (fkey != 0 && keyState.ShiftKeyDown) fkey += 16;
      if (!PendingKeyWaiting && fkey == 0) break;
      Screen& s = w->session.screen;
      if (s.CursorDrawn) s.EraseTextCursor();
      platform::KeyPress key = PendingKey;
      PendingKeyWaiting = 0;
      PendingKey = {};
      if (SerialLineTakesKey(*w)) break;
      keys->TranslateKeyPress(*w, key, fkey);
      break;
    }
    case 7: IdlePass(); break;
    case 8: PassAfterEvent(); break;
    default: break;
  }
}

void App::ServeRepaint(SessionWindow& w) {
  Screen& s = w.session.screen;
  s.ContinueScreenReverse();
  if (!s.RepaintPending) return;
  const int64_t now = platform.clock.Milliseconds();
  // While output keeps coming, the window catches up with the planes at most
  // once a frame.
  if (now - w.session.window.LastRepaintMs < FloodGate::kFrameMs) return;
  s.RepaintPending = 0;
  {
    FloodGate::RepaintScope scope(w.gate);
    s.ScrollBarFollowsLater = true;
    s.RedrawScreenFromBuffers();
    s.ScrollBarFollowsLater = false;
  }
  w.session.window.LastRepaintMs = now;
  s.port.Flush();
}

void App::IdlePass() {
  SessionWindow* active = windows.Active();
  SessionWindow* front = ActiveInFront();
  // Clicks count again from the first pass after a null event.
  MouseGuard = 0;

  ServeControlP(active);
  ServeActivation();
  ServeStatusWindow(active);
  ServePendingCursor(active);
  ServeHostInput(front);
  ServeKeyStrings();
  ServeWindowSizeReport(active);
  // Full screen (the item's text, the rows fitted after leaving it) and the
  // emulation notice that closes itself.
  menuHandlers->IdlePass();
  ServeTransferDoneNotice();
  ServeWindowMenuRename(active);
  ServeWindowSizeRequest(active);
  ServeSshUserName(active);
  // The dialog windows' own timed steps (the emulation notice closes).
  dialogs.IdlePass();
  ServeArrowCursor();
  ServeWindowEvent();
  ServeWindowSelection();
  ServeWindowDecorations(active, front);
  IgnoreNextClick = 0;
  active = ServeHandedDocuments(active);
  ServeShowWindow(active);
  ServePrintingAndCapture();
  ServeRepaints();
  RunPendingCommand();
  ServeOpacity();
  ServeWindowMenuMark();
  ServeShowAfterStart(active);
  ServeScrollBar();
  ServeSaveAsDefaults(active);
  ServeLaunchDocuments();
  // The connection mark in the title.
  if (SessionWindow* f = ActiveInFront()) windows.ShowConnectionMark(*f);
  flags.StartUpFlag = 0;
}

// Control-P goes to the window it was typed into.
void App::ServeControlP(SessionWindow* active) {
  if (!ControlPRequest) return;
  ControlPRequest = 0;
  SessionWindow* w = windows.Find(ControlPWindow);
  if (!w) w = active;
  if (w) {
    platform::KeyPress key;
    key.text = "\x10";
    keys->TranslateKeyPress(*w, key, 0);
  }
}

void App::ServeActivation() {
  if (!ActivationRequest) return;
  ActivationRequest = 0;
  windows.DoWindowEvent(3, ActivationWindow);
}

// The status window shows the active session.
void App::ServeStatusWindow(SessionWindow* active) {
  if (active && !flags.Quitting && (StatusWindowRequest || statusStrip.Stale(*active))) {
    StatusWindowRequest = 0;
    statusStrip.Draw(*active);
  }
}

void App::ServePendingCursor(SessionWindow* active) {
  if (!active || active->session.window.PendingCursorRow <= 0) return;
  Screen& s = active->session.screen;
  s.SetCursorRow(active->session.window.PendingCursorRow);
  s.SetCursorCol(std::max<int16_t>(1, active->session.window.PendingCursorCol));
  active->session.window.PendingCursorRow = active->session.window.PendingCursorCol = 0;
}

// Host input, for the active session only, and only while its window is in
// front.
void App::ServeHostInput(SessionWindow* front) {
  if (!front || front->session.input.HoldOutput || front->session.input.OutputHeld) return;
  front->session.window.FramePending = 0;
  // The window frame: the function-key bar stands below the text whenever
  // the settings show it (a new window has none yet).
  Screen& fs = front->session.screen;
  if (!fs.FkeyBarMade && fs.Opt.HostFeatureOption == 1 && fs.Opt.FkeyBarShown == 0 && !fs.BarRedrawRequest)
    fs.DrawFunctionKeyBar();
  // Host input shows what it drew once a tick; the window is not asked to
  // show it again after every pass.
  if (front->Connected() || front->session.conn.UsesPty) front->session.input.ProcessHostInput();
  front->ServeConnectionEnd();
}

// Key strings waiting for a delay go on, each to its own session's host.
void App::ServeKeyStrings() {
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n)) keys->ContinueKeyStrings(*w);
  // What each session's host has not taken yet goes out as it makes room.
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n); w && w->session.conn.Link()) w->session.conn.Link()->SendQueuedOutput();
}

// The window size goes to the host on the pass after it was asked for.
void App::ServeWindowSizeReport(SessionWindow* active) {
  if (!active || active->session.window.WindowSizeCounter <= 0) return;
  if (++active->session.window.WindowSizeCounter > 1) {
    active->session.window.WindowSizeCounter = 0;
    active->session.input.SendWindowSizeToHost();
  }
}

// The notice at the end of a transfer, 200 passes later.
void App::ServeTransferDoneNotice() {
  if (TransferDoneCounter > 0 && ++TransferDoneCounter > 200) {
    TransferDoneCounter = 0;
    alerts.NoteAlertText(platform::kPlainAlert, "File transfer done");
  }
}

// The Window-menu item of the active window again.
void App::ServeWindowMenuRename(SessionWindow* active) {
  if (!RenameRequest) return;
  RenameRequest = 0;
  if (active) {
    windowMenu.TitleWindowNumber = active->Number();
    const std::string t = active->session.window.ItemTitle + "  ";
    windowMenu.RenameWindowMenuItem(t, t);
  }
}

void App::ServeWindowSizeRequest(SessionWindow* active) {
  if (!active || !active->session.window.WindowSizeRequest) return;
  active->session.window.WindowSizeRequest = 0;
  active->session.input.SendWindowSizeToHost();
}

// A secure-shell session without a user name asks for one.
void App::ServeSshUserName(SessionWindow* active) {
  if (!active || !active->session.window.SshUserNameRequest) return;
  active->session.window.SshUserNameRequest = 0;
  active->services.dialogs.AskSshUserName();
}

void App::ServeArrowCursor() {
  if (!ArrowCursorRequest) return;
  ArrowCursorRequest = 0;
  busy.ShowArrow();
}

// A window event asked for by another event.
void App::ServeWindowEvent() {
  if (!windows.WindowEventRequest) return;
  windows.WindowEventRequest = 0;
  windows.DoWindowEvent(3, windows.RequestedEventWindow);
}

// A window chosen from the Window menu comes to the front (its activation
// then switches the active session).
void App::ServeWindowSelection() {
  if (!WindowSelectRequest) return;
  WindowSelectRequest = 0;
  if (SessionWindow* w = windows.Find(WindowToSelect)) {
    platform.windows.SetOpacity(w->Number(), w->session.Opt.WindowOpacity);
    platform.windows.BringToFront(w->Number());
    windows.DoWindowEvent(7, w->Number());
    windowMenu.CheckMenuItemByText(platform::kWindowMenu, w->session.window.ItemTitle + "  ");
  }
}

// The text area's background, the way back from the scroll-back view, the
// function-key bar and the margins below the screen.
void App::ServeWindowDecorations(SessionWindow* active, SessionWindow* front) {
  if (!active) return;
  Session& s = active->session;
  if (s.window.BackgroundRequest) {
    s.window.BackgroundRequest = 0;
    s.screen.PaintTextAreaBackground();
  }
  if (s.window.ScrollBackResetRequest) {
    s.window.ScrollBackResetRequest = 0;
    windows.ResetScrollbackView(*active);
  }
  if (front == active && (s.screen.BarRedrawRequest || s.screen.MarginRedrawRequest)) {
    s.screen.EraseBelowScreenLines();
    s.screen.DrawFunctionKeyBar();
  }
}

// Documents handed over after start-up, each in a window of its own; returns
// the active window after them.
SessionWindow* App::ServeHandedDocuments(SessionWindow* active) {
  while (!DocumentsPending.empty() && active) {
    const std::string path = DocumentsPending.front();
    DocumentsPending.pop_front();
    // Each by its kind: settings, QuickDial or function keys.
    OpenDocumentByKind(*active, path);
    active = windows.Active();
  }
  return active;
}

void App::ServeShowWindow(SessionWindow* active) {
  if (!ShowWindowRequest) return;
  ShowWindowRequest = 0;
  if (active) {
    platform.windows.Show(active->Number());
    platform.windows.SetOpacity(active->Number(), active->session.Opt.WindowOpacity);
  }
}

// Printing: the raw jobs handed to the spooler, and each window's deferred
// print and capture marks.
void App::ServePrintingAndCapture() {
  printServices.spooler.Poll();
  captureShared.notices.IdlePass();
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n)) w->services.capture.ServeIdlePass();
}

// Repaints from the planes: the counter's repaint (with the bar) on the pass
// after it was asked for, and the repaint requests of host input.
void App::ServeRepaints() {
  SessionWindow* active = windows.Active();
  if (!active) return;
  Screen& s = active->session.screen;
  const bool counted = windows.Count() > 1 || !platform.windows.IsCollapsed(active->Number());
  if (s.RedrawCounter > 0 && counted && ++s.RedrawCounter > 1) {
    s.RedrawCounter = 0;
    s.RepaintPending = 1;
    active->session.window.LastRepaintMs = INT64_MIN / 2;
    ServeRepaint(*active);
    s.DrawFunctionKeyBar();
  }
  if (active == ActiveInFront()) ServeRepaint(*active);
}

void App::ServeOpacity() {
  if (!OpacityRequest) return;
  OpacityRequest = 0;
  if (SessionWindow* f = ActiveInFront()) platform.windows.SetOpacity(f->Number(), f->session.Opt.WindowOpacity);
}

void App::ServeWindowMenuMark() {
  if (!WindowMenuMarkRequest) return;
  WindowMenuMarkRequest = 0;
  platform.menus.MarkItem(platform::kWindowMenu, 1, true);
}

void App::ServeShowAfterStart(SessionWindow* active) {
  if (!ShowAfterStartRequest) return;
  ShowAfterStartRequest = 0;
  if (active) platform.windows.Show(active->Number());
}

// The scroll bar follows the view, at most ten times a second: while output
// floods in, the store's end moves with every line, and each repaint of the
// bar costs the window system more than a frame of text.
void App::ServeScrollBar() {
  SessionWindow* f = ActiveInFront();
  if (!f || ScrollBarTracking || platform.clock.Milliseconds() - f->session.window.LastScrollBarMs < kScrollBarMs)
    return;
  Screen& s = f->session.screen;
  if (!s.ScrollBarUpdateNeeded) {
    // The value a repaint of a flood left for this pass.
    if (s.ScrollBarValuePending) {
      s.ScrollBarValuePending = 0;
      f->session.window.LastScrollBarMs = platform.clock.Milliseconds();
      f->controls.SetControlValue(kScrollBarControl, s.ScrollBackViewLine);
    }
    return;
  }
  s.ScrollBarUpdateNeeded = 0;
  s.ScrollBarValuePending = 0;
  f->session.window.LastScrollBarMs = platform.clock.Milliseconds();
  s.ScrollBackViewLine = s.ScrollBackViewDrawnLine = s.ScrollBackLinePos;
  f->controls.SetScrollBarRange(kScrollBarControl, s.ScreenRows, s.ScrollBackLinePos, s.ScreenRows);
  f->controls.SetControlValue(kScrollBarControl, s.ScrollBackViewLine);
}

// The settings saved as the defaults of new sessions.
void App::ServeSaveAsDefaults(SessionWindow* active) {
  if (!SaveRequest) return;
  SaveRequest = 0;
  if (!active) return;
  SettingsState& st = active->session.settings;
  const std::string name = st.SettingsFileName;
  const int8_t mode = prefs.TempSettingsMode;
  st.SettingsFileName = kDefaultSettingsFileName;
  prefs.TempSettingsMode = 0;
  active->settings.SaveSettingsAs(static_cast<int16_t>(active->Number()));
  prefs.TempSettingsMode = mode;
  st.SettingsFileName = name;
}

void App::ServeLaunchDocuments() {
  if (!IdlePassSeen) {
    IdlePassSeen = 1;
    if (!prefs.PendingDocuments.empty()) busy.SpinWatchCursor();
    // The first window took the first settings document at start-up; every
    // further one gets a window of its own, and the other documents are
    // opened by their kind once the windows are up.
    while (!prefs.PendingDocuments.empty()) {
      const std::string path = prefs.PendingDocuments.front();
      prefs.PendingDocuments.erase(prefs.PendingDocuments.begin());
      if (!StartsSessionWindow(path)) {
        DocumentsPending.push_back(path);
        continue;
      }
      if (SessionWindow* w = windows.OpenNewSessionWindow(path)) {
        w->session.window.FromLaunchDocument = 1;
        w->session.screen.ClearPages();
        w->session.screen.ClearScrollback();
      }
    }
    busy.ShowArrow();
  }
  prefs.StartupComplete = 1;
}

void App::PassAfterEvent() {
  // The command key's character is taken before the key-down is consumed.
  const int16_t commandCharacter = keyState.Wyse370CommandCharacter();
  // A function key or Control-P of the event; the key-down is consumed.
  keyState.DecodeMacFunctionKey();
  MacFunctionKeyNumber = keyState.MacFunctionKeyNumber;
  if (keyState.KeyRerunRequest) {
    keyState.KeyRerunRequest = 0;
    MacFunctionKeyPending = 1;
    FunctionKeyWindow = LastKeyWindow;
  }
  if (keyState.ControlPPressed) {
    keyState.ControlPPressed = 0;
    ControlPRequest = 1;
    ControlPWindow = LastKeyWindow;
  }
  // The stop keys and the settings windows' fields are served by the parts
  // that own them.
  RunPendingCommand();
  if (commandCharacter != 0) SendWyse370CommandKey(commandCharacter);
  // Whatever the event changed, the menu bar shows the active session.
  menuHandlers->ShowMarks();
}

void App::SendWyse370CommandKey(int16_t character) {
  SessionWindow* w = windows.Active();
  if (!w || w->Number() != LastKeyWindow) return;
  Session& s = w->session;
  if (!s.Opt.AltEditKeys || !s.Opt.EmuWyse370 || s.screen.ScrollBackViewShown) return;
  const int64_t now = platform.clock.Ticks();
  if (now - Wyse370CommandTick < 18) return;
  Wyse370CommandTick = now;
  const char command[] = {'\x01', static_cast<char>(character), '\r'};
  s.conn.SendToHost(std::string_view(command, sizeof command));
}

void App::PeriodicPass() {
  SessionWindow* front = ActiveInFront();
  SessionWindow* active = windows.Active();
  if (!active) return;
  Session& s = active->session;
  // The scroll-back keeps colours while colour mode B is on.
  s.screen.ScrollBackColourB = (s.Opt.ColourModeB && front) ? 1 : 0;
  // The connection a session starts with.
  if (s.window.ConnectAtStart && s.Opt.UsesPty && !s.screen.RepaintPending) {
    s.window.ConnectAtStart = 0;
    active->StartConnection();
  }
  ServeConnectOnReturn(*active);
  if (!front) return;
  FitRowsAndColumns(*active);
  BlinkTextCursor(*active);
}

// Return pressed while not connected connects, once the session knows where.
void App::ServeConnectOnReturn(SessionWindow& active) {
  Session& s = active.session;
  if (!s.window.ConnectOnReturn) return;
  s.window.ConnectOnReturn = 0;
  if (s.Opt.UsesPty && s.Opt.TelnetSession && s.Opt.TelnetHost.empty()) {
    alerts.StopAlertText(platform::kPlainAlert, "You must enter a Host IP address.", "\r",
                         "Select Telnet Connection... from the Connection Menu");
  } else if (s.Opt.UsesPty && s.Opt.SshSession && s.Opt.SshHost.empty()) {
    alerts.StopAlertText(platform::kPlainAlert, "You must enter a Host Name.", "\r",
                         "Select Secure Shell Connection... from the Connection Menu");
  } else {
    if (flags.NoSessionWindow) {
      flags.NoSessionWindow = 0;
      platform.windows.BringToFront(active.Number());
    }
    windows.ResetScrollbackView(active);
    if (s.conn.PtyStream) active.CloseConnection();
    if (!active.Connected()) requests.RequestOpenConnection = 1;
    windows.UpdateWindowTitle(active);
    if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
  }
}

// The rows and columns that fit the window, and the last row with text.
void App::FitRowsAndColumns(SessionWindow& active) {
  Session& s = active.session;
  Screen& sc = s.screen;
  if (s.input.HoldOutput || sc.DrawingBusy || sc.ScrollBackViewShown) return;
  sc.ScreenRows = sc.ScreenRowsForWindow();
  sc.ScreenCols = static_cast<int16_t>(
      std::clamp<int>(s.Opt.AutoWrapOn ? sc.ColumnsSetting : active.ColumnsForChild(), 1, kMaxScreenCols));
  int16_t last = 0;
  for (int r = std::min<int>(sc.ScreenRows, kMaxScreenRows); r >= 1 && last == 0; --r)
    for (int c = 1; c <= sc.ScreenCols; ++c) {
      const int16_t ch = sc.ScreenChars(r, c);
      if (ch != 0 && ch != 32) {
        last = static_cast<int16_t>(r);
        break;
      }
    }
  s.window.LastTextRow = last;
}

// The text cursor blinks.
void App::BlinkTextCursor(SessionWindow& active) {
  Session& s = active.session;
  Screen& sc = s.screen;
  if (s.input.CollectMode || sc.RepaintPending) return;
  if (sc.CursorDrawn) {
    sc.EraseTextCursor();
  } else {
    sc.MoveToCell(sc.CursorRow(), sc.CursorCol());
    sc.DrawTextCursor();
  }
  sc.port.Flush();
}

}  // namespace korvane::app
