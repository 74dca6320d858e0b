#pragma once
// The program: start-up, the main loop with its handler dispatch, the idle
// pass, the periodic pass, the pending-command executor and the quit
// sequence. It works on the platform only through the interfaces of
// src/platform, so a test runs it with fakes and a fake clock, and main.cpp
// with Qt.
//
// One turn of the main loop: the window system delivers its events for one
// time slice (waiting in its dispatcher, woken by an event, by output of the
// active session's host, or by the one-tick timer). Each event, in arrival
// order, runs the event vector that records its handler number and
// parameters, then the wheel steps, the handler, and the pass after an event.
// A turn without events runs the idle pass. Every 30 ticks, while a session
// window is in front, the periodic pass runs. When the quit flag is set, the
// quit sequence ends the loop.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/EventQueue.h"
#include "app/KeyTranslation.h"
#include "connection/ChildPrograms.h"
#include "input/KeyState.h"
#include "platform/Alerts.h"
#include "platform/CellPicture.h"
#include "platform/Clipboard.h"
#include "platform/SelectionFrame.h"
#include "platform/Clock.h"
#include "platform/Cursors.h"
#include "platform/Events.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/Fonts.h"
#include "platform/Menus.h"
#include "platform/PictureFiles.h"
#include "platform/Processes.h"
#include "platform/Programs.h"
#include "platform/Windows.h"
#include "settings/Preferences.h"
#include "settings/RequiredFile.h"
#include "platform/AlertRoutines.h"
#include "platform/NumberedWindows.h"
#include "platform/StringTable.h"
#include "windows/WindowMenu.h"
#include "app/AppServices.h"
#include "output/PrintServices.h"
#include "output/SessionCapture.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Printing.h"
#include "platform/Programs.h"
#include "app/ProgramDialogs.h"
#include "app/StatusStrip.h"
#include "app/SerialLines.h"
#include "app/AppMenuHost.h"
#include "platform/Sounds.h"
#include "ui/menus/MenuDispatcher.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

class AppScripting;

// The platform services the program runs on.
struct Platform {
  platform::Clock& clock;
  platform::EventPump& pump;
  platform::Windows& windows;
  platform::Menus& menus;
  platform::Alerts& alerts;
  platform::Cursors& cursors;
  platform::Files& files;
  platform::Processes& processes;
  // Where a host's addresses and files are opened.
  platform::Desktop& desktop;
  platform::Sounds& sounds;
  // Page setup, the print dialog, and pages on a printer or in a PDF file.
  platform::Printing& printing;
  // Programs run beside the program until they end (the spooler's lp, the
  // scripts the host runs).
  platform::Programs& programs;
  // The open and save dialogs.
  platform::FileDialogs& fileDialogs;
  // The desktop's clipboard.
  platform::Clipboard& clipboard;
  // The keys held down right now; none: no key reads as held.
  const platform::LiveKeys* liveKeys = nullptr;
  // The writer of the pictures copied to the clipboard, and the frame round
  // a selection in a session window's view. Without them the clipboard and
  // the mouse of the session windows are not available.
  platform::CellPictureWriter* cellPictures = nullptr;
  std::function<std::unique_ptr<platform::SelectionFrame>(int window)> selectionFrame = nullptr;
  // The sizes of picture files; without them pictures in the session
  // windows are not available.
  platform::PictureFiles* pictureFiles = nullptr;
  // The serial devices; none: this machine's own.
  platform::SerialPorts* serialPorts = nullptr;
  // Where the screen font is found and registered at start-up; none: the
  // drawing takes the font the window system gives it (tests).
  platform::Fonts* fonts = nullptr;
  // The services of each session window; none: the program's own. (Tests
  // record what the windows ask of the parts they do not look at.)
  SessionServiceProvider* sessionServices = nullptr;
};

