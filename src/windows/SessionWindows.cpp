// The session windows: the table, opening, titles, the window events with
// the switch of the active session, and the redraw steps.

#include "windows/SessionWindows.h"

#include "emulation/SessionInterpreters.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "settings/SettingsText.h"

namespace korvane {

namespace {

constexpr uint8_t kOpenMark = 0xA5;    // a bullet
constexpr uint8_t kClosedMark = 0xC5;  // an approximately-equal sign
constexpr int kScrollBarWidth = 16;

bool EndsInMark(const std::string& title) {
  if (title.empty()) return false;
  const auto last = static_cast<uint8_t>(title.back());
  return last == kOpenMark || last == kClosedMark;
}

platform::Rect ScrollBarBounds(const platform::Port& port) {
  return {port.Width() - kScrollBarWidth, 0, port.Width(), port.Height()};
}

}  // namespace

SessionWindows::SessionWindows(const WindowServices& s, ProgramFlags& f) : services(s), flags(f) {}

SessionWindows::~SessionWindows() = default;

// ---- The table ------------------------------------------------------------------

SessionWindow* SessionWindows::Find(int number) {
  if (!IsSessionWindow(number)) return nullptr;
  return slots_[static_cast<size_t>(number - platform::kSessionWindowBase)].get();
}

bool SessionWindows::InFront(int number) const {
  const int front = services.windows.FrontWindow();
  if (front == number) return true;
  const bool dialogInFront = front > 0 && front < platform::kSessionWindowBase && front != platform::kStatusWindow;
  return dialogInFront && number == flags.ActiveWindowNumber;
}

int SessionWindows::Count() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const auto& p) { return p != nullptr; }));
}

std::vector<int> SessionWindows::Numbers() const {
  std::vector<int> out;
  for (size_t k = 0; k < slots_.size(); ++k)
    if (slots_[k]) out.push_back(platform::kSessionWindowBase + static_cast<int>(k));
  return out;
}

// ---- Opening ------------------------------------------------------------------------

platform::Size SessionWindows::DefaultContentSize(Session& session) const {
  const Screen& s = session.screen;
  // 80 columns after the 4-pixel margin with a column to spare, and the
  // scroll bar; 24 rows with the three rows below them that the status line
  // and the function-key bar use (large type counts one row more).
  const int width = s.CellWidth * 81 + kScrollBarWidth + 4;
  const int rows = 24 + 3 - (session.Opt.FontSize > 16 ? 1 : 0);
  const int height = 9 + s.CellHeight * rows;
  const platform::Size screen = services.windows.MainScreenSize();
  return {screen.width > 0 ? std::min(width, screen.width) : width,
          screen.height > 0 ? std::min(height, screen.height) : height};
}

SessionWindow& SessionWindows::MakeWindow(int number) {
  const platform::SessionSurface surface = services.windows.MakeSessionWindow(number, "Korvane\xAA", 640, 480);
  auto window = std::make_unique<SessionWindow>(*this, number, surface);
  SessionWindow& w = *window;
  slots_[static_cast<size_t>(number - platform::kSessionWindowBase)] = std::move(window);
  w.controls.MakeScrollBar(kScrollBarControl, ScrollBarBounds(w.windowPort));
  w.session.screen.ScrollBarWidth = kScrollBarWidth;
  w.interpreters = std::make_unique<SessionInterpreters>(w.session.input, w.session.wyse, w.session.vt);
  return w;
}

