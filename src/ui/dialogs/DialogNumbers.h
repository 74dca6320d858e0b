#pragma once
// The numbers of the settings windows (their names in the interface
// description are in platform::NumberedWindows.cpp).

#include "platform/MenuNumbers.h"

namespace korvane::ui {

constexpr int kEditFkeysSelectionWindow = 9;
constexpr int kColoursWindow = 13;
constexpr int kTelnetWindow = 15;
constexpr int kShellWindow = 16;
constexpr int kSshWindow = 17;
constexpr int kPreferencesWindow = 18;
constexpr int kTransparencyWindow = 20;
constexpr int kOpeningPortWindow = 21;
constexpr int kCheckingPortWindow = 22;
constexpr int kPrintingWindow = platform::kPrintingWindow;
constexpr int kKeepAliveWindow = 24;
constexpr int kModemInitWindow = 25;
constexpr int kQuickDialWindow = 26;
constexpr int kEditFkeysWindow = 27;
constexpr int kEditLoginScriptsWindow = 28;
constexpr int kMouseDelimiterWindow = 29;
constexpr int kInternationalWindow = 30;
constexpr int kFkeyOptionsWindow = 31;
constexpr int kCaptureApplicationWindow = 32;
constexpr int kPhoneNumberWindow = 33;
constexpr int kSendDelaysWindow = 34;
constexpr int kPasteDelayWindow = 35;
constexpr int kBreakSignalWindow = 36;
constexpr int kPreviousPageWindow = 37;
constexpr int kPrinterOptionsWindow = 38;
constexpr int kVideoAttributesWindow = 39;
constexpr int kLoginScriptsWindow = 40;
constexpr int kHostTransferWindow = 41;
constexpr int kHostNamedFileWindow = 42;
constexpr int kTellWindow = 43;
constexpr int kArrowKeysWindow = 44;
constexpr int kPrintingPclWindow = platform::kPrintingPclWindow;
constexpr int kSshUserNameWindow = 46;

// The session window's controls the dialog handler leaves alone: the
// pictures shown in the session and the scroll-back scroll bar.
constexpr int kFirstPictureControl = 1001, kLastPictureControl = 1101;
constexpr int kScrollBackBar = 8001;
// The transparency slider.
constexpr int kOpacitySlider = 500;

}  // namespace korvane::ui