// What start-up reads besides the settings.
struct StartupData {
  // The settings folder (ending in "/").
  std::string preferencesFolder;
  // The folders a host's file commands are kept in.
  HostFolders hostFolders;
  // The programs and folders of the session children.
  ChildPrograms programs;
  // The string table of the user's language (empty for English).
  std::string stringTable;
  // The messages of the numbered file-error alert.
  std::string errorMessages;
  // The menu bar could be built from the interface description; when it
  // could not, this says why (shown once the first window is up).
  bool menuBarInstalled = true;
  std::string menuBarError;
  // The folder of the program's data files (the interface description, the
  // string tables, documents it opens for the user).
  std::string resourcesFolder;
};

// What the raw key-down handler keeps of the last key for the key
// translation (src/input).
using RawKeyState = input::RawKeyState;

// Handler numbers.
enum Handler : int16_t {
  kNoHandler = 0,
  kAppleEventHandler = 1,
  kMenuHandler = 2,
  kDialogHandler = 3,
  kMouseHandler = 4,
  kWindowEventHandler = 5,
  kEventAndIdleHandler = 7,
};

// Request flags that menus and scripts set and RunPendingCommand carries out.
struct PendingRequests {
  int8_t RequestOpenConnection = 0;
  int8_t RequestQuickDial = 0;
  int8_t RequestSendBreak = 0;
  int8_t RequestSendControl = 0;
  int8_t RequestSendEscape = 0;
  int8_t RequestSendTab = 0;
  int8_t RequestCloseConnection = 0;
};

class App {
 public:
  App(Platform& platform, EventQueue& queue, StartupData data);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // ---- Program start and the loop ------------------------------------------------------
  // Settings documents named when the program is started (or handed to it
  // later): remembered here, opened by the idle pass. "International" and
  // "Fkeydefaults" are the program's own files and are not opened.
  void OpenDocuments(const std::vector<std::string>& paths);
  // Runs turns until the quit sequence ends the program; returns the exit status.
  int Run();
  // One turn of the main loop.
  void Turn();
  bool Finished() const { return finished_; }
  int ExitStatus() const { return exitStatus_; }

  // ---- Handlers ---------------------------------------------------------------------------
  void Dispatch();
  void DoAppleEvent();
  void DoMenu();
  void DoDialog();
  void DoMouse();
  void DoEventAndIdle();
  void OpenApplication();
  void ShowReadyMessage();
  // Steps 2 to 7 of the ready message: what a new session window shows and
  // starts, as the first one does.
  void ReadyForCommunications(SessionWindow& w);
  void RunPendingCommand();
  void QuitSequence();
  void QuitActions();
  void ConfirmQuitWithClipboardPrint();
  // Ends the program at once, in order: every child hung up and reaped.
  [[noreturn]] void QuitNow();
  // Ends the program at the end of this turn without saving any settings:
  // each capture is closed, every child hung up and reaped, and the
  // temporary settings files deleted.
  void EndWithoutSaving();
  // The path of an item of the program's data folder; when it is missing, a
  // stop alert names it and the result is empty.
  std::string FindInResources(const std::string& name);

  // ---- The event vectors ---------------------------------------------------------------------
  void DialogEventHandler(const platform::UiEvent& e);
  void MenuEventVector(const platform::UiEvent& e);
  void OtherEventVector(const platform::UiEvent& e);

