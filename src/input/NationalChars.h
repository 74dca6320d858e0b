#pragma once
// Characters bound for a host that strips the 8th bit: a Mac character above
// 127 becomes the 7-bit code at which the host's national set shows it.

#include <array>
#include <cstdint>

#include "settings/SessionOptions.h"

namespace korvane::input {

// The code to send for the Mac character `code`: its national replacement
// while the 8th bit is stripped (NationalCharsOff 0) and the host's set
// (HostCharacterSet 4..13, 17, 18) shows it at a national position; `code`
// itself otherwise. Both settings are read at every call.
int NationalChar(const SessionOptions& Opt, int code);

// The other direction, for host input: entries 1..12 are what the twelve
// national positions (96, 126, 64, 35, 94, 95, 91, 93, 92, 123, 125, 124)
// show under national set `set` (a Mac character, or the position's own
// code where the set keeps it); entry 0 is unused.
std::array<int16_t, 13> NationalDisplayTable(int set);

}  // namespace korvane::input
