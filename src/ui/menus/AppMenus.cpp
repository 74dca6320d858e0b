// The application menu, the Connection, Recorder, Host Control and Help
// menus, and the Colors submenu.

#include "connection/SerialMenuItems.h"
#include "platform/CharMap.h"
#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {
constexpr char kNoWindow[] = "Must open Korvane\xAA window first (Under the File Menu) ";
constexpr char kEtx = 3, kNak = 21, kCan = 24, kSub = 26;
}  // namespace

// ---- Application menu --------------------------------------------------------------------

void MenuDispatcher::DoAppMenu(int item) {
  using namespace app_item;
  SessionWindow* w = Active();
  switch (item) {
    case kAbout:
      if (w) w->services.dialogs.OpenDialog(platform::kAboutWindow);
      break;
    case kPreferences:
      if (RefusedWhenLocked() || !w) break;
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(kPreferencesWindow);
      break;
    case kQuit: host_.RequestQuit(); break;
    default: break;
  }
}

// ---- Connection menu ---------------------------------------------------------------------

void MenuDispatcher::DoConnectionMenu(int item) {
  using namespace connection_item;
  SessionWindow* w = Active();
  if (!w) return;
  switch (item) {
    case kOpen: OpenConnection(*w); break;
    case kClose: {
      ProgramFlags& flags = Windows().flags;
      flags.CloseByCommand = 1;
      w->CloseConnection();
      flags.CloseByCommand = 0;
      Windows().UpdateWindowTitle(*w);
      break;
    }
    case kLoginScripts:
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(kLoginScriptsWindow);
      break;
    case kSerial:
    case kLocalShell:
    case kTelnet:
    case kSecureShell:
      if (RefusedWhenLocked()) break;
      SwitchConnection(*w, item);
      break;
    case kKermit:
      MarkChanged(*w);
      ToggleKermit(*w);
      break;
    case kShellOptions:
    case kTelnetOptions:
    case kSshOptions:
      if (RefusedWhenLocked()) break;
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(item == kShellOptions    ? kShellWindow
                                     : item == kTelnetOptions ? kTelnetWindow
                                                              : kSshWindow);
      break;
    case kAutoConnect:
      MarkChanged(*w);
      w->session.Opt.AutoConnect = w->session.Opt.AutoConnect ? 0 : 1;
      break;
    default: break;
  }
}

void MenuDispatcher::OpenConnection(SessionWindow& w) {
  Session& s = w.session;
  SessionWindows& windows = Windows();
  if (s.Opt.UsesPty && s.Opt.TelnetSession && s.Opt.TelnetHost.empty()) {
    Alerts().StopAlertText(platform::kPlainAlert, "You must enter a Host IP address.", "\r",
                           "Select Telnet Connection... from the Connection Menu");
    return;
  }
  if (s.Opt.UsesPty && s.Opt.SshSession && s.Opt.SshHost.empty()) {
    Alerts().StopAlertText(platform::kPlainAlert, "You must enter a Host Name.", "\r",
                           "Select Secure Shell Connection... from the Connection Menu");
    return;
  }
  SelectSessionWindowIfNone();
  windows.ResetScrollbackView(w);
  if (w.Connected()) w.CloseConnection();
  // The user may have kept the connection when asked.
  // The pending open-connection request opens a serial line's port too.
  if (!w.Connected()) host_.RequestOpenConnection();
  windows.UpdateWindowTitle(w);
  if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
}

void MenuDispatcher::SwitchConnection(SessionWindow& w, int item) {
  using namespace connection_item;
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  SessionWindows& windows = Windows();
  const bool wasLocalShell = o.UsesPty && !o.TelnetSession && !o.SshSession;
  if (w.Connected()) {
    w.CloseConnection();
    // The user kept the connection: the session stays what it is, rather
    // than being switched under a child that still runs.
    if (w.Connected()) return;
  }
  if (item == kTelnet || item == kSecureShell) {
    o.XonXoffOn = 0;
    if (wasLocalShell && s.conn.PtyStream) {
      SessionChild child(o, s.conn, windows.services.processes, Alerts(), windows.services.programs);
      child.CloseSessionChild();
    }
  }
  MarkChanged(w);
  o.UsesPty = item == kSerial ? 0 : 1;
  o.LocalShellSession = item == kLocalShell ? 1 : 0;
  o.TelnetSession = item == kTelnet ? 1 : 0;
  o.SshSession = item == kSecureShell ? 1 : 0;
  s.conn.UsesPty = static_cast<int8_t>(o.UsesPty);
  FillBaudRateMenu(Menus(), static_cast<int8_t>(o.UsesPty), o.BaudRate);
  std::string& word = s.window.ConnectionWord;
  if (item == kSerial) {
    if (o.ConnectionPort != 0 && !w.Connected()) w.services.serial.OpenSelectedSerialPort();
    o.KermitMode = 0;
    const int port = o.ConnectionPort < 0 ? -o.ConnectionPort : o.ConnectionPort;
    const std::string name = w.services.serial.SerialPortName(port);
    word = name.find("modem") != std::string::npos ? name : "Serial Port " + name;
  } else {
    word = item == kLocalShell ? "Local Shell" : item == kTelnet ? "Telnet" : "Secure Connection";
  }
  windows.SetWindowTitle(w);
  // A local shell starts at once; telnet and secure shell wait for Open
  // Connection.
  if (item == kLocalShell) w.StartConnection();
  windows.UpdateWindowTitle(w);
}

