#pragma once
// Stopping what the host sends before the screen changes under it, at the
// end or abort of a download: the rest of the chunk being interpreted and
// what waits on the connection are dropped, a host held with XOFF may go
// again (XOFF then XON, while Xon/Xoff is on), host text is shown again and
// the screen font and the normal style come back.

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

void StopOutputAndFlush(SessionWindow& w);

}  // namespace korvane::output
