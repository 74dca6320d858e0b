#pragma once
// The termios2 records behind SerialLine.h, for SerialLine.cpp and its tests.
// <asm/termbits.h> defines its own struct termios: never include this header
// together with <termios.h>.

#include <asm/termbits.h>

#include <cstdint>

#include "platform/SerialPorts.h"

namespace korvane::platform::posix {

// The speed bits for a rate: its constant (B9600) where the system has one,
// else BOTHER, which tells the kernel to take the rate from the record.
unsigned SerialSpeedBits(int32_t rate);
// Turns the record the device had into the one for raw transfer with the
// settings and no flow control.
void MakeSerialRecord(termios2& record, const SerialLineSettings& settings);
void SetFlowControlFlags(termios2& record, SerialFlowControl flow);

}  // namespace korvane::platform::posix
