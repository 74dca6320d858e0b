#include "app/KeyTranslation.h"

#include "output/SessionClipboard.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

namespace {

// What a session window's key strings reach beyond its session.
class WindowKeyHooks final : public input::KeyHooks {
 public:
  explicit WindowKeyHooks(SessionWindow& w) : w_(w) {}
  // "{PA": the clipboard's text goes to the host as the paste command sends it.
  void PasteToHost() override { w_.services.clipboard.PasteToHost(); }
  void CloseConnectionAfterKeyString() override {
    ProgramFlags& flags = w_.Owner().flags;
    if (flags.Quitting) return;
    // The script asked for it: no question to the user.
    flags.CloseByCommand = 1;
    w_.CloseConnection();
    flags.CloseByCommand = 0;
    w_.Owner().UpdateWindowTitle(w_);
  }
  void ConnectOnReturn() override { w_.session.window.ConnectOnReturn = 1; }

 private:
  SessionWindow& w_;
};

}  // namespace

void SessionKeyTranslation::TranslateKeyPress(SessionWindow& window, const platform::KeyPress& key, int functionKey) {
  WindowKeyHooks hooks(window);
  input::KeyTranslator t(window.session.KeyParts(), keys_, raw_, clock_, hooks);
  // Only the active session, in front, reads its host's output.
  SessionWindows& all = window.Owner();
  t.hostInputAfterKey = all.Active() == &window && all.InFront(window.Number());
  // A character the program has no code for is not dropped in silence.
  if (functionKey == 0 && key.text.empty() && key.uncodedCharacter) {
    window.services.sounds.Beep();
    return;
  }
  const int character = key.text.empty() ? -1 : static_cast<uint8_t>(key.text[0]);
  t.TranslateKeyPress(functionKey != 0 ? -1 : character, functionKey);
  if (input::HiddenListingKeysComplete(window.session.keys, functionKey != 0 ? -1 : character))
    if (output::SessionClipboard* clipboard = output::SessionClipboardOf(window))
      clipboard->CopyHiddenAttributeListing();
}

void SessionKeyTranslation::ContinueKeyStrings(SessionWindow& window) {
  if (window.session.keys.PendingKeyStrings.empty()) return;
  WindowKeyHooks hooks(window);
  input::KeyTranslator t(window.session.KeyParts(), keys_, raw_, clock_, hooks);
  t.ContinueKeyStrings();
}

}  // namespace korvane::app
