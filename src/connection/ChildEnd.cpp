// The end of a session's child: a child that ended by itself is reaped and
// its connection closed, and the window tells how the child ended, whether
// it ended by itself or was closed.

#include <string>

#include "connection/SessionChild.h"

namespace korvane {

bool SessionChild::EndOfChild() {
  HostLink* stream = conn.PtyStream.get();
  if (!conn.UsesPty || !stream || !stream->Ended()) return false;
  ClosePtyFile(stream);
  const LinkEnd end = stream->EndOfLink();
  conn.PtyStream.reset();
  conn.ConnectionIsOpen();
  ReportChildEnd(end);
  conn.host().UpdateWindowTitle();
  return true;
}

std::string SessionChild::ChildProgramName() const {
  // A remote session's child is its client (the shell gave way to it).
  if (Opt.TelnetSession && !Opt.KermitMode) return "telnet";
  if (Opt.SshSession && !Opt.KermitMode) return "ssh";
  std::string program = conn.ChildPath.substr(0, conn.ChildPath.find(' '));
  const size_t slash = program.rfind('/');
  if (slash != std::string::npos) program.erase(0, slash + 1);
  return program.empty() ? std::string("the session's program") : program;
}

void SessionChild::ReportChildEnd(const LinkEnd& end) {
  ConnectionHost& host = conn.host();
  std::string line = host.Localised("Connection closed");
  switch (end.how) {
    case LinkEnd::How::Exited:
      line += ": " + ChildProgramName() + host.Localised(" ended with exit status ") + std::to_string(end.code);
      break;
    case LinkEnd::How::Signalled:
      line += ": " + ChildProgramName() + host.Localised(" was ended by signal ") + std::to_string(end.code);
      break;
    case LinkEnd::How::Unknown: break;
  }
  host.WriteSessionLine(line + ".");
  host.FlushSessionWindow();
}

}  // namespace korvane
