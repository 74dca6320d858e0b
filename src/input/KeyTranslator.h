#pragma once
// A key typed into a session window, turned into the bytes the session's
// emulation sends for it: the VT keypad and cursor keys in both modes, the
// VT220 and Wyse-family editing keys, the extended ANSI keys, the Option
// keys, national characters, function keys with their strings, and ordinary
// characters (with the caps mode and the local echo). After the key the
// session's host input runs at once, so that the echo shows without waiting.
//
// The key state (KeyState) describes the key being translated: the event
// record it was decoded from, and the raw key-down values.

#include <string>
#include <string_view>

#include "connection/Connection.h"
#include "emulation/HostInput.h"
#include "emulation/VtState.h"
#include "emulation/WyseState.h"
#include "input/KeyHooks.h"
#include "input/KeyState.h"
#include "input/SessionKeys.h"
#include "platform/Clock.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane::input {

// The parts of a session that a typed key reaches.
struct KeySession {
  SessionOptions& Opt;
  Screen& screen;
  Connection& conn;
  HostInput& input;
  SessionKeys& keys;
  WyseState& wyse;
  VtState& vt;
};

class KeyTranslator {
 public:
  KeyTranslator(const KeySession& session, KeyState& keys, const RawKeyState& raw, platform::Clock& clock,
                KeyHooks& hooks);

  // One key: its character (Mac Roman, -1 for none) or a function key number
  // (1..32, 0 for none; 17..32 are the shifted keys).
  void TranslateKeyPress(int character, int functionKey);

  // Function key n's string (n 1..32), expanded for the session's emulation
  // and sent; what follows a delay token waits for ContinueKeyStrings.
  void SendFunctionKey(int n);
  // A string in key-string notation sent once (a connection script); with
  // `closeWhenDone` the connection is closed half a second after its end.
  void SendKeyString(std::string_view text, bool closeWhenDone);
  // Carries on with the session's key strings; true while some still wait.
  bool ContinueKeyStrings();

  // The byte of an ordinary key: Backspace as DEL where the emulation says
  // so, then the local echo.
  void SendKeyStringToHost(int c);

  // Host input runs after the key (only the session in front reads it).
  bool hostInputAfterKey = true;

 private:
  void Translate(int ch, int functionKey);
  bool VtKey(int ch, int code);
  bool ExtendedAnsiKey(int ch, int code);
  bool FamilyKey(int ch, int code);
  bool WyseSixtyKey(int ch, int code);
  int OptionFunctionKey(int code);
  bool InsertKey(int code) const;
  bool IsArrow(int ch) const { return ch >= 28 && ch <= 31; }
  const std::string& ArrowString(int ch) const;
  void SendArrowString(int ch, const std::string& definition);
  void SendByte(int b);
  void SendText(std::string_view text);
  // ESC, "[", a digit and "~" (or ESC and a letter), one tick apart.
  void SendOneTickApart(std::string_view text);
  void LocalEcho(int c);
  void ReturnViewToLiveScreen();
  // One step of the first pending key string; false when it must wait.
  bool StepKeyString(KeyStringJob& job);

  KeySession s_;
  KeyState& keys_;
  const RawKeyState& raw_;
  platform::Clock& clock_;
  KeyHooks& hooks_;
  int keypad_ = 0;
};

// Waits until the tick count changes (at most one tick): the pause between
// the bytes of the sequences some keys send one byte at a time.
void WaitOneTick(platform::Clock& clock);

}  // namespace korvane::input