  // ---- Loop state (the names the handlers read) -----------------------------------------------
  int16_t HandlerSelector = kAppleEventHandler;
  int16_t HandlerKind = 1;
  int16_t EventWindowNumber = 0;
  int16_t MenuNumber = 0, MenuItem = 0;
  int16_t DialogWindow = 0, DialogControl = 0;
  // The dialog event is the close box of DialogWindow, not a control hit.
  int8_t DialogCloseBoxHit = 0;
  // The key typed into a session window, for handler 7 kind 5.
  platform::KeyPress PendingKey;
  int8_t PendingKeyWaiting = 0;
  int16_t PendingKeyWindow = 0;
  int8_t WheelMoved = 0;
  int32_t WheelDelta = 0;
  int8_t ScrollBarTracking = 0;
  int16_t IgnoreNextClick = 0;
  int16_t MouseGuard = 0;
  int8_t AppInBackground = 0;
  int8_t MacFunctionKeyPending = 0;
  int16_t MacFunctionKeyNumber = 0;
  // The window the last key was typed into: a function key and Control-P,
  // sent on later passes, go to that window's host.
  int16_t LastKeyWindow = 0;
  int16_t FunctionKeyWindow = 0, ControlPWindow = 0;
  // When the Wyse 370's command keys last sent: they repeat at most once in
  // 18 ticks.
  int64_t Wyse370CommandTick = -1000;
  int64_t LastPeriodicTick = 0;
  int8_t ClosedAtQuit = 0;
  // The last mouse event (a press, a drag or a release), for the mouse handler.
  platform::UiEvent LastClick;
  RawKeyState rawKey;
  // The key state the key routines derive from the last event.
  input::KeyState keyState;
  // The wheel moves the view by at most this many lines at once (the
  // scroll-back holds no more).
  static constexpr int32_t kMaxWheelLines = 960;
  // The scroll bar follows the view at most this often while output floods.
  static constexpr int64_t kScrollBarMs = 100;

  // ---- Idle-pass requests of the program as a whole ---------------------------------------------
  int8_t ControlPRequest = 0;
  int8_t ActivationRequest = 0;
  int16_t ActivationWindow = 0;
  int16_t WindowSelectRequest = 0, WindowToSelect = 0;
  int16_t TransferDoneCounter = 0;
  int8_t RenameRequest = 0;
  int8_t ArrowCursorRequest = 0;
  int8_t ShowWindowRequest = 0;
  int8_t OpacityRequest = 0;
  int8_t WindowMenuMarkRequest = 0;
  int8_t ShowAfterStartRequest = 0;
  int8_t SaveRequest = 0;
  // The status window is laid out again for the active session.
  int8_t StatusWindowRequest = 0;
  // The idle pass has run since start-up: documents are opened at once from
  // then on.
  int8_t IdlePassSeen = 0;
  // Documents handed over after start-up, opened by the next idle pass.
  std::deque<std::string> DocumentsPending;

  PendingRequests requests;
  ProgramFlags flags;
  std::string VersionText;

  // ---- The program's parts ----------------------------------------------------------------------
  Platform& platform;
  EventQueue& queue;
  StartupData data;
  platform::StringTable strings;
  platform::AlertRoutines alerts;
  // The report of a file the program needs that could not be read, with the
  // search for a missing one.
  RequiredFileDialogs requiredFiles;
  platform::BusyCursor busy;
  WindowMenu windowMenu;
  platform::NumberedWindows numbered;
  Preferences prefs;
  // The "Save Settings as" dialog: the chosen path, or nothing when the user
  // cancels. Without it no name can be chosen.
  std::function<std::optional<std::string>(const std::string& proposed)> askSettingsFileName;
  // The status window, and the status line of the active session.
  StatusStrip statusStrip;
  // The printing parts every session window shares (page formats and the
  // "Page Setup" file, text and picture printing, the raw-job spooler), and
  // what the windows' capture and printing share besides.
  output::PrintServices printServices;
  output::CaptureShared captureShared;
  // The dialog windows, each acting for the session window it was opened for.
  ProgramDialogs dialogs;
  // The serial ports and each session's serial line (outliving the windows).
  SerialLines serialLines;
  // What script commands act on, their requests, and the scripts the host runs.
  std::unique_ptr<AppScripting> scripting;
  AppServiceProvider services;
  SessionWindows windows;
  std::unique_ptr<KeyTranslation> keys;
  // The menu bar's handlers.
  AppMenuHost menuHost{*this};
  std::unique_ptr<ui::MenuDispatcher> menuHandlers;

  // Every handler the loop runs, for tests that check the order:
  // "handler kind" pairs such as "7 8".
  std::function<void(int handler, int kind)> onDispatch;

