#pragma once
// The session windows: up to ten, numbered 48 to 57, each with its own
// Session (screen, scroll-back, modes, connection, settings). One of them is
// the active session; bringing another window to the front switches the
// active session and does, in order, everything the switch shows to the user
// and the hosts: XOFF to the outgoing host, XOFF and XON to the incoming one,
// the cursor brought onto the screen, the cell metrics recomputed, the serial
// port marked, and the repaint, the function-key bar, the title and the
// capture status requested. Only the active window, and only while it is in
// front, reads its host's input; the others keep theirs waiting.
//
// This file also holds the window lifecycle: opening a window (its limits,
// title and temporary settings file), the window events (close with its
// questions, refresh, activation, resize, move, click), and the redraw steps.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connection/ChildPrograms.h"
#include "connection/SessionChild.h"
#include "emulation/FloodGate.h"
#include "emulation/SessionServices.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Menus.h"
#include "platform/Processes.h"
#include "platform/Windows.h"
#include "settings/Preferences.h"
#include "settings/RequiredFile.h"
#include "settings/Settings.h"
#include "platform/AlertRoutines.h"
#include "platform/NumberedWindows.h"
#include "platform/StringTable.h"
#include "windows/WindowMenu.h"
#include "windows/Session.h"
#include "windows/SessionServiceProvider.h"

namespace korvane {

// Program-wide state that the window code and the main loop share.
struct ProgramFlags {
  // 255 from a quit request, 1 from the quit confirmation of the last window.
  int8_t QuitFlag = 0;
  // The quit sequence is running.
  int16_t Quitting = 0;
  // 1 from program start until the first idle pass after start-up.
  int16_t StartUpFlag = 1;
  // How many ticks one event delivery may wait.
  int32_t EventTimeSlice = 1;
  // No session window is open.
  int16_t NoSessionWindow = 0;
  int16_t ActiveWindowNumber = platform::kSessionWindowBase;
  // The close now under way was asked for by a menu or a script command.
  int8_t CloseByCommand = 0;
  // The first session window has had scroll-back (noted by the idle pass).
  int8_t ScrollBackSeen = 0;
};

// The services every session window uses.
struct WindowServices {
  platform::Windows& windows;
  platform::Menus& menus;
  platform::Clock& clock;
  platform::Files& files;
  platform::Processes& processes;
  platform::AlertRoutines& alerts;
  platform::BusyCursor& busy;
  WindowMenu& windowMenu;
  platform::NumberedWindows& numbered;
  const platform::StringTable& strings;
  Preferences& prefs;
  const ChildPrograms& programs;
  // Where the host's addresses and files are opened.
  platform::Desktop& desktop;
  // The folders host-named files are kept in.
  HostFolders hostFolders;
  // Each window's capture, clipboard, transfers, pictures, scripts, keyboard,
  // menus, sounds, serial line and dialogs.
  SessionServiceProvider& provider;
  // Reports a file the program needs that could not be read, and lets the
  // user look for it; none: such a file reads as missing, with a stop alert.
  RequiredFileHost* requiredFiles = nullptr;
};

class SessionInterpreters;
class SessionWindows;

// One session window: its Session, the flood gate between its screen and its
// window's port, its settings files, the services its session reaches, and
// what the screen, the connection and the settings ask of the program around
// them. The window itself is its session's WindowService.
class SessionWindow final : public WindowService {
 public:
  SessionWindow(SessionWindows& owner, int number, platform::SessionSurface surface);
  SessionWindow(const SessionWindow&) = delete;
  SessionWindow& operator=(const SessionWindow&) = delete;
  ~SessionWindow() override;

  int Number() const { return number_; }
  SessionWindows& Owner() { return owner_; }

  // Starts the session's child on its pseudo-terminal with the rows and
  // columns it is to have; with CloseHold the connect string is watched for.
  void StartConnection();
  // The columns the child is told: the fixed width with auto-wrap, else the
  // columns that fit the window (at most 206, at least 1).
  int ColumnsForChild();
  bool Connected() { return session.conn.ConnectionIsOpen() != 0; }
  // After host input: a close the host made while the close-hold setting was
  // on is carried out once its output has been read, and a child that has
  // ended is reaped, with its connection closed and its end told in the
  // window. A new connection is opened only when the user asks.
  void ServeConnectionEnd();

  // Writes the program's own text into the window at the cursor, and ends the
  // line (the host's output continues below).
  void WriteSessionText(const std::string& text);
  void NewSessionLine();

