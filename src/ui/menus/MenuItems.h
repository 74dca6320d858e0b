#pragma once
// The item numbers of the menu bar's menus (a separator counts as an item).
// The interface description gives each item its text and place; the numbers
// are what the program acts on.

#include "platform/MenuNumbers.h"

namespace korvane::ui {

constexpr int kPlainTextMenu = 76;
constexpr int kFlowControlMenu = 77;
constexpr int kSerialFormatMenu = 78;
constexpr int kColoursSubmenu = 81;

namespace app_item {
constexpr int kAbout = 1, kPreferences = 2, kQuit = 3;
}

namespace file_item {
constexpr int kNewSessionWindow = 1, kChooseTextFile = 3, kShowSessionWindow = 4, kCloseSessionWindow = 5,
              kOpenSettings = 7, kSaveSettings = 8, kSaveSettingsAs = 9, kSendTextFile = 11, kSendWithFlow = 12,
              kFtpHelp = 13, kPrintScreen = 15, kPrinterOn = 16, kPrintScrollBack = 17, kPrintTextFile = 18,
              kPrinterOptions = 20, kPageSetup = 21, kSendBreak = 23;
}

namespace screen_item {
constexpr int kColours = 1, kSnapshotPdf = 4, kPasteToHost = 5, kPageUp = 7, kPageDown = 8, kPreviousPage = 9,
              kClearScreen = 11, kResetScreen = 12, kPaintBackground = 13, kFunctionKeyBar = 14, kPasteDelay = 16,
              kSendDelay = 17, kBreakSignal = 18, kStatusWindow = 19;
}

namespace dialer_item {
constexpr int kDial = 1, kQuickDialNumber = 2, kDialFromFile = 4, kAddService = 5, kDeleteFile = 6, kLoadList = 7,
              kHangUp = 9, kTone = 10, kPulse = 11, kModemDtr = 12, kModemInit = 13;
}

namespace port_item {
constexpr int kFirstBaudRate = 1, kLastBaudRate = 11, kSerialPort = 13, kStripEighthBit = 14, kPlainText = 16,
              kFlowControl = 17, kSerialFormat = 18, kResetAllSettings = 20;
}

namespace connection_item {
constexpr int kOpen = 1, kClose = 2, kLoginScripts = 3, kSerial = 5, kLocalShell = 6, kTelnet = 7, kSecureShell = 8,
              kKermit = 9, kShellOptions = 11, kTelnetOptions = 12, kSshOptions = 13, kAutoConnect = 15;
}

namespace emulate_item {
constexpr int kPrism = 1, kTvi925 = 2, kVt100 = 3, kVt220 = 4, kViewpoint = 5, kWyse50 = 6, kWyse60 = 7, kWyse370 = 8,
              kScoAnsi = 10, kEmulateOption = 11, kInternationalPrism = 12, kExtendedAnsi = 13, kEmulationCode = 15,
              kArrowKeys = 16, kVtOption = 17, kCapsMode = 18, kInternational = 19, kFkeyType1 = 22, kFkeyType2 = 23,
              kFkeyOptions = 24, kEditFkeys = 25, kFkeysHelp = 26;
}

namespace recorder_item {
constexpr int kRecorder = 1, kNewCapture = 2, kAppendCapture = 3, kDeleteCapture = 4, kCaptureApplication = 5,
              kClipboardOn = 7, kClipboardOption = 8, kLineEndLf = 9, kLineEndCr = 10, kAddLf = 11, kCameraSound = 13,
              kSelectionAsText = 14;
}

namespace window_item {
constexpr int kStandardFont = 1, kLargeStandardFont = 2, k16Point = 3, k18Point = 4, k24Point = 5, kColours = 6,
              kTransparency = 7, kEightyColumns = 9, kWideColumns = 10, kNinePointWide = 11, kSixPointWide = 12,
              kAutoWrap = 13, kFullScreen = 15, kNextWindow = 16, kPreviousWindow = 17;
}

namespace host_item {
constexpr int kHold = 2, kRelease = 3, kSendEtx = 4, kSendNak = 5, kSendCan = 6, kSendSub = 7, kYesNo = 9,
              kKeepAlive = 10;
}

namespace plain_item {
constexpr int kEmulation = 1, kPlainText = 2, kSerialOption1 = 4, kSerialOption2 = 5;
}

}  // namespace korvane::ui