 private:
  void RunEvent(const platform::UiEvent& e);
  void WheelPass();
  void KeyPass();
  void IdlePass();
  void PassAfterEvent();
  // Command+Option with a letter or digit in a Wyse 370 session with the
  // alternate editing keys: SOH, the character and CR go to the host.
  void SendWyse370CommandKey(int16_t character);
  void PeriodicPass();
  void ServeRepaint(SessionWindow& w);
  void ServeLaunchDocuments();
  // ---- Documents by their kind (app/AppDocuments.cpp) ---------------------------------------
  // A document given to the program opens in a session window of its own
  // when it is a settings document; a function-key document loads its keys
  // into the active session, a QuickDial document dials its number; any
  // other file is refused with a note.
  void OpenDocumentByKind(SessionWindow& active, const std::string& path);
  // The document starts a session window: any but a function-key or
  // QuickDial document (the settings reader refuses, naming why, a file that
  // holds no settings or is not there).
  bool StartsSessionWindow(const std::string& path);
  // The idle pass's steps, in the order it takes them.
  void ServeControlP(SessionWindow* active);
  void ServeActivation();
  void ServeStatusWindow(SessionWindow* active);
  void ServePendingCursor(SessionWindow* active);
  void ServeHostInput(SessionWindow* front);
  void ServeKeyStrings();
  void ServeWindowSizeReport(SessionWindow* active);
  void ServeTransferDoneNotice();
  void ServeWindowMenuRename(SessionWindow* active);
  void ServeWindowSizeRequest(SessionWindow* active);
  void ServeSshUserName(SessionWindow* active);
  void ServeArrowCursor();
  void ServeWindowEvent();
  void ServeWindowSelection();
  void ServeWindowDecorations(SessionWindow* active, SessionWindow* front);
  SessionWindow* ServeHandedDocuments(SessionWindow* active);
  void ServeShowWindow(SessionWindow* active);
  void ServePrintingAndCapture();
  void ServeRepaints();
  void ServeOpacity();
  void ServeWindowMenuMark();
  void ServeShowAfterStart(SessionWindow* active);
  void ServeScrollBar();
  void ServeSaveAsDefaults(SessionWindow* active);
  // The periodic pass's steps.
  void FitRowsAndColumns(SessionWindow& active);
  void BlinkTextCursor(SessionWindow& active);
  void ServeConnectOnReturn(SessionWindow& active);
  // Waits, letting the window system deliver its events (they wait in the
  // queue): the window stays responsive and nothing is lost.
  void Wait(int64_t milliseconds);
  // The active session window when it is also the front window.
  SessionWindow* ActiveInFront();
  HostLink* WatchedLink();
  // ---- How long a turn waits (app/LoopWait.cpp) --------------------------------------------
  // The ticks this turn may wait for the window system or the connection.
  int LoopWaitTicks();
  // Something is stepped from turn to turn (a paste, a send, a key string,
  // output the host has not taken, a request for the next pass): the loop
  // then looks again every tick.
  bool WorkEveryTurn();
  // The longest a quiet turn waits: the periodic pass (the cursor's blink)
  // comes sooner whenever a session window is in front.
  static constexpr int kLongestWaitTicks = 31;
  // ---- The serial lines (app/AppSerial.cpp) ----------------------------------------------
  // The ticks the loop may wait, shortened to the serial lines' next step.
  int SerialWaitTicks(int ticks) const;
  // Steps every serial line once a turn and notes when they next need it.
  void StepSerialLines();
  // A session starts: a serial one opens its port and greets the user.
  void StartSerialSession(SessionWindow& w);
  // Opens a serial session's port (Open Connection, Return, a script).
  void OpenSerialConnection(SessionWindow& w);
  // A typed key the modem of the window's line takes instead of the host.
  bool SerialLineTakesKey(SessionWindow& w);
  // Quitting: modems are hung up, the loop turning until they are done.
  void HangUpModemsForQuit();
  int64_t serialWakeMs_ = -1;
  std::string L(const std::string& english) const { return strings.Localise(english); }

  bool finished_ = false;
  int exitStatus_ = 0;
  friend class AppMenuHost;
};

}  // namespace korvane::app