  // ---- WindowService ---------------------------------------------------------------
  // Closes the connection after the user's confirmation (Connection menu,
  // scripts, a host that has closed the link).
  void CloseConnection() override;
  void RedrawWindow() override;
  void SetWindowRect(int top, int left, int bottom, int right) override;
  void ReopenSessionWindow() override;
  void ColumnModeChanged(bool wide) override;
  void ShowBusyCursor() override;
  void RestoreArrowCursor() override;
  bool OpenOwnDocument(const std::string& path) override;

 private:
  struct ScreenSide final : ScreenHost {
    explicit ScreenSide(SessionWindow& window) : w(window) {}
    bool IsFrontSessionWindow() override;
    bool IsWindowCollapsed() override;
    int SerialBytesWaiting() override;
    void InvalidatePictureArea() override;
    void SetScrollBarValue(int value) override;
    int64_t TickCount() override;
    int DisplayWidth() override;
    void ShowLinesTransmitted() override;
    void EnableFontSizeMenuItem() override;
    SessionWindow& w;
  };
  struct ConnectionSide final : ConnectionHost {
    explicit ConnectionSide(SessionWindow& window) : w(window) {}
    void SpinWatchCursor() override;
    void ShowArrowCursor() override;
    void WriteSessionLine(std::string_view text) override;
    void FlushSessionWindow() override;
    std::string Localised(const std::string& english) override;
    void RequestFlushHostInput() override;
    void RequestSendReturn() override;
    void RequestSendWindowSize() override;
    void RequestSshUserName() override;
    void DiscardReceivedInput() override;
    bool CloseByCommand() override;
    void SetCloseRequested() override;
    void ClearCurrentHostChar() override;
    bool NoSessionWindow() override;
    void SelectSessionWindow() override;
    void UpdateWindowTitle() override;
    void SendSerialBreak(int milliseconds) override;
    void CloseSerialPort() override;
    SessionWindow& w;
  };
  struct SettingsSide final : SettingsHost {
    explicit SettingsSide(SessionWindow& window) : w(window) {}
    int16_t PlainTextMode() override;
    int16_t SavedAutoWrap() override;
    int8_t CapsModeForced() override;
    int8_t ScrollBackSeen() override;
    std::optional<std::vector<std::string>> SerialPortNames() override;
    std::optional<WindowFrame> OutputWindowFrame() override;
    int16_t CursorKeyApplicationMode() override;
    ScreenSize MainScreenSize() override;
    bool KermitProgramFound() override;
    std::string BundledFunctionKeys(const std::string& fileName) override;
    void SetSessionDefaults() override;
    void SetWindowSize(int width, int height) override;
    void ResetScreenDefaults() override;
    void ComputeCellMetrics() override;
    void SetKeypadNumericMode() override;
    void MarkSerialRequiredItems(int16_t option) override;
    int ActivateProgramFonts() override;
    void SetMenuCommandKeys() override;
    void ApplyAttributeColours() override;
    void BuildEditKeyStrings() override;
    void ShowConnectionKind() override;
    void LoadInternationalFile() override;
    void MarkClipboardOption(bool on) override;
    void RefreshAfterReading(bool fromDocument) override;
    std::optional<std::string> AskSettingsFileName(const std::string& proposed) override;
    void ShowSettingsTitle(const std::string& title) override;
    void LoadSettingsTempFile(const std::string& path) override;
    void DialNumber(const std::string& number) override;
    void LoadFunctionKeyDocument(const std::string& path) override;
    SessionWindow& w;
  };

  SessionWindows& owner_;
  const int number_;

 public:
  platform::Port& windowPort;
  platform::Controls& controls;
  FloodGate gate;

 private:
  ScreenSide screenSide_;
  ConnectionSide connectionSide_;
  SettingsSide settingsSide_;
  // The services the program provides for this window, made before the
  // session that reaches them.
  std::unique_ptr<SessionServiceSet> provided_;
  // The questions and notices the session's host causes.
  HostAlerts hostAlerts_;

 public:
  // Everything the session reaches beyond its screen.
  SessionServices services;
  Session session;
  Settings settings;
  // The two interpreter families, installed on the session's host input.
  std::unique_ptr<SessionInterpreters> interpreters;
};

class SessionWindows {
 public:
  SessionWindows(const WindowServices& services, ProgramFlags& flags);
  ~SessionWindows();

