// One session window: the session and what its screen, connection, host
// input and settings ask of the program around them.

#include <algorithm>

#include "input/NationalChars.h"
#include "platform/CharMap.h"
#include "settings/FileKinds.h"
#include "settings/FunctionKeys.h"
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
      settingsSide_(*this),
      provided_(owner.services.provider.MakeServices(*this)),
      hostAlerts_(owner.services.alerts),
      services{provided_->Capture(),   provided_->Clipboard(),    provided_->Transfers(),
               provided_->Pictures(),  provided_->Scripts(),      *this,
               provided_->Keyboard(),  provided_->Menus(),        provided_->Sounds(),
               provided_->Serial(),    provided_->Dialogs(),      hostAlerts_,
               owner.services.desktop, owner.services.hostFolders},
      session(gate, owner.services.clock, services, screenSide_, connectionSide_, &controls),
      settings(session.Opt, session.settings, owner.services.prefs, owner.services.files, owner.services.alerts,
               settingsSide_) {
  session.window.WindowNumber = static_cast<int16_t>(number);
  session.input.SetFloodGate(&gate);
}

SessionWindow::~SessionWindow() {
  // The host's questions go with the window: none can act on it later.
  hostAlerts_.DismissAll();
  // A child still running is hung up and reaped; nothing is typed into it.
  if (session.conn.PtyStream) session.conn.PtyStream->Close();
}

int SessionWindow::ColumnsForChild() {
  Screen& s = session.screen;
  // The columns that fit the window, by the same rule as every other place
  // that counts them.
  const int fit = s.CellWidth > 0 ? s.port.Width() / s.CellWidth - 1 : 80;
  // With auto-wrap the fixed column count, but never more than the window
  // shows: the screen wraps at the window's edge, and the child must too.
  if (session.Opt.AutoWrapOn) return std::clamp<int>(std::min<int>(s.ColumnsSetting, fit), 1, kMaxCursorCol);
  return std::clamp(fit, 1, static_cast<int>(kMaxCursorCol));
}

void SessionWindow::StartConnection() {
  Session& s = session;
  s.conn.UsesPty = s.Opt.UsesPty;
  s.conn.SessionColumns = static_cast<int16_t>(ColumnsForChild());
  s.conn.SessionRows = s.screen.ScreenRowsForWindow();
  SessionChild child(s.Opt, s.conn, owner_.services.processes, owner_.services.alerts, owner_.services.programs);
  child.StartSessionChild();
  if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
  s.conn.ConnectionIsOpen();
  owner_.UpdateWindowTitle(*this);
}

void SessionWindow::ServeConnectionEnd() {
  Session& s = session;
  ProgramFlags& flags = owner_.flags;
  if (s.conn.CloseRequested && s.conn.HostDataWaiting() == 0 && !s.input.HoldOutput) {
    s.conn.CloseRequested = 0;
    if (!flags.Quitting) {
      // The close the host asked for, held back until its output was shown.
      flags.CloseByCommand = 1;
      CloseConnection();
      flags.CloseByCommand = 0;
    }
  }
  SessionChild child(s.Opt, s.conn, owner_.services.processes, owner_.services.alerts, owner_.services.programs);
  if (child.EndOfChild()) s.conn.CloseRequested = 0;
}

void SessionWindow::CloseConnection() {
  Session& s = session;
  SessionChild child(s.Opt, s.conn, owner_.services.processes, owner_.services.alerts, owner_.services.programs);
  child.CloseConnection();
}

void SessionWindow::WriteSessionText(const std::string& text) {
  Screen& s = session.screen;
  size_t pos = 0;
  while (pos < text.size()) {
    s.ClampCursor();
    if (s.CursorRow() > s.ScreenRows) s.SetCursorRow(s.ScreenRows);
    const int room = std::max(1, std::min<int>(s.ScreenCols, kMaxCursorCol) - s.CursorCol() + 1);
    const int take = std::min<int>(room, static_cast<int>(text.size() - pos));
    for (int i = 0; i < take; ++i) {
      s.ScreenChars(s.CursorRow(), s.CursorCol() + i) = static_cast<uint8_t>(text[pos + i]);
      s.ScreenAttrs(s.CursorRow(), s.CursorCol() + i) = 0;
    }
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    s.port.DrawText(reinterpret_cast<const uint8_t*>(text.data() + pos), take);
    s.SetCursorCol(static_cast<int16_t>(s.CursorCol() + take));
    pos += static_cast<size_t>(take);
    if (pos < text.size()) NewSessionLine();
  }
  s.MoveToCell(s.CursorRow(), std::min<int>(s.CursorCol(), kMaxCursorCol));
}

