#pragma once
// The menu items that follow the session's connection: the Baud items of
// the port-settings menu and the font-size items of the Window menu.

#include <cstdint>

#include "platform/Menus.h"

namespace korvane {

// Menus of the serial line that platform/MenuNumbers.h does not name yet.
inline constexpr int kPlainTextMenu = 76;
inline constexpr int kFlowControlMenu = 77;
inline constexpr int kSerialFormatMenu = 78;
// Item 5 of the Connection menu: "Serial Port or Modem".
inline constexpr int kSerialConnectionItem = 5;

// Items 1 to 11 of the port-settings menu: disabled for a session on a
// pseudo-terminal; enabled for a serial session, the item of exactly `rate`
// checked (a rate the menu does not list checks none). Missing items are
// skipped. Returns 0.
int FillBaudRateMenu(platform::Menus& menus, int8_t usesPty, int32_t rate);
// Items 1 to 5 of the Window menu enabled and unchecked. Returns 0.
int EnableMenu10Items(platform::Menus& menus);

}  // namespace korvane
