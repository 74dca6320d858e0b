#pragma once
// A session for key tests: 24 rows of 80 columns, a fake clock, and a host
// link that records what the keys send. A key is pressed as the main loop
// hands it over: the event record filled from it, the raw key-down handler
// run, then the translation.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "emulation/EmulationFlags.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryLink.h"
#include "fakes/RecordingEchoSinks.h"
#include "input/KeyTranslator.h"
#include "platform/MacKeys.h"
#include "platform/NullPort.h"
#include "windows/Session.h"

namespace korvane::testing {

class RecordingKeyHooks final : public input::KeyHooks {
 public:
  int pastes = 0, closes = 0, connectRequests = 0;
  void PasteToHost() override { ++pastes; }
  void CloseConnectionAfterKeyString() override { ++closes; }
  void ConnectOnReturn() override { ++connectRequests; }
};

// A key as the window system hands it over.
struct Key {
  int code = -1;
  uint16_t modifiers = 0;
  int ch = -1;  // -1: the character the key gives by itself (see KeyPressOf)
  bool repeat = false;
};

// The character the platform gives a key: the keys that print nothing and
// the keypad by their code, Option keys from the Option layer, others `ch`.
inline platform::KeyPress KeyPressOf(const Key& k) {
  platform::KeyPress p;
  p.keyCode = k.code;
  p.modifiers = k.modifiers;
  p.autoRepeat = k.repeat;
  int ch = k.ch;
  if (ch < 0) ch = platform::FixedKeyCharacter(k.code);
  if (ch < 0 && (k.modifiers & platform::kOptionModifier))
    ch = platform::OptionCharacter(k.code, (k.modifiers & platform::kShiftModifier) != 0);
  if (ch >= 0) p.text = std::string(1, static_cast<char>(ch));
  return p;
}

// The arrow strings a settings file gets by default for each family.
inline void DefaultArrows(SessionOptions& o) {
  auto set = [&o](const char* left, const char* up, const char* right, const char* down) {
    o.LeftArrowString = left;
    o.UpArrowString = up;
    o.RightArrowString = right;
    o.DownArrowString = down;
  };
  if (o.EmuPrism) set("{CTU", "{CTZ", "{CTL", "{CTJ");
  if (o.EmuVt100) set("{ES[D", "{ES[A", "{ES[C", "{ES[B");
  if (o.EmuViewpoint) set("{CTU", "{CTZ", "{CTF", "{CTJ");
  if (o.EmuWyse50) set("{CTH", "{CTK", "{CTL", "{CTJ");
}

class KeyFixture : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  platform::NullPort port{640, 480};
  Session s{port, clock};
  fakes::MemoryLink* link = nullptr;
  fakes::RecordingEchoSinks sinks;
  input::KeyState keys;
  input::RawKeyState raw;
  RecordingKeyHooks hooks;

  KeyFixture() {
    auto l = std::make_unique<fakes::MemoryLink>(&clock);
    link = l.get();
    s.conn.UsesPty = 1;
    s.conn.PtyStream = std::move(l);
    s.input.SetEchoSinks(&sinks);
    Emulate(EmulationKind::Vt100);
  }

  void Emulate(EmulationKind kind) {
    SetEmulationFlags(kind, s.Opt);
    s.Opt.NationalCharsOff = 1;
    s.Opt.HostCharacterSet = 14;
    DefaultArrows(s.Opt);
  }

  input::KeyTranslator Translator() { return input::KeyTranslator(s.KeyParts(), keys, raw, clock, hooks); }

  // Presses a key; returns what it sent.
  std::string Press(const Key& k) {
    const size_t before = link->written.size();
    const platform::KeyPress p = KeyPressOf(k);
    keys.LastEventRecord = input::KeyEventRecord(p);
    if (!p.autoRepeat) raw.RawKeyDownHandler(p);
    Translator().TranslateKeyPress(p.text.empty() ? -1 : static_cast<uint8_t>(p.text[0]), 0);
    return link->written.substr(before);
  }
  // Function key n (1..32) as the main loop hands it over.
  std::string FunctionKey(int n, uint16_t modifiers = 0) {
    const size_t before = link->written.size();
    keys.LastEventRecord = {input::kNullEvent, 0, modifiers};
    Translator().TranslateKeyPress(-1, n);
    return link->written.substr(before);
  }
  std::string Row(int r) {
    std::string out;
    for (int c = 1; c <= s.screen.ScreenCols; ++c) {
      const int ch = s.screen.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
  }
};

}  // namespace korvane::testing
