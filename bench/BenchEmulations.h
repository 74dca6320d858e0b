#pragma once
// The emulations the benchmarks run: a VT220 session with ANSI colours, and a
// Wyse 60 session with hidden attributes.

#include "emulation/EmulationFlags.h"
#include "settings/SessionOptions.h"

namespace korvane::bench {

inline void Vt220(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Vt220, o);
  o.AutoAnsiColours = 1;
  o.ProgramFontOption = 1;
}

inline void Wyse60(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Wyse60, o);
  o.HiddenAttributes = 1;
  o.HostCharacterSet = 14;
}

}  // namespace korvane::bench
