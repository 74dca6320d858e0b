// Requests to the host that the input side makes: a break, and the window
// size of a local shell.

#include "emulation/HostInput.h"

namespace korvane {

void HostInput::SendBreakToHost() {
  if (Opt.AltBreak == 1) conn.SendToHost("\x10");
  if (Opt.AltBreakC == 1) conn.SendToHost("\x03");
  for (char c : Opt.BreakString) conn.SendToHost(std::string_view(&c, 1));
  if (Opt.AltBreak != 0 || Opt.AltBreakC != 0 || !Opt.BreakString.empty()) return;

  if (!conn.UsesPty && conn.ConnectionPort < 0 && conn.ConnectionOpen == 1) {
    hooks_->SendSerialBreak(270);
    return;
  }
  // Only the telnet client takes Ctrl-] as its command escape. Typed into a
  // secure shell or kermit session the command words would reach the remote
  // shell as a command line, so those sessions, like a local shell, get
  // nothing.
  if (conn.UsesPty && conn.ConnectionOpen == 0 && !Opt.LocalShellSession && Opt.TelnetSession && !Opt.SshSession) {
    conn.SendToHost("\x1d");
    conn.WaitHostData5s();
    if (Opt.SendAbortOption == 1) {
      conn.SendToHost("send abort\r");
      conn.WaitHostData5s();
      conn.SendToHost("\r");
    } else {
      conn.SendToHost("send brk\r");
    }
  }
}

void HostInput::SendWindowSizeToHost() {
  if (!conn.UsesPty || !conn.PtyStream || !Opt.LocalShellSession) return;
  // The size goes to the pseudo-terminal itself; nothing is typed into
  // whatever program runs in the foreground.
  const int rows = screen.ScreenRowsForWindow();
  const int columns = Opt.AutoWrapOn ? screen.ColumnsSetting : screen.WindowColumns;
  hooks_->SetHostWindowSize(rows, columns);
}

}  // namespace korvane
