// Closing a session: the logout sequence of each kind of child, the close of
// the connection with its confirmation, and the single control characters
// that scripts send.

#include <string>

#include "connection/SessionChild.h"

namespace korvane {
namespace {

constexpr int kPollMs = 5;

}  // namespace

int SessionChild::CloseSessionChild() {
  if (conn.PtyStream) {
    if (conn.UsesPty && Opt.LocalShellSession) {
      // Out of whatever runs in the foreground, then out of the shell.
      conn.PerByteDelay = 0;
      conn.SendToHost("", 26);
      conn.SendToHost("", 3);
      conn.SendToHost("exit", 13);
      Pause(100);
    }
    if (conn.UsesPty && Opt.TelnetSession) LeaveClient("quit");
    if (conn.UsesPty && Opt.SshSession) LeaveClient("logout");
    // Closing hangs the child up and reaps it, whether or not it listened;
    // the window tells how it ended.
    ClosePtyFile(conn.PtyStream.get());
    ReportChildEnd(conn.PtyStream->EndOfLink());
  }
  conn.PtyStream.reset();
  conn.ConnectedFlag = 0;
  return 0;
}

void SessionChild::LeaveClient(std::string_view word) {
  platform::Clock& clock = conn.clock();
  // The client's escape character brings up its command prompt.
  conn.SendToHost("", 29);
  const int64_t deadline = clock.Ticks() + 60;
  for (;;) {
    HostLink* stream = conn.PtyStream.get();
    if (PtyHasData(stream) || !stream || stream->Ended()) break;
    if (clock.Ticks() > deadline) break;
    clock.Delay(kPollMs);
  }
  Pause(100);
  conn.SendToHost(word, 13);
  Pause(100);
  conn.FlushHostInput();
}

int SessionChild::CloseConnection() {
  ConnectionHost& host = conn.host();
  const bool open = conn.UsesPty ? conn.ConnectedFlag != 0 : conn.ConnectionOpen != 0;
  if (open && Opt.ConfirmClose &&
      alerts.Show(platform::AlertKind::Caution, kConfirmCloseAlert,
                  "Close the existing connection to the host computer?") == 2)
    return 0;
  if (Opt.CloseHold == 1 && !host.CloseByCommand()) {
    host.SetCloseRequested();
    host.ClearCurrentHostChar();
    return 0;
  }
  if (conn.UsesPty) {
    CloseSessionChild();
  } else if (conn.ConnectionPort != 0) {
    conn.ConnectionOpen = 0;
    conn.ConnectedFlag = 0;
    host.CloseSerialPort();
  }
  if (host.NoSessionWindow()) host.SelectSessionWindow();
  conn.ConnectionIsOpen();
  host.UpdateWindowTitle();
  return 0;
}

int SessionChild::SendControlLetter() {
  if (conn.ScriptKeyText.empty()) return 0;
  int code = static_cast<uint8_t>(conn.ScriptKeyText.front());
  if (code >= 97 && code <= 127) code -= 32;
  code -= 64;
  // Only the control characters 1..31 can be named this way; anything else
  // would send an unrelated byte.
  if (code < 1 || code > 31) return 0;
  return conn.SendToHost("", code);
}

}  // namespace korvane
