// The menu dispatcher: the handler of each menu, the items each acts on, and
// the steps the menus share.

#include "ui/menus/MenuDispatcher.h"

#include <algorithm>
#include <initializer_list>

#include "platform/CharMap.h"
#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuItems.h"
#include "ui/menus/MenuMarks.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {

// The items each menu acts on. An item left out is a separator, a submenu's
// place, or has no action of its own.
struct HandledItems {
  int menu;
  std::initializer_list<int> items;
};

const HandledItems kHandled[] = {
    {platform::kAppMenu, {1, 2, 3}},
    {platform::kFileMenu, {1, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 20, 21, 23}},
    {platform::kScreenMenu, {4, 5, 7, 8, 9, 11, 12, 13, 14, 16, 17, 18, 19}},
    {platform::kDialerMenu, {1, 2, 4, 5, 6, 7, 9, 10, 11, 12, 13}},
    {platform::kPortSettingsMenu, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 20}},
    {platform::kConnectionMenu, {1, 2, 3, 5, 6, 7, 8, 9, 11, 12, 13, 15}},
    {platform::kEmulateMenu, {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18, 19, 22, 23, 24, 25, 26}},
    {platform::kRecorderMenu, {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 13, 14}},
    {platform::kWindowMenu, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 15, 16, 17}},
    {platform::kHostControlMenu, {2, 3, 4, 5, 6, 7, 9, 10}},
    {platform::kHelpMenu, {1, 2, 4, 5, 8, 9}},
    {kPlainTextMenu, {1, 2, 4, 5}},
    {kFlowControlMenu, {1, 2, 3}},
    {kSerialFormatMenu, {1, 2, 3, 4, 5}},
    {kColoursSubmenu, {1, 2}},
};

}  // namespace

MenuDispatcher::MenuDispatcher(MenuHost& host)
    : host_(host),
      documents_(host.ResourcesFolder(), host.Windows().services.desktop, host.Windows().services.alerts) {}

bool MenuDispatcher::HasHandler(int menu, int item) {
  if (item < 1) return false;
  // The session windows after the Window menu's fixed items, and every
  // serial port the serial-port menu lists.
  if (menu == platform::kWindowMenu && item > platform::kWindowMenuFixedItems) return true;
  if (menu == platform::kSerialPortMenu) return true;
  for (const HandledItems& h : kHandled)
    if (h.menu == menu) return std::find(h.items.begin(), h.items.end(), item) != h.items.end();
  return false;
}

void MenuDispatcher::DoMenu(int menu, int item) {
  if (!HasHandler(menu, item)) {
    // Nothing the menu bar offers does nothing in silence.
    const std::string text = Menus().ItemText(menu, item);
    Alerts().NoteAlertText(platform::kPlainAlert, "\"" + text + "\"", " is not available in this version of Korvane.");
    return;
  }
  switch (menu) {
    case platform::kAppMenu: DoAppMenu(item); break;
    case platform::kFileMenu: DoFileMenu(item); break;
    case platform::kScreenMenu: DoScrollBackMenu(item); break;
    case platform::kDialerMenu: DoDialerMenu(item); break;
    case platform::kPortSettingsMenu: DoPortSettingsMenu(item); break;
    case platform::kConnectionMenu: DoConnectionMenu(item); break;
    case platform::kEmulateMenu: DoEmulateMenu(item); break;
    case platform::kRecorderMenu: DoRecorderMenu(item); break;
    case platform::kWindowMenu: DoWindowMenu(item); break;
    case platform::kHostControlMenu: DoHostControlMenu(item); break;
    case platform::kHelpMenu: DoHelpMenu(item); break;
    case platform::kSerialPortMenu: DoSerialPortMenu(item); break;
    case kPlainTextMenu: DoSubmenu76(item); break;
    case kFlowControlMenu: DoSubmenu77(item); break;
    case kSerialFormatMenu: DoSubmenu78(item); break;
    case kColoursSubmenu: DoColoursSubmenu(item); break;
    default: break;
  }
  ShowMarks();
}

