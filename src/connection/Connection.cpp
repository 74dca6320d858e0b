#include "connection/Connection.h"

#include <algorithm>
#include <string>

namespace korvane {

int Connection::ConnectionIsOpen() {
  // A child that has exited leaves its stream behind until the session is
  // closed; the connection is over once the last of its output has been read.
  const int open = UsesPty ? (PtyStream != nullptr && !PtyStream->Ended()) : (ConnectionOpen != 0);
  ConnectedFlag = ConnectedFlag2 = static_cast<int16_t>(open);
  return open;
}

int Connection::SendToHost(std::string_view text, int extra) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const int n = static_cast<int>(text.size());
  if (UsesPty) {
    HostLink* pty = PtyStream.get();
    if (!pty) return 0;
    if (n >= 2 && PerByteDelay > 0) {
      for (int i = 0; i < n; ++i) {
        pty->Write(bytes + i, 1);
        clock_.Delay(PerByteDelay);
      }
    } else if (n > 0) {
      // Unpaced text goes out in one piece; the child sees the same bytes.
      pty->Write(bytes, n);
    }
    if (extra != 0) {
      const uint8_t b = static_cast<uint8_t>(extra & 0xFF);
      pty->Write(&b, 1);
    }
    PerByteDelay = 0;
    return 0;
  }
  HostLink* port = Link();
  if (!port) return 0;
  // One write for the text and its end byte. The end byte is never dropped:
  // a 255-byte function-key string keeps its carriage return.
  std::string joined(text);
  if (extra != 0) joined += static_cast<char>(extra & 0xFF);
  if (!joined.empty()) port->Write(reinterpret_cast<const uint8_t*>(joined.data()), static_cast<int>(joined.size()));
  return 0;
}

bool Connection::SetHostWindowSize(int rows, int columns) {
  return UsesPty && PtyStream && PtyStream->SetWindowSize(rows, columns);
}

int Connection::SendBreakToHost(const SessionOptions& o) {
  if (o.AltBreak == 1) SendToHost("\x10");
  if (o.AltBreakC == 1) SendToHost("\x03");
  for (char c : o.BreakString) SendToHost(std::string_view(&c, 1));
  if (o.AltBreak != 0 || o.AltBreakC != 0 || !o.BreakString.empty()) return 0;

  if (!UsesPty && ConnectionPort < 0 && ConnectionOpen == 1) {
    host_.SendSerialBreak(270);
    return 0;
  }
  // Only the telnet client takes Ctrl-] as its command escape. Typed into a
  // secure shell or kermit session the command words would reach the remote
  // shell as a command line, so those sessions, like a local shell, get
  // nothing.
  if (UsesPty && ConnectionOpen == 0 && !o.LocalShellSession && o.TelnetSession && !o.SshSession) {
    SendToHost("\x1d");
    WaitHostData5s();
    if (o.SendAbortOption == 1) {
      SendToHost("send abort\r");
      WaitHostData5s();
      SendToHost("\r");
    } else {
      SendToHost("send brk\r");
    }
  }
  return 0;
}

int Connection::SendXoff() {
  if (UsesPty) return SendToHost("\x13");
  SendSerialFlowControl(true);
  return 0;
}

int Connection::SendXoffXon() {
  if (UsesPty) return SendToHost("\x13\x11");
  SendSerialFlowControl(true);
  SendSerialFlowControl(false);
  return 0;
}

void Connection::SendSerialFlowControl(bool xoff) {
  HostLink* port = Link();
  if (!port) return;
  // A host asked to pause must hear it at once, not after the output the
  // line still holds (a paste the host is not taking yet).
  if (port->SendFlowControlNow(xoff)) return;
  const uint8_t byte = xoff ? 19 : 17;
  port->Write(&byte, 1);
}

int Connection::SerialBytesWaiting() {
  if (ConnectionPort == 0 || !SerialChannel) return 0;
  return std::max(0, SerialChannel->Waiting());
}

int Connection::HostDataWaiting() {
  if (UsesPty) return PtyStream && PtyStream->Waiting() > 0 ? -1 : 0;
  return SerialBytesWaiting() > 0 ? 1 : 0;
}

int Connection::WaitHostData5s() {
  const int64_t deadline = clock_.Ticks() + 300;
  while (!HostDataWaiting() && clock_.Ticks() <= deadline) clock_.Delay(5);
  return 0;
}

int Connection::FlushHostInput() {
  uint8_t buf[1024];
  if (!UsesPty) {
    while (true) {
      const int n = SerialBytesWaiting();
      if (n <= 0) break;
      const int take = std::min(n, 250);
      if (SerialChannel->Read(buf, take) <= 0) break;
      if (n <= 250) break;
    }
    return 0;
  }
  host_.DiscardReceivedInput();
  if (PtyStream) {
    // A child that never stops printing must not keep the discard going for
    // ever: what waits now is at most the terminal's buffer, far below this.
    constexpr int kMostDiscarded = 1 << 20;
    int discarded = 0;
    int n = 0;
    while (discarded < kMostDiscarded && (n = PtyStream->Read(buf, sizeof buf)) > 0) discarded += n;
  }
  return 0;
}

}  // namespace korvane
