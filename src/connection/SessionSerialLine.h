#pragma once
// A session's serial line: the port the session chose and its line settings,
// the modem on it (dial, hang-up) and the QuickDial phone book, carrying out
// what the session's connection, host input, menus and scripts ask of the
// serial line (SerialLine).
//
// The session's Connection reaches the port through a link this object puts
// in its SerialChannel; the connection's flags (UsesPty, ConnectionPort,
// ConnectionOpen) and the settings' port follow the port after every change,
// and the window title follows whether it is open. While the modem is being
// talked to, the link shows the host's input nothing: the modem's answers are
// examined by its sequence, not drawn.
//
// Nothing here waits. The program calls Step every turn of its main loop:
// it carries out dial requests, steps the modem's sequences and a break,
// moves output on to the line, notices a device that has gone away, and
// answers the time it next has something to do.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "connection/Connection.h"
#include "connection/Modem.h"
#include "connection/SerialPortSelection.h"
#include "connection/SerialSession.h"
#include "emulation/SessionServices.h"
#include "platform/Alerts.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Menus.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane {

// What the serial line needs of its session window and the program around it.
class SerialLineHost {
 public:
  virtual ~SerialLineHost() = default;
  // A text of the program in the user's language.
  virtual std::string Localised(const std::string& english) = 0;
  // One line of the program's own text (already in the user's language) in
  // the session window.
  virtual void WriteSessionLine(const std::string& text) = 0;
  // Before a hang-up: an open capture file is closed and clipboard capture
  // turned off.
  virtual void EndCaptureForHangUp() = 0;
  // The busy cursor while a dial waits for its answer; the arrow after.
  virtual void ShowBusyCursor(bool busy) = 0;
  // The connection's word changed ("Serial Port ttyUSB0"): a window titled
  // by its connection takes the new title; `always` retitles any window.
  virtual void ShowConnectionWord(const std::string& word, bool always) = 0;
  // The title's mark follows whether the connection is open.
  virtual void UpdateWindowTitle() = 0;
  // Closes the connection as the Connection menu does, asking the user when
  // the settings say so. False when the user kept it open.
  virtual bool CloseConnectionAsked() = 0;
  // The open and save dialogs for QuickDial service files; nullopt when the
  // user cancelled.
  virtual std::optional<std::string> ChooseQuickDialService(const std::string& prompt) = 0;
  virtual std::optional<std::string> ChooseNewQuickDialService(const std::string& prompt,
                                                               const std::string& proposedPath) = 0;
  // "Enter Phone Number" with a service's number, written back to `path`.
  virtual void OpenPhoneNumber(const std::string& path, const std::string& number) = 0;
  // A key that could not be taken.
  virtual void Beep() = 0;
};

// The port and the modem on it: the part of a session's serial line that may
// outlive its window, while a modem hangs up after the window has closed.
class SerialLineCore final : private ModemHost {
 public:
  SerialLineCore(SerialFiles& files, platform::Alerts& alerts, platform::Files& diskFiles, std::string quickDialPath)
      : serial(files), modem(serial, *this, alerts, diskFiles, std::move(quickDialPath)) {}
  SerialLineCore(const SerialLineCore&) = delete;
  SerialLineCore& operator=(const SerialLineCore&) = delete;
  ~SerialLineCore() override;

  SerialSession serial;
  Modem modem;
  // Where the modem's screen steps go; null once the window has closed.
  ModemHost* window = nullptr;

  // "+++" and "ATH", then the port closes. Only while the port is open.
  void HangUpAndClose(int64_t nowMs);
  bool HangingUp() const { return hangingUp_; }
  // A break and the modem's sequence, output moved on to the line and the
  // input that arrived taken in; the time of the next step, or -1.
  int64_t Step(int64_t nowMs);

 private:
  void EndCaptureForHangUp() override;
  void StartArmedRecorder() override;
  void ClearScreenAndHome() override;
  void DrawFunctionKeyBar() override;
  void ShowDialing(const std::string& number) override;
  void RestoreTextStyle() override;
  void SetCursorHidden(bool hidden) override;
  void MoveCursorTo(int row, int column) override;
  void ShowBusyCursor(bool busy) override;

  bool hangingUp_ = false;
};

struct SerialLineParts {
  SessionOptions& Opt;
  Connection& conn;
  Screen& screen;
  platform::Alerts& alerts;
  platform::Menus& menus;
  platform::Files& files;
  platform::Clock& clock;
  // The program's serial ports.
  SerialFiles& ports;
  // The settings folder (ending in "/"): the QuickDial file and services.
  std::string settingsFolder;
};

