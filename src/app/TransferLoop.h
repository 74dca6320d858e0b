#pragma once
// What the main loop does for the session windows' transfers and pictures:
// it steps every window's send, download, kermit steps and picture
// downloads once a turn, and takes the keys that act on them:
//
// - Ctrl+. (or Super+.): a send to the host stops, a download is aborted;
// - Ctrl+Shift+1 (or Super+1, without Alt): the host's output is held (XOFF, while
//   Xon/Xoff is on) until the same key again or a key typed into the
//   session, which let it go on (XOFF and XON);
// - Ctrl+Shift+M (or Super+M, without Alt): the count of lines sent leaves the status line.

#include "platform/Events.h"

namespace korvane {
class SessionWindows;
}

namespace korvane::app {

// Once a turn, for every session window.
void StepSessionTransfers(SessionWindows& windows);

// A key typed into a session window: true when it was one of the keys above
// and acted (it is then used up).
bool TransferKeys(SessionWindows& windows, const platform::UiEvent& e);

}  // namespace korvane::app
