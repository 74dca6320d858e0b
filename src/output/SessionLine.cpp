#include "output/SessionLine.h"

#include "connection/SerialFiles.h"
#include "platform/SerialPorts.h"
#include "platform/posix/PtyChild.h"
#include "windows/SessionWindows.h"

namespace korvane::output {

bool EnsureSessionConnected(SessionWindow& w) {
  if (w.Connected()) return true;
  if (w.session.Opt.UsesPty)
    w.StartConnection();
  else
    w.services.serial.OpenSelectedSerialPort();
  w.Owner().UpdateWindowTitle(w);
  return w.Connected();
}

bool SessionLineHasRoom(SessionWindow& w) {
  HostLink* link = w.session.conn.Link();
  if (!link) return true;  // nothing to write to: the send itself finds that out
  if (auto* pty = dynamic_cast<platform::posix::PtyChild*>(link)) return pty->PendingOutput() == 0;
  if (auto* file = dynamic_cast<SerialFile*>(link)) return file->Port().PendingOutput() < kSerialQueueRoom;
  if (auto* port = dynamic_cast<platform::SerialPort*>(link)) return port->PendingOutput() < kSerialQueueRoom;
  return true;
}

void SendOnSessionLine(SessionWindow& w, std::string_view bytes) {
  Connection& conn = w.session.conn;
  if (auto* pty = dynamic_cast<platform::posix::PtyChild*>(conn.PtyStream.get()); pty && conn.UsesPty) {
    pty->WriteWithoutWaiting(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    return;
  }
  conn.SendToHost(bytes);
}

}  // namespace korvane::output