void SessionWindow::NewSessionLine() {
  Screen& s = session.screen;
  s.SetCursorCol(1);
  s.SetCursorRow(s.CursorRow() + 1);
  if (s.CursorRow() > s.ScreenRows) {
    s.port.ScrollRect({0, 0, s.port.Width(), s.ScreenRows * s.CellHeight - s.CellBaselineAdjust}, 0, -s.CellHeight);
    s.ScrollUpIntoScrollback();
    s.SetCursorRow(s.ScreenRows);
  }
  s.MoveToCell(s.CursorRow(), s.CursorCol());
}

// ---- The screen's questions --------------------------------------------------

bool SessionWindow::ScreenSide::IsFrontSessionWindow() {
  SessionWindows& o = w.owner_;
  return o.flags.ActiveWindowNumber == w.number_ && o.InFront(w.number_);
}

bool SessionWindow::ScreenSide::IsWindowCollapsed() { return w.owner_.services.windows.IsCollapsed(w.number_); }

int SessionWindow::ScreenSide::SerialBytesWaiting() { return w.session.conn.SerialBytesWaiting(); }

void SessionWindow::ScreenSide::SetScrollBarValue(int value) { w.controls.SetControlValue(kScrollBarControl, value); }

int64_t SessionWindow::ScreenSide::TickCount() { return w.owner_.services.clock.Ticks(); }

int SessionWindow::ScreenSide::DisplayWidth() { return w.owner_.services.windows.MainScreenSize().width; }

void SessionWindow::ScreenSide::InvalidatePictureArea() { w.services.pictures.InvalidatePictureArea(); }

void SessionWindow::ScreenSide::ShowLinesTransmitted() { w.services.transfers.ShowLinesTransmitted(); }

void SessionWindow::ScreenSide::EnableFontSizeMenuItem() { w.services.menus.EnableFontSizeMenuItem(); }

// ---- The connection's ---------------------------------------------------------

void SessionWindow::ConnectionSide::SpinWatchCursor() { w.owner_.services.busy.SpinWatchCursor(); }

void SessionWindow::ConnectionSide::ShowArrowCursor() { w.owner_.services.busy.ShowArrow(); }

void SessionWindow::ConnectionSide::WriteSessionLine(std::string_view text) {
  w.WriteSessionText(w.owner_.Localised(std::string(text)));
  w.NewSessionLine();
}

void SessionWindow::ConnectionSide::FlushSessionWindow() { w.session.screen.port.Flush(); }

std::string SessionWindow::ConnectionSide::Localised(const std::string& english) { return w.owner_.Localised(english); }

void SessionWindow::ConnectionSide::RequestFlushHostInput() { w.session.input.FlushRequest = 1; }

void SessionWindow::ConnectionSide::RequestSendReturn() { w.session.input.PendingCR = 1; }

void SessionWindow::ConnectionSide::RequestSendWindowSize() { w.session.window.WindowSizeRequest = 1; }

void SessionWindow::ConnectionSide::RequestSshUserName() { w.session.window.SshUserNameRequest = 1; }

void SessionWindow::ConnectionSide::DiscardReceivedInput() {
  HostInput& in = w.session.input;
  in.HostChunkLast = -1;
  in.HostChunkPos = 0;
}

bool SessionWindow::ConnectionSide::CloseByCommand() { return w.owner_.flags.CloseByCommand != 0; }

void SessionWindow::ConnectionSide::SetCloseRequested() { w.session.conn.CloseRequested = 1; }

void SessionWindow::ConnectionSide::ClearCurrentHostChar() { w.session.input.CurrentHostChar = 0; }

