#include "app/SerialLines.h"

#include <algorithm>

#include "connection/SerialMenuItems.h"
#include "platform/MenuNumbers.h"
#include "platform/posix/PosixSerialPorts.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

// ---- One window's serial line --------------------------------------------------------------

AppSerialLine::AppSerialLine(SerialLines& lines, SessionWindow& w, platform::AlertRoutines& alerts,
                             platform::Menus& menus)
    : lines_(lines), w_(w), alerts_(alerts), menus_(menus) {
  lines_.lines_.push_back(this);
}

AppSerialLine::~AppSerialLine() {
  auto& all = lines_.lines_;
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  // The window and its session are gone: a modem still to hang up is
  // handed over, anything else on the port ends here.
  if (line_) lines_.Adopt(line_->Release());
}

SessionSerialLine& AppSerialLine::Line() {
  if (!line_) {
    SessionWindows& owner = w_.Owner();
    SerialLineHost& host = *this;
    line_ = std::make_unique<SessionSerialLine>(
        SerialLineParts{w_.session.Opt, w_.session.conn, w_.session.screen, alerts_, menus_, owner.services.files,
                        owner.services.clock, lines_.Files(), owner.services.prefs.PrefsFolderPath},
        host);
  }
  return *line_;
}

std::optional<std::vector<std::string>> AppSerialLine::SerialPortNames() {
  if (!lines_.Files().SerialPortsScanned) return std::nullopt;
  return lines_.Files().SerialPortNames();
}

std::string AppSerialLine::SerialPortName(int n) { return lines_.Files().SerialPortName(n); }

std::string AppSerialLine::Localised(const std::string& english) {
  return w_.Owner().services.strings.Localise(english);
}

void AppSerialLine::WriteSessionLine(const std::string& text) {
  w_.WriteSessionText(text);
  w_.NewSessionLine();
  w_.session.screen.port.Flush();
}

void AppSerialLine::EndCaptureForHangUp() {
  if (w_.session.input.CaptureFileOn) w_.services.capture.CloseCaptureFile();
  if (w_.services.clipboard.ClipboardCaptureOn()) w_.services.clipboard.StopClipboardCapture();
}

void AppSerialLine::ShowBusyCursor(bool busy) {
  if (busy)
    w_.Owner().services.busy.SpinWatchCursor();
  else
    w_.Owner().services.busy.ShowArrow();
}

void AppSerialLine::ShowConnectionWord(const std::string& word, bool always) {
  SessionWindows& owner = w_.Owner();
  WindowState& ws = w_.session.window;
  // A window named after its settings document keeps that name.
  const bool titledByConnection = ws.ItemTitle == Localised("Korvane Using ") + ws.ConnectionWord;
  ws.ConnectionWord = word;
  if (always || titledByConnection) owner.SetWindowTitle(w_);
  owner.UpdateWindowTitle(w_);
}

void AppSerialLine::UpdateWindowTitle() { w_.Owner().UpdateWindowTitle(w_); }

bool AppSerialLine::CloseConnectionAsked() {
  w_.CloseConnection();
  return !w_.Connected();
}

platform::FileDialogs* AppSerialLine::Dialogs() {
  if (!lines_.fileDialogs)
    alerts_.NoteAlertText(platform::kPlainAlert, "Choosing a file", " is not available in this version of Korvane.");
  return lines_.fileDialogs;
}

std::optional<std::string> AppSerialLine::ChooseQuickDialService(const std::string& prompt) {
  platform::FileDialogs* dialogs = Dialogs();
  if (!dialogs) return std::nullopt;
  return dialogs->ChooseFile({platform::FileKind::QuickDial}, prompt);
}

std::optional<std::string> AppSerialLine::ChooseNewQuickDialService(const std::string& prompt,
                                                                    const std::string& proposedPath) {
  platform::FileDialogs* dialogs = Dialogs();
  if (!dialogs) return std::nullopt;
  return dialogs->ChooseNewFile(platform::FileKind::QuickDial, prompt, proposedPath);
}

void AppSerialLine::OpenPhoneNumber(const std::string& path, const std::string& number) {
  w_.services.dialogs.OpenPhoneNumber(path, number);
}

void AppSerialLine::Beep() { w_.services.sounds.Beep(); }

// ---- The program's serial lines ------------------------------------------------------------

SerialLines::SerialLines(platform::SerialPorts* machine, const std::string& settingsFolder, platform::Menus& menus)
    : own_(machine ? nullptr
                   : std::make_unique<platform::posix::PosixSerialPorts>(
                         platform::posix::PosixSerialPorts::PlacesOfThisMachine(settingsFolder))),
      machine_(machine ? *machine : *own_),
      files_(machine_),
      menus_(menus) {}

SerialLines::~SerialLines() = default;

AppSerialLine* SerialLines::For(const SessionWindow& w) {
  for (AppSerialLine* l : lines_)
    if (&l->Window() == &w) return l;
  return nullptr;
}

void SerialLines::Adopt(std::unique_ptr<SerialLineCore> core) {
  if (core) handedOver_.push_back(std::move(core));
}

bool SerialLines::HangingUp() const {
  if (!handedOver_.empty()) return true;
  return std::any_of(lines_.begin(), lines_.end(), [](const AppSerialLine* l) { return l->Busy(); });
}

int64_t SerialLines::Step(int64_t nowMs, SessionWindow* active) {
  int64_t next = -1;
  auto earliest = [&next](int64_t t) {
    if (t >= 0 && (next < 0 || t < next)) next = t;
  };
  // A step may show an alert; the windows stay as they are meanwhile, but
  // the list is walked on a copy all the same.
  const std::vector<AppSerialLine*> lines = lines_;
  for (AppSerialLine* l : lines)
    if (l->Made()) earliest(l->Line().Step(nowMs));
  for (auto& core : handedOver_) earliest(core->Step(nowMs));
  handedOver_.erase(
      std::remove_if(handedOver_.begin(), handedOver_.end(),
                     [](const std::unique_ptr<SerialLineCore>& c) { return !c->HangingUp() && !c->modem.Busy(); }),
      handedOver_.end());

  AppSerialLine* shown = active ? For(*active) : nullptr;
  if (shown && shown->Made()) {
    SessionSerialLine& line = shown->Line();
    const std::array<int32_t, 9> state = line.MenuState();
    const int window = active->Number();
    if (window != shownWindow_ || state != shownState_) {
      // Another session came to the front: its font-size items start afresh.
      if (shownWindow_ != 0 && window != shownWindow_) EnableMenu10Items(menus_);
      line.ShowInMenus();
      shownWindow_ = window;
      shownState_ = state;
    }
  }
  return next;
}

}  // namespace korvane::app
