#pragma once
// The one seam through which a key typed into a session window reaches the
// host. The key translation of each emulation (cursor keys, keypad, function
// keys, national characters) takes it over; until then the character the key
// gives is sent as it is, which is enough for printable keys, Return,
// Backspace, Tab, Escape and the control letters.

#include "platform/Clock.h"
#include "platform/Events.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class KeyTranslation {
 public:
  virtual ~KeyTranslation() = default;
  // Sends what `key` stands for to the session's host. A function key comes
  // with `functionKey` 1..16 (shifted when the key's modifiers say so).
  virtual void TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) = 0;
};

// Waits until the tick count changes (at most one tick): the pause between
// the bytes of escape sequences that keys send one byte at a time.
void WaitOneTick(platform::Clock& clock);

// The character of the key, as it is. Return with no connection open asks the
// next periodic pass to open the connection again.
class PlainKeyTranslation final : public KeyTranslation {
 public:
  void TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) override;
};

}  // namespace korvane::app
