#pragma once
// The terminal name (the TERM value) a session gives the far side, from the
// emulation flags. The flags are cumulative (a Wyse 370 also sets the Wyse 60,
// Wyse 50 and Viewpoint flags), so the rows are tested from the simplest
// emulation to the most specific and the last row that holds decides.

#include <string>

#include "settings/SessionOptions.h"

namespace korvane {

enum class TermTable {
  // Telnet and secure shell: every emulation has its own name, but for the
  // Wyse 370, whose emulation answers to the Wyse 60's description.
  Remote,
  // The local shell: the Wyse emulations share "wy50"; Viewpoint and Prism
  // have no name.
  LocalShell,
};

// The name by the table; `previous` when no emulation flag is set.
std::string TermNameFromEmulation(const SessionOptions& opt, TermTable table, std::string previous);

}  // namespace korvane