SessionWindow* SessionWindows::OpenNewSessionWindow(const std::string& document) {
  const int n = Count();
  if (n > platform::kMaxSessionWindows || n + 1 > MaxWindows) {
    services.alerts.StopAlertText(platform::kPlainAlert, "Maximum number of windows allowed is ",
                                  NumberLine(MaxWindows));
    return nullptr;
  }
  if (NewWindowsRefused) {
    services.alerts.StopAlertText(platform::kPlainAlert, "Not enough memory to open a new window.");
    return nullptr;
  }
  int number = 0;
  for (int k = 0; k < platform::kMaxSessionWindows && number == 0; ++k)
    if (!slots_[static_cast<size_t>(k)]) number = platform::kSessionWindowBase + k;
  if (number == 0) {
    services.alerts.StopAlertText(platform::kPlainAlert, "Too many windows open! Please close a window and try again.");
    return nullptr;
  }
  services.busy.SpinWatchCursor();
  SessionWindow* old = Active();
  if (old) {
    Screen& s = old->session.screen;
    if (s.CursorDrawn) s.EraseTextCursor();
    // The window that was active keeps its settings in its own file; the new
    // window starts from the same settings, handed over in memory (the saved
    // defaults are written only when the user saves them).
    services.prefs.RegisterTempSettingsFile(static_cast<int16_t>(old->Number()));
    old->settings.SaveSettingsAs(static_cast<int16_t>(old->Number()));
  }
  SessionWindow* w = nullptr;
  try {
    w = &MakeWindow(number);
  } catch (const std::bad_alloc&) {
    NewWindowsRefused = 1;
    services.alerts.StopAlertText(platform::kPlainAlert, "Not enough memory to open a new window.");
    return nullptr;
  }
  if (old) {
    w->session.Opt = old->session.Opt;
    w->session.screen.ColumnsSetting = old->session.screen.ColumnsSetting;
    w->session.window.ConnectionWord = old->session.window.ConnectionWord;
  } else {
    w->settings.SetDefaultSettings();
  }
  const int16_t previous = flags.ActiveWindowNumber;
  flags.ActiveWindowNumber = static_cast<int16_t>(number);
  if (!NewSessionWindow(*w, document)) {
    flags.ActiveWindowNumber = previous;
    slots_[static_cast<size_t>(number - platform::kSessionWindowBase)].reset();
    services.windows.Close(number);
    if (SessionWindow* back = Find(previous)) {
      windowMenu().TitleWindowNumber = previous;
      windowMenu().CheckMenuItemByText(platform::kWindowMenu, back->session.window.ItemTitle + "  ");
    }
    return nullptr;
  }
  services.prefs.RegisterTempSettingsFile(static_cast<int16_t>(number));
  w->settings.SaveSettingsAs(static_cast<int16_t>(number));
  if (onNewWindow) onNewWindow(*w);
  return w;
}

bool SessionWindows::NewSessionWindow(SessionWindow& w, const std::string& document) {
  Session& s = w.session;
  std::string title;
  if (!document.empty()) {
    const int error = w.settings.ReadSettingsDocument(document);
    if (error == ENOENT)
      services.alerts.StopAlertText(platform::kPlainAlert, "The settings document ", FileBaseName(document),
                                    " was not found.");
    if (error != 0) return false;
    s.settings.SettingsFileName = document;
    title = Localised("Korvane Using ") + FileBaseName(document);
  }
  s.conn.ConnectedFlag = 0;
  s.conn.ConnectionOpen = 0;
  s.conn.UsesPty = s.Opt.UsesPty;

  // The window is laid out for its text size and shown.
  s.screen.ComputeCellMetrics();
  const platform::Size size = DefaultContentSize(s);
  services.windows.SetContentSize(w.Number(), size.width, size.height);
  w.controls.MoveControl(kScrollBarControl, ScrollBarBounds(w.windowPort));
  s.screen.ComputeCellMetrics();
  s.screen.ScreenCols = static_cast<int16_t>(
      std::clamp<int>(s.Opt.AutoWrapOn ? s.screen.ColumnsSetting : w.ColumnsForChild(), 1, kMaxScreenCols));
  s.screen.ScrollBackLinePos = s.screen.ScrollBackViewLine = s.screen.ScrollBackViewDrawnLine = s.screen.ScreenRows;

  SetWindowTitle(w, title);
  UpdateWindowTitle(w);
  services.busy.ShowArrow();
  RedrawWindow(w);
  s.screen.SetCursor(1, 1);
  s.screen.MoveToCell(1, 1);
  s.screen.RepaintPending = 1;
  s.window.FramePending = 1;
  services.windows.BringToFront(w.Number());
  return true;
}

void SessionWindows::LoadSettingsTempFile(const std::string& path) {
  if (flags.NoSessionWindow) {
    flags.NoSessionWindow = 0;
    if (SessionWindow* w = Active()) ResetScrollbackView(*w);
  }
  SessionWindow* w = OpenNewSessionWindow(path);
  if (!w) return;
  Screen& s = w->session.screen;
  s.ClearPages();
  s.ClearScrollback();
  services.prefs.StartupComplete = 1;
  services.busy.ShowArrow();
}

// ---- Titles -------------------------------------------------------------------------