void MenuDispatcher::ToggleKermit(SessionWindow& w) {
  SessionOptions& o = w.session.Opt;
  if (o.KermitMode) {
    o.KermitMode = 0;
    Alerts().NoteAlertText(platform::kPlainAlert, "Kermit will be disabled the next time you open a connection");
    return;
  }
  if (!o.UsesPty) {
    Alerts().StopAlertText(platform::kPlainAlert, "Korvane does not support Kermit for serial connections");
    return;
  }
  SessionWindows& windows = Windows();
  const ChildPrograms& programs = windows.services.programs;
  platform::Processes& processes = windows.services.processes;
  const bool installed =
      processes.IsExecutableFile(programs.KermitAppFolder + "/kermit") || !processes.FindOnPath("kermit").empty();
  if (!installed) {
    Alerts().StopAlertText(platform::kPlainAlert,
                           "Kermit is not installed properly. Please read the Kermit Installation Instructions.");
    documents_.OpenHelpDocument(HelpDocument::KermitInstallation, Language());
    return;
  }
  o.KermitMode = 1;
  o.PtyOption159 = 0;
  Alerts().NoteAlertText(platform::kPlainAlert, "Kermit will be enabled the next time you open a connection");
}

// ---- Recorder menu -------------------------------------------------------------------------

void MenuDispatcher::DoRecorderMenu(int item) {
  using namespace recorder_item;
  SessionWindow* w = Active();
  if (NeedsSessionWindow(kNoWindow)) return;
  Session& s = w->session;
  SessionOptions& o = s.Opt;
  CaptureService& capture = w->services.capture;
  switch (item) {
    case kRecorder:
      // The item is checked while a capture runs: choosing it then ends it.
      if (s.input.CaptureFileOn)
        capture.RecorderOff();
      else
        capture.RecorderOn();
      break;
    case kNewCapture: capture.NewCaptureFile(); break;
    case kAppendCapture: capture.AppendToCaptureFile(); break;
    case kDeleteCapture: capture.DeleteCaptureFile(); break;
    case kCaptureApplication:
      w->services.dialogs.OpenDialog(kCaptureApplicationWindow);
      if (o.XonXoffOn == 1) s.conn.SendXoffXon();
      break;
    case kClipboardOn:
      if (w->services.clipboard.ClipboardCaptureOn())
        w->services.clipboard.StopClipboardCapture();
      else
        w->services.clipboard.StartClipboardCapture();
      break;
    case kClipboardOption:
      MarkChanged(*w);
      o.ClipboardOption41 = o.ClipboardOption41 ? 0 : 1;
      break;
    case kLineEndLf:
    case kLineEndCr:
      MarkChanged(*w);
      o.LineEnd = item == kLineEndLf ? SessionOptions::kLineEndLf : SessionOptions::kLineEndCr;
      break;
    case kAddLf:
      MarkChanged(*w);
      o.CollectAddLf = o.CollectAddLf ? 0 : 1;
      break;
    case kCameraSound:
      MarkChanged(*w);
      o.UseCameraSound = o.UseCameraSound ? 0 : 1;
      break;
    case kSelectionAsText:
      MarkChanged(*w);
      o.SelectionOption = o.SelectionOption ? 0 : 1;
      break;
    default: break;
  }
}

// ---- Host Control menu -------------------------------------------------------------------

void MenuDispatcher::DoHostControlMenu(int item) {
  using namespace host_item;
  SessionWindow* w = Active();
  if (!w) return;
  Session& s = w->session;
  MarkChanged(*w);
  Windows().ResetScrollbackView(*w);
  const bool xonXoff = s.Opt.XonXoffOn == 1;
  auto sendAfterClosingTransfer = [&](char c) {
    w->services.transfers.CloseTransferFile();
    s.conn.SendToHost("", c);
  };
  switch (item) {
    case kHold:
      // The host is held until Release Host: its output is not read.
      s.input.HoldOutput = 1;
      if (xonXoff) {
        s.conn.SendXoff();
        s.conn.SendXoff();
      }
      break;
    case kRelease:
      s.input.HoldOutput = 0;
      if (xonXoff) s.conn.SendXoffXon();
      break;
    case kSendEtx: sendAfterClosingTransfer(kEtx); break;
    case kSendNak: sendAfterClosingTransfer(kNak); break;
    case kSendCan: sendAfterClosingTransfer(kCan); break;
    case kSendSub: sendAfterClosingTransfer(kSub); break;
    case kYesNo: s.Opt.String171 = s.Opt.String171 == "No" ? "Yes" : "No"; break;
    case kKeepAlive:
      if (RefusedWhenLocked()) break;
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(kKeepAliveWindow);
      break;
    default: break;
  }
}

// ---- Help menu ------------------------------------------------------------------------------

void MenuDispatcher::DoHelpMenu(int item) { documents_.OpenHelpMenuItem(item, Language()); }

// ---- Colors submenu -------------------------------------------------------------------------

void MenuDispatcher::DoColoursSubmenu(int item) {
  SessionWindow* w = Active();
  if (!w) return;
  SelectSessionWindowIfNone();
  w->services.dialogs.OpenDialog(item == 1 ? kColoursWindow : kVideoAttributesWindow);
}

}  // namespace korvane::ui
