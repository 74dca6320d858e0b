// The pending-command executor: the requests that menus and scripts leave
// for the idle pass, carried out in a fixed order.

#include "app/App.h"
#include "app/AppScripting.h"
#include "platform/MenuNumbers.h"

namespace korvane::app {

void App::RunPendingCommand() {
  // Scripts read the session as it was at the start of the pass.
  scripting->CopyForScripts();
  SessionWindow* w = windows.Active();
  if (!w) return;
  Session& s = w->session;
  // Open the connection.
  if (requests.RequestOpenConnection) {
    requests.RequestOpenConnection = 0;
    if (!w->Connected()) {
      windows.ResetScrollbackView(*w);
      if (s.Opt.UsesPty)
        w->StartConnection();
      else
        OpenSerialConnection(*w);
      windows.UpdateWindowTitle(*w);
      if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
    }
  }
  // What scripts asked of capture, the clipboard capture and the host.
  scripting->ServeCaptureAndMessages(*w);
  // Dialling needs a serial line or a modem (the serial line says so).
  if (requests.RequestQuickDial) {
    requests.RequestQuickDial = 0;
    w->services.serial.Dial();
  }
  // The modem, the snapshot and paste.
  scripting->ServeModemAndClipboard(*w);
  SessionChild child(s.Opt, s.conn, platform.processes, alerts, data.programs);
  // Single characters and the break for the host.
  if (requests.RequestSendBreak) {
    requests.RequestSendBreak = 0;
    s.conn.SendBreakToHost(s.Opt);
  }
  if (requests.RequestSendControl) {
    requests.RequestSendControl = 0;
    // Each script command sends the letter it was given.
    const std::vector<std::string> letters = scripting->TakeControlLetters();
    if (letters.empty()) child.SendControlLetter();
    for (const std::string& letter : letters) {
      s.conn.ScriptKeyText = letter;
      child.SendControlLetter();
    }
  }
  if (requests.RequestSendEscape) {
    requests.RequestSendEscape = 0;
    child.SendEscapeToHost();
  }
  if (requests.RequestSendTab) {
    requests.RequestSendTab = 0;
    child.SendTabToHost();
  }
  // Close the connection.
  if (requests.RequestCloseConnection) {
    requests.RequestCloseConnection = 0;
    flags.CloseByCommand = 1;
    w->CloseConnection();
    flags.CloseByCommand = 0;
  }
  // Deleting the capture file, the transfer chain, and the scripts' waits.
  if (SessionWindow* after = windows.Active()) scripting->ServeAfterPending(*after);
}

}  // namespace korvane::app