void SessionWindows::SetWindowTitle(SessionWindow& w, const std::string& title) {
  WindowState& ws = w.session.window;
  std::string listed = title.empty() ? Localised("Korvane Using ") + ws.ConnectionWord : title;
  // A title the window already carries stays as it is; any other is made
  // different from every other window's.
  if (listed != ws.ItemTitle) listed = windowMenu().UniqueWindowTitle(platform::kWindowMenu, listed);
  WindowMenu& menu = windowMenu();
  menu.TitleWindowNumber = w.Number();
  menu.UncheckAddedItems(platform::kWindowMenu);
  const bool listedBefore = !ws.ItemTitle.empty() && menu.WindowTitles[w.Number()] == ws.ItemTitle;
  if (listedBefore)
    menu.RenameWindowMenuItem(ws.ItemTitle + "  ", listed + "  ");
  else
    menu.AddWindowMenuItem(platform::kWindowMenu, listed);
  ws.ItemTitle = listed;
  ws.WindowTitle = listed;
  ws.TitleMark = 0;
  services.windows.SetTitle(w.Number(), ws.WindowTitle);
}

void SessionWindows::UpdateWindowTitle(SessionWindow& w) {
  Session& s = w.session;
  if (!s.Opt.WindowOption75 || s.input.HoldOutput) return;
  std::string& title = s.window.WindowTitle;
  const bool connected = w.Connected();
  if (connected && !EndsInMark(title)) {
    title += ' ';
    title += static_cast<char>(kOpenMark);
  } else if (!connected && EndsInMark(title)) {
    title.erase(title.size() >= 2 ? title.size() - 2 : 0);
  } else {
    return;
  }
  services.windows.SetTitle(w.Number(), title);
}

void SessionWindows::ShowConnectionMark(SessionWindow& w) {
  Session& s = w.session;
  if (!s.Opt.WindowOption75 || s.input.HoldOutput) return;
  const bool open = s.conn.ConnectionIsOpen();
  const char mark = static_cast<char>(open ? kOpenMark : kClosedMark);
  std::string& title = s.window.WindowTitle;
  if (!title.empty() && title.back() == mark) return;
  if (EndsInMark(title)) title.erase(title.size() >= 2 ? title.size() - 2 : 0);
  title += ' ';
  title += mark;
  services.windows.SetTitle(w.Number(), title);
}

// ---- Window events --------------------------------------------------------------------

void SessionWindows::DoWindowEvent(int kind, int window) {
  switch (kind) {
    case 1: {
      ClosingWindowNumber = static_cast<int16_t>(window);
      SessionWindow* w = Find(window);
      if (!w) return;
      if (Count() == 1 && !flags.Quitting) {
        if (services.alerts.CautionAlertText(platform::kQuestionAlert, "Do you want to Quit Korvane?") == 1)
          flags.QuitFlag = 1;
        return;
      }
      if (w->session.Opt.ConfirmClose == 1 && w->Connected() && !flags.Quitting) {
        if (services.alerts.CautionAlertText(platform::kQuestionAlert,
                                             "Closing this window will close the connection to the host "
                                             "computer.") == 2)
          return;
      }
      if (window != flags.ActiveWindowNumber && !flags.Quitting) {
        services.alerts.CautionAlertText(platform::kPlainAlert, "Please activate the window before closing it.");
        return;
      }
      CloseWindow(*w);
      return;
    }
    case 2: {
      SessionWindow* w = Find(window);
      if (window == platform::kStatusWindow) {
        if (SessionWindow* a = Active()) a->session.window.FramePending = 1;
        return;
      }
      if (!w || window != flags.ActiveWindowNumber) return;
      Screen& s = w->session.screen;
      if (s.PicturesShown) s.PicturesRedrawPending = 1;
      if (!InFront(window)) return;
      w->session.input.HostChunkPos = 0;
      if (!w->session.input.CollectMode) {
        s.RepaintPending = 1;
        s.DrawingBusy = 1;
      }
      w->controls.SetControlValue(kScrollBarControl, s.ScrollBackViewLine);
      s.MarginRedrawRequest = 1;
      return;
    }
    case 3: ActivateWindow(window); return;
    case 5:
      if (SessionWindow* w = Find(window)) ResizeWindow(*w);
      return;
    case 6:
      if (!IsSessionWindow(window)) return;
      if (SessionWindow* a = Active()) a->session.screen.DrawingBusy = 0;
      RequestedEventWindow = static_cast<int16_t>(window);
      WindowEventRequest = 1;
      return;
    case 7:
      if (SessionWindow* w = Find(window)) {
        Screen& s = w->session.screen;
        if (s.PicturesShown) s.PicturesRedrawPending = 1;
        s.DrawingBusy = 1;
        if (s.CursorDrawn) s.EraseTextCursor();
      }
      return;
    default: return;
  }
}

