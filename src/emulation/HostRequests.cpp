// The window size of a local shell, which the input side tells its host.

#include "emulation/HostInput.h"

namespace korvane {

void HostInput::SendWindowSizeToHost() {
  if (!conn.IsPtyConnection() || !conn.HasPtyChild() || !Opt.LocalShellSession) return;
  // The size goes to the pseudo-terminal itself; nothing is typed into
  // whatever program runs in the foreground.
  const int rows = screen.ScreenRowsForWindow();
  const int columns = Opt.AutoWrapOn ? screen.ColumnsSetting : screen.WindowColumns;
  conn.SetHostWindowSize(rows, columns);
}

}  // namespace korvane
