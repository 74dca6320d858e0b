#include "connection/TerminalNames.h"

namespace korvane {

std::string TermNameFromEmulation(const SessionOptions& opt, TermTable table, std::string previous) {
  const bool local = table == TermTable::LocalShell;
  std::string name = std::move(previous);
  if (opt.EmuViewpoint) name = local ? "" : "vp";
  if (opt.EmuWyse50) name = "wy50";
  if (opt.EmuWyse60) name = local ? "wy50" : "wy60";
  // The Wyse 370 emulation is the Wyse 60 with the 370's extras: it honours
  // the "wy60" description, not "wy370" (the 370's ANSI personality).
  if (opt.EmuWyse370) name = local ? "wy50" : "wy60";
  if (opt.EmuTvi925) name = "tvi925";
  if (opt.EmuVt100) name = "vt100";
  if (opt.EmuVt100 && opt.EmuVt220) name = "vt220";
  if (opt.EmuPrism) name = local ? "" : "Prism";
  return name;
}

}  // namespace korvane