  // ---- The table of windows ----------------------------------------------------
  SessionWindow* Find(int number);
  // The active session window; null only when none is open.
  SessionWindow* Active() { return Find(flags.ActiveWindowNumber); }
  int Count() const;
  // The numbers of the open session windows, lowest first.
  std::vector<int> Numbers() const;
  static bool IsSessionWindow(int number) {
    return number >= platform::kSessionWindowBase &&
           number < platform::kSessionWindowBase + platform::kMaxSessionWindows;
  }
  // Session window `number` shows in front: it is the front window, or it is
  // the active session window and a dialog window stands in front of it (a
  // dialog opened over a session does not stop its host's output).
  bool InFront(int number) const;

  // ---- Opening ------------------------------------------------------------------
  // The content size of a new session window: room for 80 columns and 24 rows
  // at the session's text size, with the scroll bar beside them.
  platform::Size DefaultContentSize(Session& session) const;
  // Makes window `number` (hidden) with a new Session on its surface.
  SessionWindow& MakeWindow(int number);
  // File > New Session Window and settings documents: checks the limits, saves
  // the active window's settings to its temporary file, and opens the lowest
  // free window number as the new active window, with the active window's
  // settings or those of `document`. Returns the new window or null.
  SessionWindow* OpenNewSessionWindow(const std::string& document = {});
  // Sets up a window that has just become a session window: its settings (a
  // document's when one is given), title and Window-menu item, connection
  // state and drawing. False when the window cannot be set up.
  bool NewSessionWindow(SessionWindow& w, const std::string& document);
  // Opens a settings document in a new session window.
  void LoadSettingsTempFile(const std::string& path);

  // ---- Titles ---------------------------------------------------------------------
  // Gives window w the title `title` (made unique among the Window-menu items)
  // or, when empty, "Korvane Using " + its connection word; lists and checks
  // its Window-menu item.
  void SetWindowTitle(SessionWindow& w, const std::string& title = {});
  // The connection mark at the end of the shown title: a bullet while the
  // connection is open, none when it is not.
  void UpdateWindowTitle(SessionWindow& w);
  // The idle pass's form: an open pty connection ends the title in a bullet,
  // a closed one in an approximately-equal sign.
  void ShowConnectionMark(SessionWindow& w);

  // ---- Window events ----------------------------------------------------------------
  // 1 close, 2 refresh, 3 brought to the front (the switch), 4 stream noted,
  // 5 size changed, 6 moved, 7 click in a window that is not in front.
  void DoWindowEvent(int kind, int window);

  // ---- Redraw and small steps -----------------------------------------------------------
  // Clears the window to the session's background and paints the text
  // area's background; the text itself comes with the repaint it requests.
  void RedrawWindow(SessionWindow& w);
  // The same, keeping the cursor at the pen's cell, and the function-key bar.
  void RedrawWindowAfterResize(SessionWindow& w);
  // Back from the scroll-back view to the live screen.
  void ResetScrollbackView(SessionWindow& w);

  // ---- Helpers over the window system ------------------------------------------------
  // The window is collapsed (minimised).
  int IsWindowCollapsedNum(int number) { return services.windows.IsCollapsed(number) ? 1 : 0; }
  // Value and state (1 active, 0 dimmed) of a control of the window.
  int SetButtonState(int window, int control, int value, int state);
  int SetButtonState1(int window, int control, int value) { return SetButtonState(window, control, value, 1); }

  // Hangs up and reaps every session's child (the end of the program).
  void CloseAllConnections();
  // Deletes every window's temporary settings file.
  void DeleteTempSettingsFiles();

  // A window for which the idle pass runs the activation (kind 6 asks it).
  int16_t WindowEventRequest = 0, RequestedEventWindow = 0;
  int16_t LastActiveWindow = 0;
  int16_t MaxWindows = platform::kMaxSessionWindows;
  int8_t NewWindowsRefused = 0;
  int16_t ClosingWindowNumber = 0;
  // Set while a window switch reads the incoming window's settings.
  int16_t WindowSwitchInProgress = 0;
  // A new session window has been opened and set up (it then greets the
  // user and opens its connection as the session's settings say).
  std::function<void(SessionWindow&)> onNewWindow;
  // A window's host asked to open a document of Korvane's own; without a
  // taker it goes to the desktop like any other file.
  std::function<void(const std::string& path)> onOpenDocument;

  WindowServices services;
  ProgramFlags& flags;

 private:
  friend class SessionWindow;
  void CloseWindow(SessionWindow& w);
  void ActivateWindow(int window);
  void ResizeWindow(SessionWindow& w);
  void MarkSerialPortMenu(SessionWindow& w);
  std::string Localised(const std::string& english) const { return services.strings.Localise(english); }
  WindowMenu& windowMenu() { return services.windowMenu; }

  std::array<std::unique_ptr<SessionWindow>, platform::kMaxSessionWindows> slots_;
};

}  // namespace korvane
