#include "ui/SessionMenus.h"

#include "platform/MenuNumbers.h"
#include "ui/menus/MenuMarks.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {
// Items of the menus these marks and keys live on.
constexpr int kCloseConnectionItem = 2;  // Connection menu
constexpr int kCapsModeItem = 18;        // Emulate menu
constexpr int kRecorderItem = 1, kNewCaptureItem = 2, kCaptureApplicationItem = 5, kClipboardOptionItem = 8;
constexpr int kSendTextFileItem = 11, kSendWithFlowItem = 12;                                            // File menu
constexpr int kStandardFontItem = 1, kEightyColumnsItem = 9, kWideColumnsItem = 10, kAutoWrapItem = 13;  // Window menu
constexpr int kPlainTextMenu = 76, kSerialRequiredFirstItem = 4;
}  // namespace

void SessionMenus::ShowAutoWrapMark(bool on) { menus_.MarkItem(platform::kWindowMenu, kAutoWrapItem, on); }

void SessionMenus::ShowWideModeMarks(bool wide) {
  menus_.MarkItem(platform::kWindowMenu, kEightyColumnsItem, !wide);
  menus_.MarkItem(platform::kWindowMenu, kWideColumnsItem, wide);
}

void SessionMenus::ShowCapsModeMark(bool on) { menus_.MarkItem(platform::kEmulateMenu, kCapsModeItem, on); }

void SessionMenus::SetCloseKeyOff(bool off) {
  menus_.SetItemKey(platform::kConnectionMenu, kCloseConnectionItem, off ? 0 : 'C', true);
}

void SessionMenus::EnableFontSizeMenuItem() { menus_.EnableItem(platform::kWindowMenu, kStandardFontItem, true); }

void SessionMenus::MarkSerialRequiredItems(int option) {
  menus_.MarkItem(kPlainTextMenu, kSerialRequiredFirstItem, option == 1);
  menus_.MarkItem(kPlainTextMenu, kSerialRequiredFirstItem + 1, option == 2);
}

void SessionMenus::MarkClipboardOption(bool on) { menus_.MarkItem(platform::kRecorderMenu, kClipboardOptionItem, on); }

void SessionMenus::SetMenuCommandKeys() {
  // The alternative editing keys need the letters for the host, so the
  // recorder and send items give theirs up.
  const bool keysForHost = window_.session.Opt.AltEditKeys != 0;
  menus_.SetItemKey(platform::kRecorderMenu, kRecorderItem, keysForHost ? 0 : 'C', true);
  menus_.SetItemKey(platform::kRecorderMenu, kNewCaptureItem, keysForHost ? 0 : 'N', true);
  menus_.SetItemKey(platform::kRecorderMenu, kCaptureApplicationItem, keysForHost ? 0 : 'S', true);
  menus_.SetItemKey(platform::kFileMenu, kSendTextFileItem, keysForHost ? 0 : 'M', true);
  menus_.SetItemKey(platform::kFileMenu, kSendWithFlowItem, keysForHost ? 0 : 'H', true);
}

void SessionMenus::ShowSessionMarks() { ui::ShowSessionMarks(window_); }

}  // namespace korvane::ui
