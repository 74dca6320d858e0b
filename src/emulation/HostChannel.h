#pragma once
// What host input and the interpreters need of the session's connection: the
// stream to read, the one send operation every answer goes through, the
// flow-control bytes and the tests for waiting input. The connection
// implements it; tests put a memory link behind a fake.

#include <string_view>

#include "platform/Clock.h"
#include "platform/HostLink.h"

namespace korvane {

class HostChannel {
 public:
  virtual ~HostChannel() = default;

  // The stream of the session's kind of connection (a pty child's or a
  // serial port's), or null when none is open.
  virtual HostLink* Link() const = 0;
  // The session runs a child on a pseudo-terminal (telnet, secure shell,
  // local shell) rather than a serial port.
  virtual bool IsPtyConnection() const = 0;
  // A pty child has been started and its stream not yet closed (it may have
  // ended: see ConnectionIsOpen).
  virtual bool HasPtyChild() const = 0;
  // The connection-open flag of a serial port (1 while it is open).
  virtual int ConnectionOpenFlag() const = 0;
  // Open: a pty child whose stream has not ended, or an open serial port.
  virtual int ConnectionIsOpen() = 0;

  // Sends the text and then, when `extra` is not 0, its low 8 bits as one byte.
  virtual int SendToHost(std::string_view text, int extra = 0) = 0;
  virtual int SendXoff() = 0;
  virtual int SendXoffXon() = 0;
  // Tells a pty child the window's size in cells (SIGWINCH reaches it); false
  // when there is no pty child.
  virtual bool SetHostWindowSize(int rows, int columns) = 0;

  virtual int SerialBytesWaiting() = 0;
  // Non-zero when host input waits: -1 on a pseudo-terminal, 1 on a serial port.
  virtual int HostDataWaiting() = 0;
  // Throws away the host input that waits now.
  virtual int FlushHostInput() = 0;

  virtual platform::Clock& clock() = 0;
};

}  // namespace korvane