class SessionSerialLine final : public SerialLine, private ModemHost {
 public:
  SessionSerialLine(const SerialLineParts& parts, SerialLineHost& host);
  SessionSerialLine(const SessionSerialLine&) = delete;
  SessionSerialLine& operator=(const SessionSerialLine&) = delete;
  ~SessionSerialLine() override;

  // ---- What the program asks of it ----------------------------------------------
  // The session has its settings and starts: a serial session lists the
  // ports (warning when they changed), opens its port and greets the user
  // ("Ready for communications at 9600 Baud"), and a modem set to connect
  // at once is dialled. Any other session only has the port menu filled.
  // True when a serial port is open afterwards.
  bool StartSession();
  // Open Connection, Return while closed, a script: the port is opened (after
  // a hang-up under way, when it has ended).
  void OpenConnection();
  // Every turn of the main loop. The time of the next step, or -1.
  int64_t Step(int64_t nowMs);
  // A key typed into the session: true when it must not go to the host (the
  // modem is being talked to). A key ends the wait for the far end's answer
  // after a dial and then goes to the host as usual.
  bool TakeTypedKey();
  // Quitting: a modem with an open connection is hung up ("Modem
  // disconnecting. Please wait..."), and the port closes when it has ended.
  // True when a hang-up was started.
  bool StartQuitHangUp();
  // The window is closing: what is left to do on the port (a modem's
  // hang-up) is handed over, to be stepped without the window; null when
  // nothing is left (the port is closed). Touches nothing of the session.
  std::unique_ptr<SerialLineCore> Release();
  // A modem sequence or a hang-up is under way.
  bool Busy() const { return core_ && (core_->modem.Busy() || core_->HangingUp()); }
  // The session's serial settings as the menus show them, and showing them
  // there (the Baud items, the port menu's mark, flow control, format, the
  // dial mode and the modem DTR option).
  std::array<int32_t, 9> MenuState() const;
  void ShowInMenus();

  SerialSession& Serial() { return core_->serial; }
  Modem& TheModem() { return core_->modem; }
  SerialPortSelection& Selection() { return selection_; }

  // ---- SerialLine ----------------------------------------------------------------------
  void OpenSelectedSerialPort() override;
  void SendSerialBreak(int milliseconds) override;
  std::optional<std::vector<std::string>> SerialPortNames() override;
  std::string SerialPortName(int n) override;
  void HangUpModem() override;
  void CloseSerialPort() override;
  void DialNumber(const std::string& number) override;
  void ChooseBaudRate(int item) override;
  void ChooseSerialPort(int item) override;
  void ChooseFlowControl(int item) override;
  void ChooseSerialFormat(int item) override;
  void Dial() override;
  void DialFromQuickDialFile() override;
  void AddQuickDialService() override;
  void DeleteQuickDialFile() override;
  void LoadQuickDialList() override;
  void ToggleModemDtr() override;

 private:
  class PortLink;

  // ---- ModemHost: the modem's steps on the session's screen ----------------------------
  void EndCaptureForHangUp() override;
  void StartArmedRecorder() override;
  void ClearScreenAndHome() override;
  void DrawFunctionKeyBar() override;
  void ShowDialing(const std::string& number) override;
  void RestoreTextStyle() override;
  void SetCursorHidden(bool hidden) override;
  void MoveCursorTo(int row, int column) override;
  void ShowBusyCursor(bool busy) override;

  std::string L(const std::string& english) { return host_.Localised(english); }
  bool IsModem() const;
  // Lists the ports when no list was ever made, then opens the session's port.
  void OpenPort();
  // A hang-up under way is cut short and its port closed.
  void EndHangUp();
  // The session's kind changed (the Connection menu): to a serial line the
  // ports are listed and the chosen one opened; away from it the port closes.
  void FollowConnectionKind();
  // The port failed or its device went away: it is opened again, or, when
  // the device is not there any more, the connection ends with a line in
  // the session window.
  void Reopen();
  // A dial request of the user or a script on a session that is not on a
  // serial line is refused; otherwise the port is opened when needed.
  bool PrepareDial();
  // The connection's flags and the settings' port follow the port.
  void Sync();

  SessionOptions& Opt;
  Connection& conn_;
  Screen& screen_;
  platform::Alerts& alerts_;
  platform::Menus& menus_;
  platform::Files& files_;
  platform::Clock& clock_;
  SerialFiles& ports_;
  std::string settingsFolder_;
  SerialLineHost& host_;
  std::unique_ptr<SerialLineCore> core_;
  SerialPortSelection selection_;

  // The kind the session had at the last step; -1 before it started.
  int8_t lastUsesPty_ = -1;
  bool reopenRequested_ = false;
  bool openAfterHangUp_ = false;
  int16_t shownConnected_ = -1;
};

}  // namespace korvane
