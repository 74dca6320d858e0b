#include "connection/SessionSerialLine.h"

#include <cstdlib>

#include "connection/QuickDial.h"
#include "connection/SerialMenuItems.h"
#include "platform/FileDialogs.h"
#include "platform/MenuNumbers.h"
#include "settings/SettingsText.h"

namespace korvane {
namespace {

constexpr int kDialerDtrItem = 12;
constexpr int kToneItem = 10, kPulseItem = 11;

}  // namespace

// The session's port as its Connection sees it. While the modem is being
// talked to, or no port is open, the host has nothing to show and the event
// loop nothing to wait on.
class SessionSerialLine::PortLink final : public HostLink {
 public:
  explicit PortLink(SessionSerialLine& line) : line_(line) {}

  void Write(const uint8_t* data, int n) override {
    if (SerialFile* f = File()) f->Write(data, n);
  }
  int Read(uint8_t* buf, int max) override {
    if (line_.core_->modem.Busy()) return 0;
    SerialFile* f = File();
    return f ? f->Read(buf, max) : -1;
  }
  int Waiting() override {
    if (line_.core_->modem.Busy()) return 0;
    SerialFile* f = File();
    return f ? f->Waiting() : 0;
  }
  bool Ended() override {
    SerialFile* f = File();
    return !f || (!line_.core_->modem.Busy() && f->Ended());
  }
  int WaitDescriptor() override {
    SerialFile* f = File();
    return f && !line_.core_->modem.Busy() ? f->Port().Descriptor() : -1;
  }
  bool OutputWaiting() override {
    SerialFile* f = File();
    return f && f->Port().PendingOutput() > 0;
  }
  size_t OutputQueued() const override {
    const SerialFile* f = File();
    return f ? f->OutputQueued() : 0;
  }
  bool SendFlowControlNow(bool xoff) override {
    SerialFile* f = File();
    return f && f->Port().SendXonXoff(xoff) == 0;
  }

