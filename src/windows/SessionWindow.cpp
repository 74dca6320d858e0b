// One session window: the session and what its screen, connection, host
// input and settings ask of the program around them.

#include <algorithm>

#include "settings/SettingsText.h"
#include "windows/SessionWindows.h"

#include "emulation/SessionInterpreters.h"

namespace korvane {

SessionWindow::SessionWindow(SessionWindows& owner, int number, platform::SessionSurface surface)
    : owner_(owner),
      number_(number),
      windowPort(*surface.port),
      controls(*surface.controls),
      gate(windowPort),
      screenSide_(*this),
      connectionSide_(*this),
      inputSide_(*this),
      settingsSide_(*this),
      session(gate, owner.services.clock, &screenSide_, &controls),
      settings(session.Opt, session.settings, owner.services.prefs, owner.services.files, owner.services.alerts, settingsSide_) {
  session.window.WindowNumber = static_cast<int16_t>(number);
  session.conn.SetHost(&connectionSide_);
  session.input.SetHooks(&inputSide_);
  session.input.SetFloodGate(&gate);
}

SessionWindow::~SessionWindow() {
  // A child still running is hung up and reaped; nothing is typed into it.
  if (session.conn.PtyStream) session.conn.PtyStream->Close();
  session.conn.SetHost(nullptr);
  session.input.SetHooks(nullptr);
}

int SessionWindow::ColumnsForChild() {
  Screen& s = session.screen;
  if (session.Opt.AutoWrapOn) return std::clamp<int>(s.ColumnsSetting, 1, kMaxCursorCol);
  // The columns that fit the window, by the same rule as every other place
  // that counts them.
  const int fit = s.CellWidth > 0 ? s.port.Width() / s.CellWidth - 1 : 80;
  return std::clamp(fit, 1, static_cast<int>(kMaxCursorCol));
}

void SessionWindow::StartConnection() {
  Session& s = session;
  s.conn.UsesPty = s.Opt.UsesPty;
  s.conn.SessionColumns = static_cast<int16_t>(ColumnsForChild());
  s.conn.SessionRows = s.screen.ScreenRowsForWindow();
  SessionChild child(s.Opt, s.conn, owner_.services.processes, owner_.services.alerts,
                     owner_.services.programs);
  child.StartSessionChild();
  if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
  s.conn.ConnectionIsOpen();
  owner_.UpdateWindowTitle(*this);
}

void SessionWindow::CloseConnection() {
  Session& s = session;
  SessionChild child(s.Opt, s.conn, owner_.services.processes, owner_.services.alerts,
                     owner_.services.programs);
  child.CloseConnection();
}

void SessionWindow::WriteSessionText(const std::string& text) {
  Screen& s = session.screen;
  size_t pos = 0;
  while (pos < text.size()) {
    s.ClampCursor();
    if (s.CursorRow > s.ScreenRows) s.CursorRow = s.ScreenRows;
    const int room = std::max(1, std::min<int>(s.ScreenCols, kMaxCursorCol) - s.CursorCol + 1);
    const int take = std::min<int>(room, static_cast<int>(text.size() - pos));
    for (int i = 0; i < take; ++i) {
      s.ScreenChars(s.CursorRow, s.CursorCol + i) = static_cast<uint8_t>(text[pos + i]);
      s.ScreenAttrs(s.CursorRow, s.CursorCol + i) = 0;
    }
    s.MoveToCell(s.CursorRow, s.CursorCol);
    s.port.DrawText(reinterpret_cast<const uint8_t*>(text.data() + pos), take);
    s.CursorCol = static_cast<int16_t>(s.CursorCol + take);
    pos += static_cast<size_t>(take);
    if (pos < text.size()) NewSessionLine();
  }
  s.MoveToCell(s.CursorRow, std::min<int>(s.CursorCol, kMaxCursorCol));
}

void SessionWindow::NewSessionLine() {
  Screen& s = session.screen;
  s.CursorCol = 1;
  ++s.CursorRow;
  if (s.CursorRow > s.ScreenRows) {
    s.port.ScrollRect({0, 0, s.port.Width(), s.ScreenRows * s.CellHeight - s.CellBaselineAdjust}, 0, -s.CellHeight);
    s.ScrollUpIntoScrollback();
    s.CursorRow = s.ScreenRows;
  }
  s.MoveToCell(s.CursorRow, s.CursorCol);
}

// ---- The screen's questions --------------------------------------------------

bool SessionWindow::ScreenSide::IsFrontSessionWindow() {
  SessionWindows& o = w.owner_;
  return o.flags.ActiveWindowNumber == w.number_ && o.services.windows.FrontWindow() == w.number_;
}

bool SessionWindow::ScreenSide::IsWindowCollapsed() { return w.owner_.services.windows.IsCollapsed(w.number_); }

int SessionWindow::ScreenSide::SerialBytesWaiting() { return w.session.conn.SerialBytesWaiting(); }

void SessionWindow::ScreenSide::SetScrollBarValue(int value) {
  w.controls.SetControlValue(kScrollBarControl, value);
}

int64_t SessionWindow::ScreenSide::TickCount() { return w.owner_.services.clock.Ticks(); }

int SessionWindow::ScreenSide::DisplayWidth() { return w.owner_.services.windows.MainScreenSize().width; }

// ---- The connection's ---------------------------------------------------------

void SessionWindow::ConnectionSide::SpinWatchCursor() { w.owner_.services.busy.SpinWatchCursor(); }

void SessionWindow::ConnectionSide::ShowArrowCursor() { w.owner_.services.busy.ShowArrow(); }

void SessionWindow::ConnectionSide::WriteSessionLine(std::string_view text) {
  w.WriteSessionText(w.owner_.Localised(std::string(text)));
  w.NewSessionLine();
}

void SessionWindow::ConnectionSide::FlushSessionWindow() { w.session.screen.port.Flush(); }

void SessionWindow::ConnectionSide::RequestFlushHostInput() { w.session.input.FlushRequest = 1; }

void SessionWindow::ConnectionSide::RequestSendReturn() { w.session.input.PendingCR = 1; }

void SessionWindow::ConnectionSide::RequestSendWindowSize() { w.session.window.WindowSizeRequest = 1; }

void SessionWindow::ConnectionSide::DiscardReceivedInput() {
  HostInput& in = w.session.input;
  in.HostChunkLast = -1;
  in.HostChunkPos = 0;
}

bool SessionWindow::ConnectionSide::CloseByCommand() { return w.owner_.flags.CloseByCommand != 0; }

bool SessionWindow::ConnectionSide::NoSessionWindow() { return w.owner_.flags.NoSessionWindow != 0; }

void SessionWindow::ConnectionSide::SelectSessionWindow() {
  SessionWindows& o = w.owner_;
  o.flags.NoSessionWindow = 0;
  o.services.windows.BringToFront(o.flags.ActiveWindowNumber);
}

void SessionWindow::ConnectionSide::UpdateWindowTitle() { w.owner_.UpdateWindowTitle(w); }

// ---- Host input's --------------------------------------------------------------

void SessionWindow::InputSide::CloseConnection() { w.CloseConnection(); }

void SessionWindow::InputSide::EraseTextCursor() {
  if (w.session.screen.CursorDrawn) w.session.screen.EraseTextCursor();
}

void SessionWindow::InputSide::RestoreArrowCursor() { w.owner_.services.busy.ShowArrow(); }

void SessionWindow::InputSide::ShowBusyCursor() { w.owner_.services.busy.SpinWatchCursor(); }

void SessionWindow::InputSide::ShowStopAlert(const std::string& text) {
  w.owner_.services.alerts.StopAlertText(0, text);
}

// ---- The settings' --------------------------------------------------------------

int16_t SessionWindow::SettingsSide::PlainTextMode() { return w.session.input.PlainTextMode; }

void SessionWindow::SettingsSide::ResetScreenDefaults(int windowWidth) {
  Screen& s = w.session.screen;
  s.CursorRow = 1;
  s.CursorCol = 1;
  s.DisplayOn = 1;
  s.WindowWidth = static_cast<int16_t>(windowWidth);
  s.NormalForeColour = 17;
  s.NormalBackColour = 18;
  s.CurrentBackColour = 18;
}

void SessionWindow::SettingsSide::ComputeCellMetrics() { w.session.screen.ComputeCellMetrics(); }

ScreenSize SessionWindow::SettingsSide::MainScreenSize() {
  const platform::Size size = w.owner_.services.windows.MainScreenSize();
  return {size.width, size.height};
}

void SessionWindow::SettingsSide::ShowConnectionKind() {
  const SessionOptions& o = w.session.Opt;
  std::string& word = w.session.window.ConnectionWord;
  if (!o.UsesPty) {
    const int port = o.ConnectionPort < 0 ? -o.ConnectionPort : o.ConnectionPort;
    word = "Serial Port " + NumberLine(port).substr(1);
  } else if (o.TelnetSession) {
    word = "Telnet";
  } else if (o.SshSession) {
    word = "Secure Connection";
  } else {
    word = "Mac unix shell";
  }
}

void SessionWindow::SettingsSide::ShowSettingsTitle(const std::string& title) { w.owner_.SetWindowTitle(w, title); }

void SessionWindow::SettingsSide::LoadSettingsTempFile(const std::string& path) { w.owner_.LoadSettingsTempFile(path); }

void SessionWindow::SettingsSide::RefreshAfterReading(bool /*fromDocument*/) { w.session.screen.RepaintPending = 1; }

std::optional<std::string> SessionWindow::SettingsSide::AskSettingsFileName(const std::string& proposed) {
  const auto& ask = w.owner_.askSettingsFileName;
  return ask ? ask(proposed) : std::nullopt;
}

}  // namespace korvane
