#pragma once
// Numbers of the menus, windows and alerts that the program addresses; the
// interface description gives each its text and place.

namespace korvane::platform {

// Menus of the menu bar.
constexpr int kAppMenu = 2;
constexpr int kFileMenu = 3;
constexpr int kScreenMenu = 4;
constexpr int kDialerMenu = 5;
constexpr int kPortSettingsMenu = 6;
constexpr int kConnectionMenu = 7;
constexpr int kEmulateMenu = 8;
constexpr int kRecorderMenu = 9;
constexpr int kWindowMenu = 10;
constexpr int kHostControlMenu = 11;
constexpr int kHelpMenu = 12;
constexpr int kSerialPortMenu = 75;

// The Window menu's fixed items; every item after them is a session window.
constexpr int kWindowMenuFixedItems = 17;

// Items the program acts on so far.
constexpr int kAppAboutItem = 1;
constexpr int kAppQuitItem = 3;
constexpr int kFileNewSessionWindowItem = 1;
constexpr int kFileCloseSessionWindowItem = 5;
constexpr int kConnectionOpenItem = 1;
constexpr int kConnectionCloseItem = 2;

// Window numbers.
constexpr int kStatusWindow = 4;
constexpr int kAboutWindow = 5;
constexpr int kPrintingWindow = 23;     // a long text goes to the print dialog
constexpr int kPrintingPclWindow = 45;  // a raw job goes to the spooler
constexpr int kSessionWindowBase = 48;  // session windows are 48 .. 57
constexpr int kMaxSessionWindows = 10;

// Alert numbers the callers branch on.
constexpr int kPlainAlert = 300;
constexpr int kQuestionAlert = 301;
constexpr int kPrintOrQuitAlert = 303;
constexpr int kSaveSettingsAlert = 316;
constexpr int kSaveLaunchSettingsAlert = 325;
constexpr int kRequiredFileAlert = 320;
constexpr int kErrorNumberAlert = 3999;

}  // namespace korvane::platform