void SessionWindows::CloseWindow(SessionWindow& w) {
  const int number = w.Number();
  Session& s = w.session;
  s.screen.RemoveFunctionKeyBar();
  // A host held with XOFF is let go before it loses its window.
  if (s.input.XoffSent && s.Opt.XonXoffOn == 1) {
    s.conn.SendToHost("", 17);
    s.input.XoffSent = 0;
  }
  if (Count() > 1 && s.window.SettingsChanged) {
    const int alert = s.window.FromLaunchDocument ? platform::kSaveLaunchSettingsAlert : platform::kSaveSettingsAlert;
    const int item = services.alerts.CautionAlertText(
        alert, "Do you want to save your settings for this session window before closing it?", "\r",
        s.window.ItemTitle);
    if (item == 1) {
      // The settings go to a file the user names, not to the window's
      // temporary file, which is removed below.
      s.settings.AlwaysAskSettingsName = 1;
      const int8_t mode = services.prefs.TempSettingsMode;
      services.prefs.TempSettingsMode = 0;
      w.settings.SaveSettingsAs(static_cast<int16_t>(number));
      services.prefs.TempSettingsMode = mode;
    }
  }
  WindowMenu& menu = windowMenu();
  menu.TitleWindowNumber = number;
  menu.RemoveWindowMenuItem(s.window.ItemTitle + "  ");
  w.settings.DeleteTempSettingsFile(static_cast<int16_t>(number));
  {
    SessionChild child(s.Opt, s.conn, services.processes, services.alerts, services.programs);
    child.CloseSessionChild();
  }
  if (s.window.ConnectionWord.find("modem") != std::string::npos) {
    w.WriteSessionText(Localised("Modem disconnecting. Please wait..."));
    w.NewSessionLine();
  }
  // The session goes before the window whose port and controls it uses.
  slots_[static_cast<size_t>(number - platform::kSessionWindowBase)].reset();
  services.windows.Close(number);
  if (LastActiveWindow == number) LastActiveWindow = 0;

  if (Count() == 0) {
    menu.ClearWindowMenu();
    menu.TitleWindowNumber = number;
    menu.AddWindowMenuItem(platform::kWindowMenu, "Korvane\xAA");
    flags.NoSessionWindow = 1;
    if (flags.Quitting) DeleteTempSettingsFiles();
    return;
  }
  if (flags.Quitting) return;
  // The window listed last comes to the front as the active session.
  const int last = menu.SessionItemCount();
  int next = last > 0 ? menu.WindowOfItem(platform::kWindowMenuFixedItems + last) : 0;
  if (!Find(next)) next = Numbers().front();
  ActivateWindow(next);
}

