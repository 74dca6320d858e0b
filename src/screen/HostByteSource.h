#pragma once
// The further bytes of a host sequence, for the screen commands that read
// their own parameters (the stored-page command). In the program this is the
// interpreters' shared next-host-byte step, which waits for a byte with a
// time-out; tests give a buffer.

namespace korvane {

class HostByteSource {
 public:
  static constexpr int kTimedOut = -1;
  virtual ~HostByteSource() = default;
  // The next byte the host sent (0..255), waiting for it as the interpreters
  // do; kTimedOut when none came in time.
  virtual int GetNextHostByte() = 0;
};

}  // namespace korvane
