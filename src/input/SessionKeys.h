#pragma once
// What the keyboard keeps for one session: the local-echo mode and the key
// strings still being sent. A key string that waits for a delay belongs to
// its session: it goes on to that session's host, whichever window is in
// front meanwhile, and never into another one.

#include <cstdint>
#include <deque>
#include <string>

namespace korvane::input {

// A key string on its way to the host: a working copy of its text (national
// replacement never reaches the stored definition) and where sending stands.
struct KeyStringJob {
  std::string text;
  size_t pos = 0;
  // While set, sending waits until the tick count reaches `resumeTick`.
  bool waiting = false;
  int64_t resumeTick = 0;
  // The string was a one-off that ends the connection when it is done.
  bool closeWhenDone = false;
  bool closing = false;
};

struct SessionKeys {
  // 2: typed characters are also written on the screen (local echo).
  int16_t LocalEchoMode = 0;
  // Key strings in the order they were asked for; the first one is being sent.
  std::deque<KeyStringJob> PendingKeyStrings;
};

}  // namespace korvane::input