void SessionWindows::ActivateWindow(int window) {
  SessionWindow* active = Active();
  if (active && active->session.input.CollectMode) {
    // A download in progress keeps its window in front.
    services.windows.BringToFront(active->Number());
    windowMenu().CheckMenuItemByText(platform::kWindowMenu, active->session.window.ItemTitle + "  ");
    return;
  }
  SessionWindow* in = Find(window);
  if (!in) return;
  // While a settings window is open the active session stays where it is.
  if (services.numbered.DialogWindowOpen && window != flags.ActiveWindowNumber && active) return;
  Session& s = in->session;
  if (!flags.NoSessionWindow) {
    if (s.screen.PicturesShown) s.screen.PicturesRedrawPending = 1;
    SessionWindow* out = LastActiveWindow != window ? Find(LastActiveWindow) : nullptr;
    // The outgoing host is held while its window is behind.
    if (out && out->session.Opt.XonXoffOn == 1 && out->Connected()) out->session.conn.SendXoff();
    services.numbered.OpenAppWindow(window);
    flags.ActiveWindowNumber = static_cast<int16_t>(window);
    windowMenu().TitleWindowNumber = window;
    windowMenu().CheckMenuItemByText(platform::kWindowMenu, s.window.ItemTitle + "  ");
    in->Connected();
    if (LastActiveWindow != window) {
      if (out) {
        // The outgoing window's settings are kept in its own file.
        services.prefs.RegisterTempSettingsFile(static_cast<int16_t>(out->Number()));
        services.busy.SpinWatchCursor();
        out->settings.SaveSettingsAs(static_cast<int16_t>(out->Number()));
      }
      WindowSwitchInProgress = 1;
      Screen& sc = s.screen;
      // The incoming session is brought in line with its window.
      if (sc.CursorRow() == 0) sc.SetCursorRow(1);
      if (sc.CursorCol() == 0) sc.SetCursorCol(1);
      sc.MoveToCell(sc.CursorRow(), sc.CursorCol());
      sc.ScrollBarUpdateNeeded = 0;
      sc.ComputeCellMetrics();
      sc.SetPrintBackColor(sc.BackgroundColour);
      sc.SetDrawColoursForAttribute();
      MarkSerialPortMenu(*in);
      in->services.menus.ShowSessionMarks();
      sc.RepaintPending = 1;
      sc.BarRedrawRequest = 1;
      s.window.FramePending = 1;
      services.windows.SetTitle(window, s.window.WindowTitle);
      WindowSwitchInProgress = 0;
    }
    LastActiveWindow = flags.ActiveWindowNumber;
    services.busy.ShowArrow();
  }
  if (s.Opt.XonXoffOn == 1 && in->Connected()) {
    s.conn.SendXoffXon();
    s.input.XoffSent = 0;
  }
  if (s.Opt.HostFeatureOption == 0) s.screen.MarginRedrawRequest = 1;
  s.screen.DrawingBusy = 0;
  windowMenu().CheckMenuItemByText(platform::kWindowMenu, s.window.ItemTitle + "  ");
}

void SessionWindows::ResizeWindow(SessionWindow& w) {
  Session& s = w.session;
  Screen& sc = s.screen;
  w.controls.MoveControl(kScrollBarControl, ScrollBarBounds(w.windowPort));
  if (sc.CellWidth > 0) {
    const int fit = sc.port.Width() / sc.CellWidth - 1;
    if (fit > 0) sc.WindowColumns = static_cast<int16_t>(std::min<int>(fit, kMaxCursorCol));
  }
  if (!s.Opt.AutoWrapOn) sc.ScreenCols = static_cast<int16_t>(std::clamp<int>(sc.WindowColumns, 1, kMaxScreenCols));
  const int16_t before = sc.ScreenRows;
  sc.ScreenRows = sc.ScreenRowsForWindow();
  if (sc.CursorRow() > sc.ScreenRows) sc.SetCursorRow(sc.ScreenRows);
  if (sc.ScreenRows > before) {
    const int grown = sc.ScreenRows - before;
    if (s.Opt.ScrollBackOn == 1 && sc.ScriptCommandBusy == 0) {
      sc.ScrollBackLinePos = static_cast<int16_t>(sc.ScrollBackLinePos + grown);
      if (sc.ScrollBackLinePos >= sc.ScrollBackCount - 2) {
        if (sc.ScrollBackCount == 960) sc.ScrollBack.DropOldest(grown);
        sc.ScrollBackLinePos = static_cast<int16_t>(sc.ScrollBackLinePos - grown);
      }
      sc.ScrollBackViewLine = sc.ScrollBackViewDrawnLine = sc.ScrollBackLinePos;
      sc.ScrollBarUpdateNeeded = 1;
      sc.ScrollBackMirrorPending = 1;
    }
    const int16_t row = sc.CursorRow(), col = sc.CursorCol();
    RedrawWindow(w);
    sc.SetCursorRow(row);
    sc.SetCursorCol(col);
    sc.MoveToCell(row, col);
  } else if (sc.ScreenRows < before && sc.LastRowWithText(before) > sc.ScreenRows) {
    // The text reaches below the new last row: the top rows go into the
    // scroll-back and the rest move up, so that the last row stays in view.
    // The last row with text is looked for now: the periodic pass's count
    // may be older than the host's last output. The rows move before the
    // window is cleared: clearing empties the status rows of the new layout,
    // which still hold text until then.
    sc.ShiftRowsIntoScrollback(before, before - sc.ScreenRows);
    RedrawWindow(w);
    sc.SetCursorRow(sc.ScreenRows);
    sc.MoveToCell(sc.CursorRow(), sc.CursorCol());
    s.window.BackgroundRequest = 1;
  }
  services.menus.EnableItem(platform::kWindowMenu, 1, true);
  services.menus.MarkItem(platform::kWindowMenu, 1, false);
  if (w.Number() == flags.ActiveWindowNumber && InFront(w.Number()) && s.Opt.HostFeatureOption == 1)
    sc.DrawFunctionKeyBar();
  sc.RepaintPending = 1;
  // A local shell learns its new size from its terminal (SIGWINCH); nothing
  // is typed into it.
  if (s.Opt.ScreenRowsSetting == 0 && WindowSwitchInProgress == 0 && s.Opt.UsesPty && s.Opt.LocalShellSession &&
      sc.SkipPortCheck == 0 && s.conn.PtyStream)
    s.window.WindowSizeCounter = 1;
}

