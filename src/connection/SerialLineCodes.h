#pragma once
// The serial line as the settings and menus number it: the speed table the
// rates snap to, the parity, stop-bit and data-bit codes, the flow-control
// modes, and the eleven rates of the Baud menu.

#include <array>
#include <cstdint>

#include "platform/SerialPorts.h"

namespace korvane {

// The rates a line runs at, highest first.
inline constexpr std::array<int32_t, 20> kSerialSpeeds = {230400, 115200, 76800, 57600, 38400, 28800, 19200,
                                                          14400,  9600,   7200,  4800,  2400,  1800,  1200,
                                                          600,    300,    200,   150,   134,   110};

// The highest rate of the table that is not above the request: 230400 for a
// request of 230400 or more, 110 for anything below 134 (0 and negative
// requests included).
int32_t SetSerialSpeed(int32_t requested);

// The line of the codes the settings keep: parity 1 odd, 2 even, any other
// none; stop bits 1 two, any other one; data bits 0 seven, 2 five, 3 six, 1
// and any other eight. The speed is snapped with SetSerialSpeed.
platform::SerialLineSettings SerialLineFromCodes(int32_t speed, int32_t parity, int32_t stopBits, int32_t dataBits);

// Handshake modes of SerialHandshake.
inline constexpr int kHandshakeNone = 0;
inline constexpr int kHandshakeRtsCts = 1;
inline constexpr int kHandshakeXonXoff = -1;
inline constexpr int kHandshakeDtrOn = 2;
inline constexpr int kHandshakeDtrOff = -2;

// The handshake of the session's flow-control setting (`XonXoffOn`): 1
// XON/XOFF, 2 RTS/CTS, anything else none.
int HandshakeSetting(int16_t xonXoffOn);

// The Baud menu: item n (1 to 11) is kBaudRateItems[n - 1].
inline constexpr std::array<int32_t, 11> kBaudRateItems = {300,   1200,  2400,  4800,   9600,  19200,
                                                           28800, 38400, 57600, 115200, 230400};
// The item of a rate, or 0 when the menu has no item for exactly that rate.
int BaudRateMenuItem(int32_t rate);

}  // namespace korvane
