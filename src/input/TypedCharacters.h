#pragma once
// A typed character above 127 in the session's character set: the byte the
// host takes for it, so that the host's echo shows the same character.

#include "settings/SessionOptions.h"

namespace korvane::input {

// The session strips the eighth bit of what it receives (a 7-bit host).
bool StripsEighthBit(const SessionOptions& Opt);

// The byte to send for the Mac character `mac` (128..255), or -1 when the
// session's character set has no code for it:
//  - a 7-bit session has none (its national set was asked first);
//  - with the PC code page, the character's code-page code;
//  - with DEC Multinational characters, the DEC code the session shows as
//    this character (nearly ISO 8859-1: é is 233);
//  - otherwise the session shows the Mac characters themselves: the code.
int HostByteOfTypedCharacter(const SessionOptions& Opt, int mac);

}  // namespace korvane::input