void SessionWindows::MarkSerialPortMenu(SessionWindow& w) {
  const int count = services.menus.CountItems(platform::kSerialPortMenu);
  for (int i = 1; i <= count; ++i) {
    services.menus.EnableItem(platform::kSerialPortMenu, i, true);
    services.menus.MarkItem(platform::kSerialPortMenu, i, false);
  }
  const int port = w.session.conn.ConnectionPort;
  services.menus.MarkItem(platform::kSerialPortMenu, port < 0 ? -port : port, true);
}

// ---- Redraw ----------------------------------------------------------------------------

void SessionWindows::RedrawWindow(SessionWindow& w) {
  Screen& s = w.session.screen;
  s.DrawingBusy = 1;
  s.SetPrintBackColor(s.BackgroundColour);
  const int16_t kept = s.CurrentBackColour;
  if (s.ColourMode()) s.CurrentBackColour = s.BackgroundColour;
  s.port.EraseRect({0, 0, s.port.Width(), s.port.Height()});
  s.SetNormalTextStyle();
  s.MoveToCell(1, 1);
  s.port.ValidRect({0, 0, s.port.Width(), s.port.Height() + 1});
  s.PaintTextAreaBackgroundB();
  w.controls.SetControlValue(kScrollBarControl, s.ScrollBackViewLine);
  if (s.ColourMode()) s.CurrentBackColour = kept;
}

void SessionWindows::RedrawWindowAfterResize(SessionWindow& w) {
  Screen& s = w.session.screen;
  s.SetCursorRow(s.PenRow());
  s.SetCursorCol(s.PenColumn());
  const int16_t row = s.CursorRow(), col = s.CursorCol();
  RedrawWindow(w);
  s.SetCursorRow(row);
  s.SetCursorCol(col);
  s.MoveToCell(row, col);
  s.SetDrawColoursForAttribute();
  s.DrawFunctionKeyBar();
}

void SessionWindows::ResetScrollbackView(SessionWindow& w) {
  Screen& s = w.session.screen;
  if (s.ScrollBackViewLine == s.ScrollBackLinePos && !s.ScrollBackViewShown) return;
  s.ScrollBackViewLine = s.ScrollBackViewDrawnLine = s.ScrollBackLinePos;
  s.ScrollBackViewShown = 0;
  s.ScrollBarUpdateNeeded = 1;
  s.RepaintPending = 1;
}

int SessionWindows::SetButtonState(int window, int control, int value, int state) {
  SessionWindow* w = Find(window);
  if (!w || !w->controls.HasControl(control)) return 0;
  w->controls.SetControlValue(control, value);
  w->controls.SetControlActive(control, state != 0);
  w->controls.ShowControl(control, true);
  return 0;
}

void SessionWindows::CloseAllConnections() {
  for (auto& slot : slots_) {
    if (!slot) continue;
    Connection& c = slot->session.conn;
    if (c.PtyStream) c.PtyStream->Close();
    c.PtyStream.reset();
    c.ConnectedFlag = 0;
  }
}

void SessionWindows::DeleteTempSettingsFiles() {
  for (int n = 0; n <= kMaxWindowNumber; ++n) {
    const std::string& name = services.prefs.TempSettingsNames[static_cast<size_t>(n)];
    if (name.empty()) continue;
    services.files.RemoveFile(services.prefs.PathOf(name));
    services.prefs.TempSettingsNames[static_cast<size_t>(n)].clear();
  }
}

}  // namespace korvane
