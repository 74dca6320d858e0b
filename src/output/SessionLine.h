#pragma once
// What a paste and a send need of a session window's line: opening the
// connection on demand, whether the line takes more without making the
// program wait, and writing to it without waiting.

#include <cstddef>
#include <string_view>

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

// A serial line's output queue may hold this much of a paste or send; the
// rest waits until the line has taken it.
inline constexpr size_t kSerialQueueRoom = 4096;

// Opens the window's connection (its child or its serial port) when it is
// not open; true when it is open afterwards.
bool EnsureSessionConnected(SessionWindow& w);
// The line takes more without making the program wait: a child that has
// taken everything written to it, or a serial line whose output queue is not
// filling up.
bool SessionLineHasRoom(SessionWindow& w);
// Writes to the line. What a child's terminal cannot take at once waits in
// its queue and goes out as the child reads: the sender waits for it, the
// window does not.
void SendOnSessionLine(SessionWindow& w, std::string_view bytes);

}  // namespace korvane::output