 private:
  SerialFile* File() const { return line_.core_ ? line_.core_->serial.File() : nullptr; }
  SessionSerialLine& line_;
};

// ---- The port and the modem ------------------------------------------------------------

SerialLineCore::~SerialLineCore() {
  window = nullptr;
  modem.Stop();
  serial.CloseSerialFile();
}

void SerialLineCore::HangUpAndClose(int64_t nowMs) {
  hangingUp_ = true;
  modem.HangUpModem(nowMs, [this] {
    serial.CloseSerialFile();
    serial.ConnectionOpen = 0;
    serial.Connected = 0;
    hangingUp_ = false;
  });
}

int64_t SerialLineCore::Step(int64_t nowMs) {
  int64_t next = serial.Step(nowMs);
  const int64_t modemNext = modem.Step(nowMs);
  if (modemNext >= 0 && (next < 0 || modemNext < next)) next = modemNext;
  // What the line did not take yet goes on, and what arrived is taken in
  // (a window behind the others keeps its host's bytes until it comes to
  // the front, instead of leaving them to the system's small buffer).
  if (SerialFile* f = serial.File()) f->Port().Waiting();
  return next;
}

// Without a window there is no screen to clear and no cursor to show: a
// hang-up handed over when its window closed only talks to the modem.
void SerialLineCore::EndCaptureForHangUp() {
  if (window) window->EndCaptureForHangUp();
}
void SerialLineCore::StartArmedRecorder() {
  if (window) window->StartArmedRecorder();
}
void SerialLineCore::ClearScreenAndHome() {
  if (window) window->ClearScreenAndHome();
}
void SerialLineCore::DrawFunctionKeyBar() {
  if (window) window->DrawFunctionKeyBar();
}
void SerialLineCore::ShowDialing(const std::string& number) {
  if (window) window->ShowDialing(number);
}
void SerialLineCore::RestoreTextStyle() {
  if (window) window->RestoreTextStyle();
}
void SerialLineCore::SetCursorHidden(bool hidden) {
  if (window) window->SetCursorHidden(hidden);
}
void SerialLineCore::MoveCursorTo(int row, int column) {
  if (window) window->MoveCursorTo(row, column);
}
void SerialLineCore::ShowBusyCursor(bool busy) {
  if (window) window->ShowBusyCursor(busy);
}

// ---- The session's serial line -------------------------------------------------------------

SessionSerialLine::SessionSerialLine(const SerialLineParts& parts, SerialLineHost& host)
    : Opt(parts.Opt),
      conn_(parts.conn),
      screen_(parts.screen),
      alerts_(parts.alerts),
      menus_(parts.menus),
      files_(parts.files),
      clock_(parts.clock),
      ports_(parts.ports),
      settingsFolder_(parts.settingsFolder),
      host_(host),
      core_(std::make_unique<SerialLineCore>(parts.ports, parts.alerts, parts.files,
                                             QuickDialFilePath(parts.settingsFolder))),
      selection_(parts.Opt, core_->serial, parts.alerts, parts.menus) {
  core_->window = this;
  conn_.SerialChannel = std::make_unique<PortLink>(*this);
}

SessionSerialLine::~SessionSerialLine() {
  // The session may be gone already: nothing of it is touched from here on.
  if (core_) core_->window = nullptr;
}

bool SessionSerialLine::IsModem() const {
  const int n = std::abs(core_->serial.ConnectionPort);
  return n != 0 && IsModemPort(ports_.SerialPortName(n), ports_.SerialPortStableName(n));
}

void SessionSerialLine::Sync() {
  SerialSession& s = core_->serial;
  // A pty child still running keeps its kind until it is closed.
  if (!conn_.PtyStream) conn_.UsesPty = Opt.UsesPty;
  conn_.ConnectionPort = s.ConnectionPort;
  conn_.ConnectionOpen = s.ConnectionOpen;
  // A pty session keeps the port its settings name, for the day it is
  // switched back to the serial line.
  if (!Opt.UsesPty) Opt.ConnectionPort = s.ConnectionPort;
  if (!conn_.UsesPty) {
    const int16_t open = static_cast<int16_t>(conn_.ConnectionIsOpen());
    if (open != shownConnected_) {
      shownConnected_ = open;
      host_.UpdateWindowTitle();
    }
  }
}

bool SessionSerialLine::StartSession() {
  SerialSession& s = core_->serial;
  lastUsesPty_ = Opt.UsesPty;
  s.ConnectionPort = static_cast<int16_t>(-std::abs(Opt.ConnectionPort));
  if (Opt.UsesPty) {
    if (!ports_.SerialPortsScanned) selection_.FillSerialPortMenu();
    return false;
  }
  conn_.UsesPty = 0;
  selection_.ListSerialPorts();
  if (!s.ConnectionOpen) selection_.OpenSelectedSerialPort();
  if (s.ConnectionPort != 0) host_.ShowConnectionWord(SerialConnectionWord(s.PortName()), false);
  Sync();
  if (!s.ConnectionOpen) return false;
  host_.WriteSessionLine("");
  host_.WriteSessionLine(L("Ready for communications at") + NumberLine(Opt.BaudRate) + L(" Baud"));
  if (Opt.AutoConnect && IsModem()) {
    const QuickDialNumber quick = ReadQuickDialFile(files_, QuickDialFilePath(settingsFolder_));
    if (!quick.number.empty()) {
      core_->modem.DialNumber.clear();
      core_->modem.DialRequest = 1;
    } else {
      alerts_.Show(platform::AlertKind::Note, platform::kPlainAlert,
                   "Select 'Enter QuickDial Number...' from the Dialer Menu and enter a phone number.");
    }
  }
  return true;
}

void SessionSerialLine::EndHangUp() {
  // The user chose another port or setting: the hang-up under way ends here
  // and its port closes, before anything opens a port again.
  if (core_->HangingUp()) core_->modem.Stop();
}

void SessionSerialLine::OpenPort() {
  EndHangUp();
  if (!ports_.SerialPortsScanned) selection_.ListSerialPorts();
  selection_.OpenSelectedSerialPort();
  Sync();
}

void SessionSerialLine::OpenConnection() {
  if (Opt.UsesPty) return;
  if (core_->HangingUp()) {
    openAfterHangUp_ = true;
    return;
  }
  OpenPort();
}

void SessionSerialLine::FollowConnectionKind() {
  if (lastUsesPty_ < 0 || Opt.UsesPty == lastUsesPty_) return;
  lastUsesPty_ = Opt.UsesPty;
  SerialSession& s = core_->serial;
  if (Opt.UsesPty) {
    // Another kind was chosen. Its switch has closed the connection; a port
    // still open (a modem hanging up goes on to its end) is closed.
    if (!core_->HangingUp()) {
      core_->modem.Stop();
      s.CloseSerialFile();
      s.ConnectionOpen = 0;
      s.Connected = 0;
    }
    Sync();
    return;
  }
  if (!conn_.PtyStream) conn_.UsesPty = 0;
  EndHangUp();
  s.ConnectionPort = static_cast<int16_t>(-std::abs(Opt.ConnectionPort));
  if (!s.ConnectionOpen) selection_.ListSerialPorts();
  if (s.ConnectionPort != 0 && !s.ConnectionOpen) selection_.OpenSelectedSerialPort();
  host_.ShowConnectionWord(SerialConnectionWord(s.PortName()), true);
  Sync();
}

void SessionSerialLine::Reopen() {
  reopenRequested_ = false;
  SerialSession& s = core_->serial;
  SerialFile* f = s.File();
  if (!f || Opt.UsesPty) return;
  if (!f->Ended()) {
    selection_.OpenSelectedSerialPort();
    Sync();
    return;
  }
  // The device went away (an adapter unplugged, the far end of a
  // pseudo-terminal closed). One try to open it again; a device that is
  // still not there ends the connection, said in the session window, and
  // nothing is tried again until the user opens the connection.
  const std::string name = s.PortName();
  core_->modem.Stop();
  s.CloseSerialFile();
  selection_.QuietWhenGone = true;
  selection_.DeviceGone = false;
  selection_.OpenSelectedSerialPort();
  selection_.QuietWhenGone = false;
  Sync();
  if (selection_.DeviceGone) {
    selection_.DeviceGone = false;
    host_.WriteSessionLine(L("The serial port has gone away; the connection is closed:") + " " + name);
  }
}

int64_t SessionSerialLine::Step(int64_t nowMs) {
  FollowConnectionKind();
  SerialSession& s = core_->serial;
  Modem& m = core_->modem;
  if (SerialFile* f = s.File(); f && !Opt.UsesPty && !core_->HangingUp()) {
    if (reopenRequested_ || f->Ended())
      Reopen();
    else if (!m.Busy())
      selection_.CheckSerialPort();
  }
  reopenRequested_ = false;

  if (!m.Busy() && !core_->HangingUp()) {
    if (m.DialRequest == 1) {
      if (Opt.UsesPty)
        m.DialRequest = 0;
      else
        m.ModemHangUpAndDial(Opt, nowMs);
    } else if (m.QuickDialFileRequest == 1) {
      std::optional<std::string> number;
      if (!Opt.UsesPty && s.Link()) {
        if (const auto path = host_.ChooseQuickDialService(L("Dial from QuickDial File"))) {
          const QuickDialNumber read = ReadQuickDialFile(files_, *path);
          if (read.error)
            alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The QuickDial service could not be read:", "\r",
                         platform::FileErrorText(read.error));
          else
            number = read.number;
        }
      }
      m.DialServiceFile(Opt, number, clock_.Milliseconds());
    }
  }