bool SessionWindow::ConnectionSide::NoSessionWindow() { return w.owner_.flags.NoSessionWindow != 0; }

void SessionWindow::ConnectionSide::SelectSessionWindow() {
  SessionWindows& o = w.owner_;
  o.flags.NoSessionWindow = 0;
  o.services.windows.BringToFront(o.flags.ActiveWindowNumber);
}

void SessionWindow::ConnectionSide::UpdateWindowTitle() { w.owner_.UpdateWindowTitle(w); }

void SessionWindow::ConnectionSide::SendSerialBreak(int milliseconds) {
  w.services.serial.SendSerialBreak(milliseconds);
}

void SessionWindow::ConnectionSide::CloseSerialPort() { w.services.serial.CloseSerialPort(); }

// ---- The window, as its session's services see it -------------------------------

void SessionWindow::RedrawWindow() { owner_.RedrawWindow(*this); }

void SessionWindow::SetWindowRect(int top, int left, int bottom, int right) {
  // The window system places the window; its size follows the host.
  if (right > left && bottom > top) owner_.services.windows.SetContentSize(number_, right - left, bottom - top);
}

void SessionWindow::ReopenSessionWindow() {
  if (owner_.flags.NoSessionWindow) connectionSide_.SelectSessionWindow();
}

void SessionWindow::ColumnModeChanged(bool wide) {
  services.menus.ShowWideModeMarks(wide);
  // A window too narrow for the columns the host chose grows to hold them.
  Screen& s = session.screen;
  const int needed = s.CellWidth * (s.ColumnsSetting + 1) + 4;
  const platform::Size now = owner_.services.windows.ContentSize(number_);
  if (wide && now.width < needed) owner_.services.windows.SetContentSize(number_, needed, now.height);
  owner_.RedrawWindow(*this);
}

void SessionWindow::ShowBusyCursor() { owner_.services.busy.SpinWatchCursor(); }

void SessionWindow::RestoreArrowCursor() { owner_.services.busy.ShowArrow(); }

bool SessionWindow::OpenOwnDocument(const std::string& path) {
  if (!owner_.onOpenDocument || DocumentKindOf(path, owner_.services.files) == DocumentKind::Other) return false;
  owner_.onOpenDocument(path);
  return true;
}

// ---- The settings' ----------------------------------------------------------------

int16_t SessionWindow::SettingsSide::PlainTextMode() { return w.session.input.PlainTextMode; }

int16_t SessionWindow::SettingsSide::SavedAutoWrap() { return w.session.window.SavedAutoWrap; }

int8_t SessionWindow::SettingsSide::CapsModeForced() { return w.session.window.CapsModeForced; }

int8_t SessionWindow::SettingsSide::ScrollBackSeen() { return w.owner_.flags.ScrollBackSeen; }

std::optional<std::vector<std::string>> SessionWindow::SettingsSide::SerialPortNames() {
  return w.services.serial.SerialPortNames();
}

