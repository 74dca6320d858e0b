#pragma once
// The emulation a session runs, as the set of flags the interpreters test.
// The Wyse family is cumulative: every Wyse and TeleVideo choice also sets the
// Viewpoint flag, the later models set the flags of the earlier ones, and
// VT220 sets VT100 as well. Interpreters test single flags, never a kind.

#include <string_view>

#include "settings/SessionOptions.h"

namespace korvane {

enum class EmulationKind { Prism, Tvi925, Vt100, Vt220, Viewpoint, Wyse50, Wyse60, Wyse370 };

// Sets the eight emulation flags, PrismSevenBit and EmulationCode for a
// choice of emulation. For Prism, PrismSevenBit follows the host character
// set: 1 unless the set is 14; with set 14 it is 0 unless the user's
// international-characters choice (`internationalOn`) keeps it.
void SetEmulationFlags(EmulationKind kind, SessionOptions& o, bool internationalOn = false);

// The name shown for the flags: the last of Prism, VT100, VT220, Viewpoint,
// Wyse 50, Wyse 60, TV 925, Wyse 370 whose flag is set; empty when none is.
const char* EmulationNameFromFlags(const SessionOptions& o);

// The terminal name a host is given ("vp", "wy50", "wy60", "wy370",
// "tvi925", "vt100", "vt220", "Prism"), and the kind a name stands for.
const char* TermName(EmulationKind kind);
bool EmulationFromTermName(std::string_view name, EmulationKind& kind);

}  // namespace korvane