  const int64_t next = core_->Step(nowMs);
  if (openAfterHangUp_ && !core_->HangingUp()) {
    openAfterHangUp_ = false;
    OpenPort();
  }
  Sync();
  return next;
}

bool SessionSerialLine::TakeTypedKey() {
  Modem& m = core_->modem;
  if (!m.Busy()) return false;
  if (m.AwaitingAnswer()) {
    m.NoteKeyTyped();
    m.Step(clock_.Milliseconds());
    Sync();
    if (!m.Busy()) return false;
  }
  // Typed into the middle of the modem's commands, the key would spoil them.
  host_.Beep();
  return true;
}

bool SessionSerialLine::StartQuitHangUp() {
  SerialSession& s = core_->serial;
  if (core_->HangingUp()) return true;
  if (Opt.UsesPty || !s.ConnectionOpen || !s.File() || s.File()->Ended() || !IsModem()) return false;
  host_.WriteSessionLine(L("Modem disconnecting. Please wait..."));
  core_->HangUpAndClose(clock_.Milliseconds());
  s.ConnectionOpen = 0;
  s.Connected = 0;
  Sync();
  return true;
}

std::unique_ptr<SerialLineCore> SessionSerialLine::Release() {
  if (!core_) return nullptr;
  core_->window = nullptr;
  SerialSession& s = core_->serial;
  if (core_->HangingUp()) return std::move(core_);
  if (s.ConnectionOpen && s.File() && !s.File()->Ended() && IsModem()) {
    core_->HangUpAndClose(clock_.Milliseconds());
    return std::move(core_);
  }
  core_->modem.Stop();
  s.CloseSerialFile();
  return nullptr;
}

