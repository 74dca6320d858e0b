#pragma once
// The channel to the host: a pseudo-terminal child's stream or an open
// serial port. The connection code reads and writes through it; tests put a
// memory link in its place.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

// How the far end of a channel ended.
struct LinkEnd {
  enum class How { Unknown, Exited, Signalled };
  How how = How::Unknown;
  int code = 0;  // the exit status, or the number of the signal
};

class HostLink {
 public:
  virtual ~HostLink() = default;
  // Writes bytes to the host, in order, without waiting: what the channel
  // cannot take at once waits in the link's queue and goes out as the far end
  // reads (the queue has a bound; see OutputQueued).
  virtual void Write(const uint8_t* data, int n) = 0;
  // Bytes written and not yet taken by the far end; 0 for a link that hands
  // every write over at once.
  virtual size_t OutputQueued() const { return 0; }
  // Hands the far end what waits in the queue, as much as it takes now,
  // without waiting. (A link without a queue has nothing to hand over.)
  virtual void SendQueuedOutput() {}
  // Takes up to `max` bytes that have arrived, without waiting. Returns the
  // count, 0 when nothing waits, or -1 when the channel has ended.
  virtual int Read(uint8_t* buf, int max) = 0;
  // Bytes that have arrived and not been read yet.
  virtual int Waiting() = 0;

  // The far end has gone (a child that exited, a port that was removed) and
  // every byte it sent has been read: nothing more will ever arrive.
  virtual bool Ended() { return false; }
  // Ends the channel: a pseudo-terminal child is hung up and reaped. Later
  // writes are dropped and reads report the end.
  virtual void Close() {}
  // Tells the far end the size of the window in character cells (a
  // pseudo-terminal's window size). False when the channel has none.
  virtual bool SetWindowSize(int /*rows*/, int /*cols*/) { return false; }

  // Leaves the echo of `lines`, just typed, out of what is read from now on
  // (see platform::EchoHold): every other byte is read, in order. False
  // when the channel cannot tell echoes apart (nothing is held back then).
  virtual bool HoldEchoOf(const std::vector<std::string>& /*lines*/) { return false; }
  // An echo hold is under way: what it holds is let go on time (its
  // patience runs out) only if the link is looked at meanwhile.
  virtual bool HoldingEcho() const { return false; }
  // How the far end ended, once the channel is closed: a child's exit status
  // or the signal that ended it; Unknown where there is no such end.
  virtual LinkEnd EndOfLink() const { return {}; }
  // The descriptor the program's event loop waits on for this link's input,
  // and, while OutputWaiting, for room to write what the link holds; -1 for
  // a link that has none to offer (the loop then looks at it once a tick).
  virtual int WaitDescriptor() { return -1; }
  virtual bool OutputWaiting() { return false; }
  // Sends XOFF (true) or XON (false) to the far end at once, ahead of any
  // output the link still holds. False when the link cannot: the caller then
  // writes the byte in its turn.
  virtual bool SendFlowControlNow(bool /*xoff*/) { return false; }
};

}  // namespace korvane