void MenuDispatcher::ShowMarks() {
  if (SessionWindow* w = Active()) ShowSessionMarks(*w);
}

// ---- Shared steps ---------------------------------------------------------------------

SessionWindows& MenuDispatcher::Windows() { return host_.Windows(); }

SessionWindow* MenuDispatcher::Active() { return host_.Windows().Active(); }

platform::AlertRoutines& MenuDispatcher::Alerts() { return host_.Windows().services.alerts; }

platform::Menus& MenuDispatcher::Menus() { return host_.Windows().services.menus; }

std::string MenuDispatcher::MenuLanguage() { return Windows().services.windowMenu.MenuLanguage(); }

InterfaceLanguage MenuDispatcher::Language() { return LanguageOfMenus(MenuLanguage()); }

void MenuDispatcher::MarkChanged(SessionWindow& w) { w.session.window.SettingsChanged = 1; }

bool MenuDispatcher::FrontIsActiveSession() {
  SessionWindow* w = Active();
  return w && Windows().services.windows.FrontWindow() == w->Number();
}

bool MenuDispatcher::RefusedWhenLocked() {
  if (!host_.PrefsLocked()) return false;
  // The lock file says why the settings are locked: it is shown instead.
  const std::string path = host_.LockFilePath();
  SessionWindows& windows = Windows();
  if (path.empty() || !windows.services.files.Exists(path)) {
    Alerts().StopAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(path), " Path not found!");
  } else if (!windows.services.desktop.OpenFile(path)) {
    Alerts().StopAlertText(platform::kPlainAlert, "The settings are locked.", "\r", platform::MacRomanFromUtf8(path));
  }
  return true;
}

bool MenuDispatcher::NeedsSessionWindow(const char* message) {
  if (!Windows().flags.NoSessionWindow && Active()) return false;
  Alerts().StopAlertText(platform::kPlainAlert, message);
  return true;
}

void MenuDispatcher::SelectSessionWindowIfNone() {
  if (Windows().flags.NoSessionWindow) SelectSessionWindow();
}

void MenuDispatcher::SelectSessionWindow() {
  SessionWindows& windows = Windows();
  SessionWindow* w = Active();
  if (!w) return;
  Screen& s = w->session.screen;
  const int16_t row = s.CursorRow(), col = s.CursorCol();
  if (windows.flags.NoSessionWindow) {
    // The window comes back with a clean screen; what it showed is kept in
    // the scroll-back.
    ClearSessionScreen(*w, true);
    s.ClearScrollback();
    windows.flags.NoSessionWindow = 0;
  }
  windows.services.windows.BringToFront(w->Number());
  s.ClearPages();
  s.SetCursor(row, col);
  s.MoveToCell(s.CursorRow(), s.CursorCol());
  windows.UpdateWindowTitle(*w);
  s.DrawFunctionKeyBar();
}

// ---- The idle pass ----------------------------------------------------------------------

void MenuDispatcher::IdlePass() {
  SessionWindows& windows = Windows();
  platform::Windows& platformWindows = windows.services.windows;
  if (noticeCloseMs_ != 0 && windows.services.clock.Milliseconds() >= noticeCloseMs_) {
    noticeCloseMs_ = 0;
    if (platformWindows.Exists(kTellWindow)) windows.services.numbered.SelectWindowWithColors(kTellWindow);
  }
  SessionWindow* w = Active();
  if (!w) return;
  const bool full = platformWindows.IsFullScreen(w->Number());
  const bool wasFull = fullScreenWindow_ == w->Number();
  if (full == wasFull) return;
  fullScreenWindow_ = full ? w->Number() : 0;
  Menus().SetItemText(platform::kWindowMenu, window_item::kFullScreen,
                      windows.services.strings.Localise(FullScreenItemText(full)));
  Menus().EnableItem(platform::kWindowMenu, window_item::kFullScreen, true);
  // Back from full screen, the rows fit the window again; text below the
  // last row that still fits goes into the scroll-back.
  if (!full) windows.DoWindowEvent(5, w->Number());
}

}  // namespace korvane::ui
