#pragma once
// The menu bar's handlers: `DoMenu` runs the handler of the chosen menu for
// the chosen item, on the active session. Each menu's handler lives in a file
// of its own (AppMenus.cpp: the application, Connection, Recorder, Host
// Control, Help and Colors menus; FileMenus.cpp: File, Port Settings and its
// submenus; ScreenMenus.cpp: Screen and Dialer; EmulateMenu.cpp; and
// FontSizeMenu.cpp: the Window menu). What belongs to another part of the
// program (capture, printing, the clipboard, transfers, the serial line, the
// dialog windows) is asked of the session's services, which say so when the
// part is not there.
//
// Every item the menu bar offers has a handler (`HasHandler`); an item
// without one says that it is not available rather than doing nothing.

#include <cstdint>
#include <string>

#include "settings/ProgramDocuments.h"
#include "ui/menus/MenuHost.h"

namespace korvane {
class SessionWindow;
class SessionWindows;
struct ProgramFlags;
namespace platform {
class AlertRoutines;
class Menus;
}  // namespace platform
}  // namespace korvane

namespace korvane::ui {

class MenuDispatcher {
 public:
  explicit MenuDispatcher(MenuHost& host);

  // Runs the handler of `menu` for `item`; then the menu bar shows the
  // active session again.
  void DoMenu(int menu, int item);
  // True when `DoMenu` acts on the item (the Window menu's session items and
  // every serial port included).
  static bool HasHandler(int menu, int item);

  // The emulation choice of Emulate items 1-8 (Prism, TV 925, VT100, VT220,
  // Viewpoint, Wyse 50, Wyse 60, Wyse 370): the flags, the arrow keys, the
  // scroll region, the marks, and for the Wyse family a notice of the choice
  // that closes itself after a second and a half. The Preferences window runs
  // it with item 8.
  void ApplyEmulationChoice(SessionWindow& w, int item);

  // The idle pass after a null event: closes the emulation notice when its
  // time is up, and follows the active window in and out of full screen
  // (the item's text; the rows fitted again after leaving it).
  void IdlePass();
  // The menu bar shows the active session (after any event).
  void ShowMarks();

  // The emulation notice is open until this time (milliseconds of the
  // clock); 0 when it is not open.
  int64_t NoticeCloseMs() const { return noticeCloseMs_; }
  static constexpr int64_t kNoticeMs = 1500;

 private:
  // ---- The menus ------------------------------------------------------------------
  void DoAppMenu(int item);
  void DoFileMenu(int item);
  void DoScrollBackMenu(int item);
  void DoDialerMenu(int item);
  void DoPortSettingsMenu(int item);
  void DoConnectionMenu(int item);
  void DoEmulateMenu(int item);
  void DoRecorderMenu(int item);
  void DoWindowMenu(int item);
  void DoFontSizeMenu(int item);
  void DoHostControlMenu(int item);
  void DoHelpMenu(int item);
  void DoSerialPortMenu(int item);
  void DoSubmenu76(int item);
  void DoSubmenu77(int item);
  void DoSubmenu78(int item);
  void DoColoursSubmenu(int item);

  // ---- Steps the menus share -------------------------------------------------------
  SessionWindows& Windows();
  SessionWindow* Active();
  platform::AlertRoutines& Alerts();
  platform::Menus& Menus();
  // Opens the active session window again when none is open.
  void SelectSessionWindow();
  void SelectSessionWindowIfNone();
  // While the settings are locked the commands that change them open the
  // lock file for the user to read, and do nothing else: true then.
  bool RefusedWhenLocked();
  // A setting that is saved with the session was changed.
  static void MarkChanged(SessionWindow& w);
  // Stop alert for the menus that need a session window when none is open.
  bool NeedsSessionWindow(const char* message);
  bool FrontIsActiveSession();
  std::string MenuLanguage();
  InterfaceLanguage Language();

  // Connection menu.
  void OpenConnection(SessionWindow& w);
  void SwitchConnection(SessionWindow& w, int item);
  void ToggleKermit(SessionWindow& w);
  // File menu.
  void NewSessionWindow();
  void ChooseTextFile();
  void OpenSettingsFile(SessionWindow& w);
  void SaveSettings(SessionWindow& w, bool asNew);
  void ResetAllSettings();
  // Screen menu.
  void ClearSessionScreen(SessionWindow& w, bool reset);
  void ToggleStatusWindow(SessionWindow& w);
  // Emulate menu.
  void ToggleScoAnsi(SessionWindow& w);
  void InternationalWithPrism(SessionWindow& w);
  void ChooseFkeyType(SessionWindow& w, int item);
  void ShowEmulationNotice(SessionWindow& w);
  // Window menu.
  void StandardFont(SessionWindow& w, bool large);
  void PointSize(SessionWindow& w, int item);
  void Layout(SessionWindow& w, bool wide);
  void WideTextOption(SessionWindow& w, int item);
  void FullScreen(SessionWindow& w);
  void StepWindow(SessionWindow& w, bool next);
  // The window takes the size that holds the session's rows and columns at
  // its text size (within the screen), and the screen follows it.
  void FitWindowToText(SessionWindow& w);
  void AfterTextSizeChange(SessionWindow& w, int16_t row, int16_t col);

  MenuHost& host_;
  ProgramDocuments documents_;
  int64_t noticeCloseMs_ = 0;
  // The active window was in full screen at the last idle pass.
  int fullScreenWindow_ = 0;
};

}  // namespace korvane::ui
