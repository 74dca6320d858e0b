#pragma once
// The program's serial lines: the machine's serial ports, one table for every
// session; each session window's serial line, made over its window; the modem
// hang-ups that go on after their window has closed; and the menus, which
// show the serial settings of the active session.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connection/SerialFiles.h"
#include "connection/SessionSerialLine.h"
#include "emulation/SessionServices.h"
#include "platform/AlertRoutines.h"
#include "platform/FileDialogs.h"
#include "platform/Menus.h"
#include "platform/SerialPorts.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class SerialLines;

// One session window's serial line. It is made the first time it is used,
// once the window's session exists (the window asks for its services before
// it makes its session).
class AppSerialLine final : public SerialLine, private SerialLineHost {
 public:
  AppSerialLine(SerialLines& lines, SessionWindow& w, platform::AlertRoutines& alerts, platform::Menus& menus);
  AppSerialLine(const AppSerialLine&) = delete;
  AppSerialLine& operator=(const AppSerialLine&) = delete;
  ~AppSerialLine() override;

  SessionSerialLine& Line();
  bool Made() const { return line_ != nullptr; }
  // A modem sequence or a hang-up is under way on the line.
  bool Busy() const { return line_ && line_->Busy(); }
  const SessionWindow& Window() const { return w_; }

  // ---- SerialLine: the window's session line ---------------------------------------
  void OpenSelectedSerialPort() override { Line().OpenSelectedSerialPort(); }
  void SendSerialBreak(int milliseconds) override { Line().SendSerialBreak(milliseconds); }
  // The port list is the program's: answered without making the line (the
  // settings ask while a window is being set up).
  std::optional<std::vector<std::string>> SerialPortNames() override;
  std::string SerialPortName(int n) override;
  void HangUpModem() override { Line().HangUpModem(); }
  void CloseSerialPort() override { Line().CloseSerialPort(); }
  void DialNumber(const std::string& number) override { Line().DialNumber(number); }
  void ChooseBaudRate(int item) override { Line().ChooseBaudRate(item); }
  void ChooseSerialPort(int item) override { Line().ChooseSerialPort(item); }
  void ChooseFlowControl(int item) override { Line().ChooseFlowControl(item); }
  void ChooseSerialFormat(int item) override { Line().ChooseSerialFormat(item); }
  void Dial() override { Line().Dial(); }
  void DialFromQuickDialFile() override { Line().DialFromQuickDialFile(); }
  void AddQuickDialService() override { Line().AddQuickDialService(); }
  void DeleteQuickDialFile() override { Line().DeleteQuickDialFile(); }
  void LoadQuickDialList() override { Line().LoadQuickDialList(); }
  void ToggleModemDtr() override { Line().ToggleModemDtr(); }

 private:
  // ---- SerialLineHost: the window, as the line sees it --------------------------------
  std::string Localised(const std::string& english) override;
  void WriteSessionLine(const std::string& text) override;
  void EndCaptureForHangUp() override;
  void ShowBusyCursor(bool busy) override;
  void ShowConnectionWord(const std::string& word, bool always) override;
  void UpdateWindowTitle() override;
  bool CloseConnectionAsked() override;
  std::optional<std::string> ChooseQuickDialService(const std::string& prompt) override;
  std::optional<std::string> ChooseNewQuickDialService(const std::string& prompt,
                                                       const std::string& proposedPath) override;
  void OpenPhoneNumber(const std::string& path, const std::string& number) override;
  void Beep() override;
  // Without file dialogs no service file can be chosen: the user is told.
  platform::FileDialogs* Dialogs();

  SerialLines& lines_;
  SessionWindow& w_;
  platform::AlertRoutines& alerts_;
  platform::Menus& menus_;
  std::unique_ptr<SessionSerialLine> line_;
};

class SerialLines {
 public:
  // `machine`: the serial devices the program uses; null for this machine's
  // own (sysfs, and the devices named in KORVANE_SERIAL_DEVICES and in
  // "serial-devices" in the settings folder, which ends in "/").
  SerialLines(platform::SerialPorts* machine, const std::string& settingsFolder, platform::Menus& menus);
  SerialLines(const SerialLines&) = delete;
  SerialLines& operator=(const SerialLines&) = delete;
  ~SerialLines();

  SerialFiles& Files() { return files_; }
  // The open and save dialogs the QuickDial services are chosen with.
  platform::FileDialogs* fileDialogs = nullptr;

  // The serial line of window `w` (null for a window without one).
  AppSerialLine* For(const SessionWindow& w);
  // Every turn: each session's line stepped, and the hang-ups of closed
  // windows; the active session's serial settings shown in the menus. The
  // time of the next step, or -1.
  int64_t Step(int64_t nowMs, SessionWindow* active);
  // A modem is being hung up, in a window or after its window closed.
  bool HangingUp() const;
  // A closed window's port, with a hang-up still to finish.
  void Adopt(std::unique_ptr<SerialLineCore> core);

 private:
  friend class AppSerialLine;

  std::unique_ptr<platform::SerialPorts> own_;
  platform::SerialPorts& machine_;
  SerialFiles files_;
  platform::Menus& menus_;
  std::vector<AppSerialLine*> lines_;
  std::vector<std::unique_ptr<SerialLineCore>> handedOver_;
  // What the menus show: the window and its serial settings.
  int shownWindow_ = 0;
  std::array<int32_t, 9> shownState_{};
};

}  // namespace korvane::app
