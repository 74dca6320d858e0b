#pragma once
// The channel to the host: a pseudo-terminal child's stream or an open
// serial port. The connection code reads and writes through it; tests put a
// memory link in its place.

#include <cstdint>

namespace korvane {

class HostLink {
 public:
  virtual ~HostLink() = default;
  // Writes bytes to the host, in order. None is lost: when the channel is
  // full the call waits until it takes them.
  virtual void Write(const uint8_t* data, int n) = 0;
  // Takes up to `max` bytes that have arrived, without waiting. Returns the
  // count, 0 when nothing waits, or -1 when the channel has ended.
  virtual int Read(uint8_t* buf, int max) = 0;
  // Bytes that have arrived and not been read yet.
  virtual int Waiting() = 0;
};

}  // namespace korvane