// ---- The menus -----------------------------------------------------------------------------

std::array<int32_t, 9> SessionSerialLine::MenuState() const {
  return {Opt.UsesPty,           Opt.BaudRate, core_ ? core_->serial.ConnectionPort : 0,          Opt.XonXoffOn,
          Opt.DataBits,          Opt.Parity,   Opt.DialMode.empty() ? 'T' : Opt.DialMode.front(), Opt.ModemDtrOption,
          ports_.SerialPortCount};
}

void SessionSerialLine::ShowInMenus() {
  FillBaudRateMenu(menus_, Opt.UsesPty, Opt.BaudRate);
  const int port = std::abs(core_->serial.ConnectionPort);
  for (int i = 1; i <= menus_.CountItems(platform::kSerialPortMenu); ++i) {
    menus_.EnableItem(platform::kSerialPortMenu, i, true);
    menus_.MarkItem(platform::kSerialPortMenu, i, i == port);
  }
  const int flowItem = Opt.XonXoffOn == 1 ? 1 : Opt.XonXoffOn == 2 ? 2 : 3;
  for (int i = 1; i <= 3; ++i) menus_.MarkItem(kFlowControlMenu, i, i == flowItem);
  menus_.MarkItem(kSerialFormatMenu, 1, Opt.DataBits == 0);
  menus_.MarkItem(kSerialFormatMenu, 2, Opt.DataBits == 1);
  const int parityItem = Opt.Parity == 1 ? 5 : Opt.Parity == 2 ? 4 : 3;
  for (int i = 3; i <= 5; ++i) menus_.MarkItem(kSerialFormatMenu, i, i == parityItem);
  const bool pulse = !Opt.DialMode.empty() && (Opt.DialMode.front() == 'P' || Opt.DialMode.front() == 'p');
  menus_.MarkItem(platform::kDialerMenu, kToneItem, !pulse);
  menus_.MarkItem(platform::kDialerMenu, kPulseItem, pulse);
  menus_.MarkItem(platform::kDialerMenu, kDialerDtrItem, Opt.ModemDtrOption != 0);
}

// ---- SerialLine ----------------------------------------------------------------------------

void SessionSerialLine::OpenSelectedSerialPort() {
  // Host input calls this in the middle of a pass when a read failed: the
  // port is seen to at the next step, outside the pass, so that no line is
  // written into the window while the host's output is being drawn.
  reopenRequested_ = true;
}

void SessionSerialLine::SendSerialBreak(int milliseconds) {
  core_->serial.SendSerialBreak(milliseconds, clock_.Milliseconds());
}

std::optional<std::vector<std::string>> SessionSerialLine::SerialPortNames() {
  if (!ports_.SerialPortsScanned) return std::nullopt;
  return ports_.SerialPortNames();
}

std::string SessionSerialLine::SerialPortName(int n) { return ports_.SerialPortName(n); }

void SessionSerialLine::HangUpModem() {
  SerialSession& s = core_->serial;
  if (Opt.UsesPty || !s.ConnectionOpen || !s.Link()) {
    alerts_.Show(platform::AlertKind::Note, platform::kPlainAlert, "There is no connection open to the host.");
    return;
  }
  core_->modem.HangUpModem(clock_.Milliseconds());
}

void SessionSerialLine::CloseSerialPort() {
  SerialSession& s = core_->serial;
  openAfterHangUp_ = false;
  if (!core_->HangingUp()) {
    if (s.ConnectionOpen && s.File() && !s.File()->Ended() && IsModem()) {
      core_->HangUpAndClose(clock_.Milliseconds());
    } else {
      core_->modem.Stop();
      s.CloseSerialFile();
    }
  }
  s.ConnectionOpen = 0;
  s.Connected = 0;
  Sync();
}

bool SessionSerialLine::PrepareDial() {
  if (Opt.UsesPty) {
    alerts_.Show(platform::AlertKind::Stop, platform::kPlainAlert, "Cannot Dial unless Serial / Modem is selected.",
                 "\r", "(Look under the Connection Menu)");
    return false;
  }
  if (!core_->serial.ConnectionOpen) {
    OpenConnection();
    host_.UpdateWindowTitle();
  }
  return true;
}

void SessionSerialLine::DialNumber(const std::string& number) {
  if (!PrepareDial()) return;
  core_->modem.DialNumber = number;
  core_->modem.DialRequest = 1;
}

