// The pending-command executor: the requests that menus and scripts leave
// for the idle pass, carried out in a fixed order.

#include "app/App.h"
#include "platform/MenuNumbers.h"

namespace korvane::app {

void App::RunPendingCommand() {
  SessionWindow* w = windows.Active();
  if (!w) return;
  Session& s = w->session;
  // 1. Open the connection.
  if (requests.RequestOpenConnection) {
    requests.RequestOpenConnection = 0;
    if (!w->Connected()) {
      windows.ResetScrollbackView(*w);
      if (s.Opt.UsesPty) w->StartConnection();
      else OpenSerialConnection(*w);
      windows.UpdateWindowTitle(*w);
      if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
    }
  }
  // 9. Dialling needs a serial line or a modem (the serial line says so).
  if (requests.RequestQuickDial) {
    requests.RequestQuickDial = 0;
    w->services.serial.Dial();
  }
  SessionChild child(s.Opt, s.conn, platform.processes, alerts, data.programs);
  // 13. to 16. Single characters and the break for the host.
  if (requests.RequestSendBreak) {
    requests.RequestSendBreak = 0;
    s.conn.SendBreakToHost(s.Opt);
  }
  if (requests.RequestSendControl) {
    requests.RequestSendControl = 0;
    child.SendControlLetter();
  }
  if (requests.RequestSendEscape) {
    requests.RequestSendEscape = 0;
    child.SendEscapeToHost();
  }
  if (requests.RequestSendTab) {
    requests.RequestSendTab = 0;
    child.SendTabToHost();
  }
  // 17. Close the connection.
  if (requests.RequestCloseConnection) {
    requests.RequestCloseConnection = 0;
    flags.CloseByCommand = 1;
    w->CloseConnection();
    flags.CloseByCommand = 0;
  }
}

}  // namespace korvane::app
