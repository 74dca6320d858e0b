#pragma once
// Stopping what the host sends before the screen changes under it: the end
// or abort of a download, the Screen menu's clear and reset, the break key.
//
// Each drops the rest of the chunk being interpreted, lets a host held with
// XOFF go again (XOFF then XON, while Xon/Xoff is on), shows host text again
// and returns to the screen font and the normal style. StopOutputAndFlush
// also throws away what waits on the connection; StopOutput keeps it for the
// next input pass; BreakAndStopOutput sends a break first.

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

void StopOutputAndFlush(SessionWindow& w);
void StopOutput(SessionWindow& w);
void BreakAndStopOutput(SessionWindow& w);

}  // namespace korvane::output
