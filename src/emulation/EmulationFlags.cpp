#include "emulation/EmulationFlags.h"

namespace korvane {

namespace {
struct FlagRow {
  EmulationKind kind;
  const char* term;
  int16_t prism, vt100, vt220, viewpoint, wyse50, wyse60, wyse370, tvi925;
};
// One row per choice: the flags it leaves set.
constexpr FlagRow kRows[] = {
    {EmulationKind::Prism, "Prism", 1, 0, 0, 0, 0, 0, 0, 0},  {EmulationKind::Tvi925, "tvi925", 0, 0, 0, 1, 1, 1, 0, 1},
    {EmulationKind::Vt100, "vt100", 0, 1, 0, 0, 0, 0, 0, 0},  {EmulationKind::Vt220, "vt220", 0, 1, 1, 0, 0, 0, 0, 0},
    {EmulationKind::Viewpoint, "vp", 0, 0, 0, 1, 0, 0, 0, 0}, {EmulationKind::Wyse50, "wy50", 0, 0, 0, 1, 1, 0, 0, 0},
    {EmulationKind::Wyse60, "wy60", 0, 0, 0, 1, 1, 1, 0, 0},  {EmulationKind::Wyse370, "wy370", 0, 0, 0, 1, 1, 1, 1, 0},
};

const FlagRow& RowOf(EmulationKind kind) {
  for (const auto& r : kRows)
    if (r.kind == kind) return r;
  return kRows[0];
}
}  // namespace

void SetEmulationFlags(EmulationKind kind, SessionOptions& o, bool internationalOn) {
  const FlagRow& r = RowOf(kind);
  o.EmuPrism = r.prism;
  o.EmuVt100 = r.vt100;
  o.EmuVt220 = r.vt220;
  o.EmuViewpoint = r.viewpoint;
  o.EmuWyse50 = r.wyse50;
  o.EmuWyse60 = r.wyse60;
  o.EmuWyse370 = r.wyse370;
  o.EmuTvi925 = r.tvi925;
  o.EmulationCode = r.vt100;
  if (kind == EmulationKind::Prism) {
    if (!internationalOn) o.PrismSevenBit = 0;
    if (o.HostCharacterSet != 14) o.PrismSevenBit = 1;
  } else {
    o.PrismSevenBit = 1;
  }
}

const char* EmulationNameFromFlags(const SessionOptions& o) {
  const char* name = "";
  if (o.EmuPrism) name = "Prism";
  if (o.EmuVt100) name = "VT100";
  if (o.EmuVt220) name = "VT220";
  if (o.EmuViewpoint) name = "Viewpoint";
  if (o.EmuWyse50) name = "Wyse 50";
  if (o.EmuWyse60) name = "Wyse 60";
  if (o.EmuTvi925) name = "TV 925";
  if (o.EmuWyse370) name = "Wyse 370";
  return name;
}

const char* TermName(EmulationKind kind) { return RowOf(kind).term; }

bool EmulationFromTermName(std::string_view name, EmulationKind& kind) {
  for (const auto& r : kRows)
    if (name == r.term) {
      kind = r.kind;
      return true;
    }
  return false;
}

}  // namespace korvane