std::optional<WindowFrame> SessionWindow::SettingsSide::OutputWindowFrame() {
  const platform::Rect frame = w.owner_.services.windows.ContentFrame(w.number_);
  if (frame.right <= frame.left || frame.bottom <= frame.top) return std::nullopt;
  return WindowFrame{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

int16_t SessionWindow::SettingsSide::CursorKeyApplicationMode() { return w.session.vt.CursorKeyApplicationMode; }

ScreenSize SessionWindow::SettingsSide::MainScreenSize() {
  const platform::Size size = w.owner_.services.windows.MainScreenSize();
  return {size.width, size.height};
}

bool SessionWindow::SettingsSide::KermitProgramFound() {
  const ChildPrograms& programs = w.owner_.services.programs;
  platform::Processes& processes = w.owner_.services.processes;
  return processes.IsExecutableFile(programs.KermitAppFolder + "/kermit") || !processes.FindOnPath("kermit").empty();
}

std::string SessionWindow::SettingsSide::BundledFunctionKeys(const std::string& fileName) {
  // The function keys the program carries for the session's emulation.
  WindowServices& shared = w.owner_.services;
  std::string path = shared.hostFolders.resources + "/Fkeys/" + fileName;
  std::string bytes;
  if (shared.requiredFiles) {
    // A program installed without its function keys: the user is told, and
    // may find the file.
    if (ReadRequiredFile(path, kMaxSettingsFileBytes, bytes, shared.files, shared.alerts, *shared.requiredFiles) != 0)
      return {};
  } else if (const int error = shared.files.ReadFile(path, bytes, kMaxSettingsFileBytes)) {
    shared.alerts.StopAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(path), " could not be read:", "\r",
                                platform::FileErrorText(error));
    return {};
  }
  return bytes;
}

void SessionWindow::SettingsSide::SetSessionDefaults() {
  Session& s = w.session;
  s.input.CaptureFileOn = 0;
  s.input.PrinterOn = 0;
  s.input.HoldOutput = 0;
  s.input.PlainTextMode = 0;
  s.conn.TermTypeString.clear();
}

void SessionWindow::SettingsSide::SetWindowSize(int width, int height) {
  Screen& s = w.session.screen;
  s.WindowWidth = static_cast<int16_t>(width);
  s.WindowHeight = static_cast<int16_t>(height);
}

void SessionWindow::SettingsSide::ResetScreenDefaults() {
  Screen& s = w.session.screen;
  s.SetCursorRow(1);
  s.SetCursorCol(1);
  s.DisplayOn = 1;
  s.TakeSessionColours();
}

void SessionWindow::SettingsSide::ComputeCellMetrics() { w.session.screen.ComputeCellMetrics(); }

void SessionWindow::SettingsSide::SetKeypadNumericMode() { w.session.input.KeypadNumericMode = 1; }

void SessionWindow::SettingsSide::MarkSerialRequiredItems(int16_t option) {
  w.services.menus.MarkSerialRequiredItems(option);
}

int SessionWindow::SettingsSide::ActivateProgramFonts() { return 0; }

void SessionWindow::SettingsSide::SetMenuCommandKeys() { w.services.menus.SetMenuCommandKeys(); }

void SessionWindow::SettingsSide::ApplyAttributeColours() {
  Screen& s = w.session.screen;
  s.TakeSessionColours();
  s.SetColoursForMode();
  s.RepaintPending = 1;
}

void SessionWindow::SettingsSide::BuildEditKeyStrings() {
  const EditKeyStrings strings = BuildControlStrings();
  std::copy(strings.begin(), strings.end(), w.session.wyse.EditKeyStrings.begin());
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
    word = "Local Shell";
  }
}

void SessionWindow::SettingsSide::LoadInternationalFile() {
  // The national sets are part of the program, so there is no file that
  // could be missing.
  w.session.input.NationalReplacement = input::NationalDisplayTable(w.session.Opt.HostCharacterSet);
}

void SessionWindow::SettingsSide::MarkClipboardOption(bool on) { w.services.menus.MarkClipboardOption(on); }

void SessionWindow::SettingsSide::RefreshAfterReading(bool /*fromDocument*/) {
  w.session.screen.RepaintPending = 1;
  w.services.clipboard.SettingsApplied();
  w.services.menus.ShowSessionMarks();
}

std::optional<std::string> SessionWindow::SettingsSide::AskSettingsFileName(const std::string& proposed) {
  return w.services.dialogs.AskSettingsFileName(proposed);
}

void SessionWindow::SettingsSide::ShowSettingsTitle(const std::string& title) {
  // The settings name the window in English; it is shown in the user's
  // language.
  static const std::string kUsing = "Korvane Using ";
  if (title.rfind(kUsing, 0) == 0) {
    w.owner_.SetWindowTitle(w, w.owner_.Localised(kUsing) + title.substr(kUsing.size()));
    return;
  }
  w.owner_.SetWindowTitle(w, title);
}

void SessionWindow::SettingsSide::LoadSettingsTempFile(const std::string& path) { w.owner_.LoadSettingsTempFile(path); }

void SessionWindow::SettingsSide::DialNumber(const std::string& number) { w.services.serial.DialNumber(number); }

void SessionWindow::SettingsSide::LoadFunctionKeyDocument(const std::string& path) {
  w.services.dialogs.LoadFunctionKeyDocument(path);
}

}  // namespace korvane
