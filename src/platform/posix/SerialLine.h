#pragma once
// The terminal settings of an open serial device. The settings are made with
// the kernel's termios2 record, which carries the speed as a number: the
// C library's speed calls accept only the rates that have a constant, and
// 28800, 76800, 14400 and 7200 bit/s have none. That record's header cannot
// be included with <termios.h>, so it stays inside SerialLine.cpp (and
// SerialTermios2.h, for the tests of the record).

#include <cstdint>

#include "platform/SerialPorts.h"

namespace korvane::platform::posix {

// Raw byte transfer with the settings' speed and character format: no echo,
// no line editing, no character translation, receiver on, modem-control
// lines ignored for opening, reads that return at once, and no flow control.
// 0 or the system's error number.
int ConfigureSerialLine(int fd, const SerialLineSettings& settings);
// Hardware (RTS/CTS), software (XON/XOFF) or no flow control on the line; the
// rest of the settings stay. 0 or the system's error number.
int SetSerialFlowControl(int fd, SerialFlowControl flow);
// The output speed the device runs at, or -1 when it cannot be read.
int32_t SerialLineSpeed(int fd);

}  // namespace korvane::platform::posix
