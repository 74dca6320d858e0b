// The window size of a local shell, which the input side tells its host.

#include <algorithm>

#include "emulation/HostInput.h"

namespace korvane {

void HostInput::SendWindowSizeToHost() {
  if (!conn.IsPtyConnection() || !conn.HasPtyChild() || !Opt.LocalShellSession) return;
  // The size goes to the pseudo-terminal itself; nothing is typed into
  // whatever program runs in the foreground. The rows are the window's, not
  // a scroll region's; with auto-wrap the fixed column count is told, but
  // never more columns than the window shows.
  screen.ScreenRowsForWindow();
  const int rows = screen.WindowRows;
  const int columns = Opt.AutoWrapOn ? std::min(screen.ColumnsSetting, screen.WindowColumns) : screen.WindowColumns;
  conn.SetHostWindowSize(rows, std::max(columns, 1));
}

}  // namespace korvane