void SessionSerialLine::Dial() {
  if (!PrepareDial()) return;
  core_->modem.DialNumber.clear();
  core_->modem.DialRequest = 1;
}

void SessionSerialLine::DialFromQuickDialFile() {
  if (!PrepareDial()) return;
  core_->modem.QuickDialFileRequest = 1;
}

void SessionSerialLine::ChooseBaudRate(int item) {
  EndHangUp();
  selection_.ChooseBaudRate(item);
  Sync();
}

void SessionSerialLine::ChooseSerialPort(int item) {
  EndHangUp();
  const SerialPortSelection::PortChoice choice =
      selection_.DoSerialPortMenu(item, [this] { return host_.CloseConnectionAsked(); });
  Sync();
  if (!choice.opened) return;
  // The ports the user chose from are the ones the settings remember now,
  // as saving them would write.
  Opt.SerialPortList.clear();
  for (const std::string& name : ports_.SerialPortNames()) Opt.SerialPortList += name + ",";
  host_.ShowConnectionWord(choice.connectionWord, true);
}

void SessionSerialLine::ChooseFlowControl(int item) {
  EndHangUp();
  selection_.ChooseFlowControl(item);
  Sync();
}

void SessionSerialLine::ChooseSerialFormat(int item) {
  EndHangUp();
  selection_.ChooseSerialFormat(item);
  Sync();
}

void SessionSerialLine::AddQuickDialService() {
  const std::string folder = QuickDialServicesFolder(settingsFolder_);
  files_.MakeFolders(folder);
  const auto path = host_.ChooseNewQuickDialService(L("Enter name of service"), folder);
  if (!path) return;
  std::string file = *path;
  if (platform::FileKindOf(file) != platform::FileKind::QuickDial) file += kQuickDialServiceExtension;
  host_.OpenPhoneNumber(file, "");
}

void SessionSerialLine::LoadQuickDialList() {
  const auto path = host_.ChooseQuickDialService(L("Load QuickDial List..."));
  if (!path) return;
  const QuickDialNumber read = ReadQuickDialFile(files_, *path);
  if (read.error) {
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The QuickDial service could not be read:", "\r",
                 platform::FileErrorText(read.error));
    return;
  }
  host_.OpenPhoneNumber(*path, read.number);
}

void SessionSerialLine::DeleteQuickDialFile() {
  const auto path = host_.ChooseQuickDialService(L("Delete QuickDial File"));
  if (!path) return;
  if (const int error = DeleteQuickDialService(files_, *path))
    alerts_.Show(platform::AlertKind::Stop, kSerialAlert, "The QuickDial service could not be deleted:", "\r",
                 platform::FileErrorText(error));
}

void SessionSerialLine::ToggleModemDtr() {
  const bool on = Opt.ModemDtrOption == 0;
  Opt.ModemDtrOption = on ? 1 : 0;
  if (on && Opt.DialerOption50 == 1) Opt.DialerOption50 = 2;
  if (!on && Opt.DialerOption50 == 2) Opt.DialerOption50 = 1;
  menus_.MarkItem(platform::kDialerMenu, kDialerDtrItem, on);
}

// ---- The modem's steps on the session's screen ---------------------------------------------

void SessionSerialLine::EndCaptureForHangUp() { host_.EndCaptureForHangUp(); }

// Nothing in this program arms a recorder to wait for a connection (the
// Recorder menu starts one at once), so there is none to start here.
void SessionSerialLine::StartArmedRecorder() {}

void SessionSerialLine::ClearScreenAndHome() { screen_.ClearScreenAndHome(); }

void SessionSerialLine::DrawFunctionKeyBar() { screen_.DrawFunctionKeyBar(); }

void SessionSerialLine::ShowDialing(const std::string& number) { host_.WriteSessionLine(L("Dialing  ") + number); }

void SessionSerialLine::RestoreTextStyle() { screen_.SetNormalTextStyle(); }

void SessionSerialLine::SetCursorHidden(bool hidden) {
  if (hidden && screen_.CursorDrawn) screen_.EraseTextCursor();
  screen_.CursorHidden = hidden ? 1 : 0;
}

void SessionSerialLine::MoveCursorTo(int row, int column) {
  screen_.SetCursor(row, column);
  screen_.MoveToCell(screen_.CursorRow(), screen_.CursorCol());
}

void SessionSerialLine::ShowBusyCursor(bool busy) { host_.ShowBusyCursor(busy); }

}  // namespace korvane
