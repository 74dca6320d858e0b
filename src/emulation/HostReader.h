#pragma once
// The byte reader's state: the chunk read from the connection, the byte under
// interpretation, the bytes given back or replayed, flow control and the
// hold of output. HostInput reads and steps it.

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

struct HostReaderState {
  std::array<uint8_t, 1024> ReceiveBuffer{};
  int16_t HostChunkCount = 0;
  int16_t HostChunkLast = -1;
  int16_t HostChunkPos = 0;
  int16_t HostBytesBeyondChunk = 0;
  int16_t CurrentHostChar = 0;
  int16_t NextHostByte = 0;
  int16_t HostReadTimedOut = 0;
  int16_t XoffSent = 0;
  int16_t ChunkPassCount = 0;
  int8_t FlushRequest = 0;
  int8_t PendingCR = 0;
  int16_t HoldOutput = 0;
  int16_t OutputHeld = 0;
  int16_t PlainTextMode = 0;
  int16_t ReplayActive = 0;
  std::string ReplayText;
  int16_t ReplayPos = 0;
  int8_t PushBackPending = 0;
  int16_t PushedBackByte = 0;
  int16_t SkipRestOfChunk = 0;
  // Host input reached the screen since a script last asked ("xfer"/"drec"
  // reads and clears it), and the chunks of host input read so far (a
  // script's message to the host waits for the count to move).
  int8_t HostDataArrived = 0;
  int64_t HostChunksRead = 0;
};

}  // namespace korvane
