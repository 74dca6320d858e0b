#pragma once
// What the keyboard keeps for one session: the local-echo mode and the key
// strings still being sent. A key string that waits for a delay belongs to
// its session: it goes on to that session's host, whichever window is in
// front meanwhile, and never into another one.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

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
  // How many characters of the hidden-attribute listing's key sequence were
  // typed last.
  uint8_t HiddenListingKeysTyped = 0;
};

// Typed into a session (the keys still go to the host), this copies the
// listing of the screen's hidden attributes to the clipboard: Escape and
// four letters no program asks for in that order.
constexpr const char* kHiddenListingKeys = "\x1bKvHa";

// Follows the typed characters through the sequence; true when `character`
// completes it.
inline bool HiddenListingKeysComplete(SessionKeys& keys, int character) {
  const std::string_view sequence(kHiddenListingKeys);
  uint8_t& typed = keys.HiddenListingKeysTyped;
  if (typed < sequence.size() && character == static_cast<unsigned char>(sequence[typed]))
    ++typed;
  else
    typed = character == static_cast<unsigned char>(sequence[0]) ? 1 : 0;
  if (typed < sequence.size()) return false;
  typed = 0;
  return true;
}

}  // namespace korvane::input
