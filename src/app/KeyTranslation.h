#pragma once
// The one seam through which a key typed into a session window reaches the
// host: the key translation of the session's emulation (src/input), given
// the program-wide key state and the session window the key belongs to.

#include "input/KeyState.h"
#include "input/KeyTranslator.h"
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
  // with `functionKey` 1..32 (17..32 the shifted keys) and no character.
  virtual void TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) = 0;
  // Carries on with the window's key strings that wait for a delay.
  virtual void ContinueKeyStrings(SessionWindow& window) = 0;
};

using input::WaitOneTick;

// The key translation of the session's emulation. The key state describes
// the key being translated (the main loop fills its record from each event).
class SessionKeyTranslation final : public KeyTranslation {
 public:
  SessionKeyTranslation(input::KeyState& keys, const input::RawKeyState& raw, platform::Clock& clock)
      : keys_(keys), raw_(raw), clock_(clock) {}
  void TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) override;
  void ContinueKeyStrings(SessionWindow& window) override;

 private:
  input::KeyState& keys_;
  const input::RawKeyState& raw_;
  platform::Clock& clock_;
};

}  // namespace korvane::app
