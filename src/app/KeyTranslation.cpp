#include "app/KeyTranslation.h"

#include "windows/SessionWindows.h"

namespace korvane::app {

void WaitOneTick(platform::Clock& clock) {
  const int64_t start = clock.Ticks();
  while (clock.Ticks() == start) clock.Delay(1);
}

void PlainKeyTranslation::TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) {
  Session& s = window.session;
  if (functionKey != 0 || key.text.empty()) return;
  if (!window.Connected()) {
    if (key.text == "\r") s.window.ConnectOnReturn = 1;
    return;
  }
  s.conn.SendToHost(key.text);
  // The host's echo is shown at once, not at the next idle pass.
  s.input.ProcessHostInput();
}

}  // namespace korvane::app
