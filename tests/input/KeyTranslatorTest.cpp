// The key translation per emulation: a key code with its modifiers in, the
// exact bytes out.

#include <gtest/gtest.h>

#include "input/KeyFixture.h"

namespace korvane::testing {
namespace {

using namespace platform;

constexpr uint16_t kShift = kShiftModifier, kCtrl = kControlModifier, kOpt = kOptionModifier, kCaps = kCapsLockModifier;

struct Case {
  const char* name;
  Key key;
  std::string bytes;
};

class KeyTranslation : public KeyFixture {
 protected:
  KeyTranslation() {
    // Each function key's string names it, so that a case shows which key
    // was chosen.
    for (int n = 1; n <= 32; ++n) s.Opt.FkeyStrings[static_cast<size_t>(n)] = "<F" + std::to_string(n) + ">";
  }
  void Check(const std::vector<Case>& cases) {
    for (const auto& c : cases) EXPECT_EQ(Press(c.key), c.bytes) << c.name;
  }
};

// Keys every emulation sends alike.
const std::vector<Case> kCommonKeys = {
    {"letter", {kKeyA, 0, 'a'}, "a"},
    {"shifted letter", {kKeyA, kShift, 'A'}, "A"},
    {"Return", {kKeyReturn}, "\r"},
    {"keypad Enter counts as Return", {kKeypadEnter}, "\r"},
    {"Escape", {kKeyEscape}, "\x1b"},
    {"Tab", {kKeyTab}, "\t"},
    {"Control-C", {kKeyC, kCtrl, 3}, "\x03"},
    {"Control-6 is RS", {kKey6, kCtrl, '6'}, "\x1e"},
    {"Control-space is NUL", {kKeySpace, kCtrl, 0}, std::string(1, '\0')},
    {"Option-1 is F1", {kKey1, kOpt}, "<F1>"},
    {"Option-0 is F10", {kKey0, kOpt}, "<F10>"},
    {"Option-Shift-1 is shifted F1", {kKey1, kOpt | kShift}, "<F17>"},
    {"Option-Shift-8 is shifted F8", {kKey8, kOpt | kShift}, "<F24>"},
    {"Option-Q is F11", {kKeyQ, kOpt}, "<F11>"},
    {"Option-T is F15", {kKeyT, kOpt}, "<F15>"},
    {"Option-Shift-Y is shifted F16", {kKeyY, kOpt | kShift}, "<F32>"},
    // A national layout's own characters, typed without Option, are
    // characters, not function keys.
    {"pound sign of a UK layout", {kKey3, kShift, 163}, "\xa3"},
    {"sharp s of a German layout", {kKeyMinus, 0, 167}, "\xa7"},
    {"a-ring of a Nordic layout", {kKeyLeftBracket, 0, 140}, "\x8c"},
};

TEST_F(KeyTranslation, Vt100WithNormalCursorKeysAndANumericKeypad) {
  Check(kCommonKeys);
  Check({
      {"Up", {kKeyUp}, "\x1b[A"},
      {"Down", {kKeyDown}, "\x1b[B"},
      {"Right", {kKeyRight}, "\x1b[C"},
      {"Left", {kKeyLeft}, "\x1b[D"},
      {"Option-Up is still the up arrow", {kKeyUp, kOpt}, "\x1b[A"},
      {"Backspace is DEL", {kKeyBackspace}, "\x7f"},
      {"forward Delete", {kKeyForwardDelete}, "\x7f"},
      {"keypad 5", {kKeypad5}, "5"},
      {"keypad minus", {kKeypadMinus}, "-"},
      {"keypad Clear", {kKeypadClear}, "\x1b"},
      {"Option-B is ESC", {kKeyB, kOpt}, "\x1b"},
      {"Option-S is FS", {kKeyS, kOpt}, "\x1c"},
      {"Option-V is GS", {kKeyV, kOpt}, "\x1d"},
      {"Option-A is RS", {kKeyA, kOpt}, "\x1e"},
      {"Option-G is US", {kKeyG, kOpt}, "\x1f"},
  });
  for (int n = 1; n <= 16; ++n) {
    EXPECT_EQ(FunctionKey(n), "<F" + std::to_string(n) + ">");
    EXPECT_EQ(FunctionKey(n + 16, kShift), "<F" + std::to_string(n + 16) + ">");
  }
}

TEST_F(KeyTranslation, Vt100ApplicationModes) {
  s.vt.CursorKeyApplicationMode = 1;
  s.input.KeypadApplicationMode = 1;
  Check({
      {"Up", {kKeyUp}, "\x1bOA"},
      {"Down", {kKeyDown}, "\x1bOB"},
      {"Right", {kKeyRight}, "\x1bOC"},
      {"Left", {kKeyLeft}, "\x1bOD"},
      {"keypad 0", {kKeypad0}, "\x1bOp"},
      {"keypad 5", {kKeypad5}, "\x1bOu"},
      {"keypad 7", {kKeypad7}, "\x1bOw"},
      {"keypad 8", {kKeypad8}, "\x1bOx"},
      {"keypad 9", {kKeypad9}, "\x1bOy"},
      {"keypad minus", {kKeypadMinus}, "\x1bOm"},
      {"keypad point", {kKeypadDecimal}, "\x1bOn"},
      {"keypad Enter", {kKeypadEnter}, "\x1bOM"},
      {"PF1 (Clear)", {kKeypadClear}, "\x1bOP"},
      {"PF2 (=)", {kKeypadEquals}, "\x1bOQ"},
      {"PF3 (/)", {kKeypadDivide}, "\x1bOR"},
      {"PF4 (*)", {kKeypadMultiply}, "\x1bOS"},
      {"keypad plus has no sequence", {kKeypadPlus}, "+"},
      {"Return is not the keypad", {kKeyReturn}, "\r"},
  });
  // The keypad option makes keypad Enter a plain Return.
  s.Opt.KeypadOption = 1;
  EXPECT_EQ(Press({kKeypadEnter}), "\r");
  // The setting that forces application mode does so before the host asks.
  s.Opt.KeypadOption = 0;
  s.input.KeypadApplicationMode = 0;
  EXPECT_EQ(Press({kKeypad1}), "1");
  s.Opt.ForceKeypadApplication = 1;
  EXPECT_EQ(Press({kKeypad1}), "\x1bOq");
}

TEST_F(KeyTranslation, Vt220EditingKeysGoOneTickApart) {
  Emulate(EmulationKind::Vt220);
  Check({
      {"Home", {kKeyHome}, "\x1b[1~"},
      {"Insert (Help)", {kKeyHelp}, "\x1b[2~"},
      {"Option-I is Insert", {kKeyI, kOpt}, "\x1b[2~"},
      {"Option-Shift-I is Insert", {kKeyI, kOpt | kShift}, "\x1b[2~"},
      {"forward Delete", {kKeyForwardDelete}, "\x1b[3~"},
      {"End", {kKeyEnd}, "\x1b[4~"},
      {"Page Up", {kKeyPageUp}, "\x1b[5~"},
      {"Page Down", {kKeyPageDown}, "\x1b[6~"},
      {"Up", {kKeyUp}, "\x1b[A"},
      {"Backspace is DEL", {kKeyBackspace}, "\x7f"},
  });
  // I without Option is a letter.
  EXPECT_EQ(Press({kKeyI, 0, 'i'}), "i");
  const size_t before = link->writtenAtMs.size();
  EXPECT_EQ(Press({kKeyPageDown}), "\x1b[6~");
  ASSERT_EQ(link->writtenAtMs.size(), before + 4);
  for (size_t i = before + 1; i < link->writtenAtMs.size(); ++i)
    EXPECT_EQ(link->writtenAtMs[i] * 60 / 1000, link->writtenAtMs[i - 1] * 60 / 1000 + 1);
  // A held Page Down repeats its sequence, not a bare form feed.
  EXPECT_EQ(Press({kKeyPageDown, 0, -1, true}), "\x1b[6~");
}

TEST_F(KeyTranslation, ScoAnsiTakesHomeEndAndThePageKeysBeforeVt220) {
  Emulate(EmulationKind::Vt220);
  s.Opt.ScoAnsiMode = 1;
  Check({
      {"Home", {kKeyHome}, "\x1b[H"},
      {"End", {kKeyEnd}, "\x1b[F"},
      {"Page Up", {kKeyPageUp}, "\x1b[I"},
      {"Page Down", {kKeyPageDown}, "\x1b[G"},
      {"Insert", {kKeyHelp}, "\x1b[2~"},
  });
}

TEST_F(KeyTranslation, Wyse50) {
  Emulate(EmulationKind::Wyse50);
  Check(kCommonKeys);
  Check({
      {"Up", {kKeyUp}, "\x0b"},
      {"Down", {kKeyDown}, "\n"},
      {"Left", {kKeyLeft}, "\b"},
      {"Right", {kKeyRight}, "\f"},
      {"Page Up", {kKeyPageUp}, "\x1bJ"},
      {"Option-Up is Page Up", {kKeyUp, kOpt}, "\x1bJ"},
      {"Page Down", {kKeyPageDown}, "\x1bK"},
      {"Option-Down", {kKeyDown, kOpt}, "\x1bK"},
      {"Home", {kKeyHome}, "\x1e"},
      {"Shift-Tab", {kKeyTab, kShift}, "\x1bI"},
      {"Option-comma", {kKeyComma, kOpt}, "\x1bI"},
      {"Option-Shift-comma", {kKeyComma, kOpt | kShift}, "\x1bI"},
      {"Insert", {kKeyHelp}, "\x1bq"},
      {"Control-Insert", {kKeyHelp, kCtrl}, "\x1bq"},
      {"Option-Shift-R", {kKeyR, kOpt | kShift}, "\x1br"},
      {"Backspace", {kKeyBackspace}, "\b"},
      {"forward Delete", {kKeyForwardDelete}, "\x7f"},
      {"Option-B is ESC (the Viewpoint flag)", {kKeyB, kOpt}, "\x1b"},
  });
  EXPECT_EQ(FunctionKey(1, kCtrl), "\x01L\r");
  EXPECT_EQ(FunctionKey(15, kCtrl), "\x01Z\r");
  EXPECT_EQ(FunctionKey(16, kCtrl), "<F16>");
  EXPECT_EQ(Press({kKey2, kOpt | kCtrl}), "\x01M\r");
}

TEST_F(KeyTranslation, Wyse60EditingKeysSendWhatTheHostProgrammed) {
  Emulate(EmulationKind::Wyse60);
  // Nothing programmed: the Wyse 50 keys.
  EXPECT_EQ(Press({kKeyPageUp}), "\x1bJ");
  EXPECT_EQ(Press({kKeyHelp}), "\x1bq");
  // Control keeps the Wyse 60's page keys from their Wyse 50 sequences.
  EXPECT_EQ(Press({kKeyPageUp, kCtrl}), "\x0b");
  auto& e = s.wyse.EditKeyStrings;
  e[0] = "<PgUp>";
  e[1] = "<PgDn>";
  e[2] = "{ESY";
  e[3] = "{EST";
  e[4] = "<Home>";
  e[5] = "{ESQ";
  e[9] = "{ESE";
  e[6] = "{ESW";
  e[10] = "{ESR";
  s.wyse.BackspaceKeyString = "<BS>";
  s.wyse.EscapeKeyString = "<ESC>";
  Check({
      {"Page Up", {kKeyPageUp}, "<PgUp>"},
      {"Page Down", {kKeyPageDown}, "<PgDn>"},
      {"Shift-End", {kKeyEnd, kShift}, "\x1bY"},
      {"End", {kKeyEnd}, "\x1bT"},
      {"Home", {kKeyHome}, "<Home>"},
      {"Insert", {kKeyHelp}, "\x1bQ"},
      {"Shift-Insert",
       {kKeyHelp, kShift},
       "\x1b"
       "E"},
      {"forward Delete", {kKeyForwardDelete}, "\x1bW"},
      {"Shift-forward Delete", {kKeyForwardDelete, kShift}, "\x1bR"},
      {"Backspace", {kKeyBackspace}, "<BS>"},
      {"Escape", {kKeyEscape}, "<ESC>"},
  });
  // The arrows: the user's strings; empty ones take the defaults only in the
  // colour-attribute mode.
  s.Opt.UpArrowString.clear();
  EXPECT_EQ(Press({kKeyUp}), "");
  s.screen.WyseColourAttributes = 1;
  EXPECT_EQ(Press({kKeyUp}), "\x0b");
}

TEST_F(KeyTranslation, ViewpointAndTeleVideo) {
  for (EmulationKind kind : {EmulationKind::Viewpoint, EmulationKind::Tvi925}) {
    Emulate(kind);
    Check({
        {"End", {kKeyEnd}, "\x1bT"},
        {"Shift-End", {kKeyEnd, kShift}, "\x1bY"},
        {"Insert", {kKeyHelp}, "\x1bq"},
        {"Option-B is ESC", {kKeyB, kOpt}, "\x1b"},
    });
  }
  Emulate(EmulationKind::Viewpoint);
  Check(kCommonKeys);
  Check({
      {"Up", {kKeyUp}, "\x1a"},
      {"Down", {kKeyDown}, "\n"},
      {"Left", {kKeyLeft}, "\x15"},
      {"Right", {kKeyRight}, "\x06"},
  });
  EXPECT_EQ(FunctionKey(3, kCtrl), "\x01N\r");
}

TEST_F(KeyTranslation, ExtendedAnsiKeys) {
  Emulate(EmulationKind::Viewpoint);
  s.Opt.ExtendedAnsiMode = 1;
  Check({
      {"Control-Option-Tab",
       {kKeyTab, kCtrl | kOpt},
       "\x02"
       "A"},
      {"Control-Option-End",
       {kKeyEnd, kCtrl | kOpt},
       "\x02"
       "B"},
      {"Control-Clear",
       {kKeypadClear, kCtrl},
       "\x02"
       "A"},
      {"Control-Delete",
       {kKeyForwardDelete, kCtrl},
       "\x02"
       "B"},
      {"Control-Escape",
       {kKeyEscape, kCtrl},
       "\x02"
       "C"},
      {"Control-Page Up",
       {kKeyPageUp, kCtrl},
       "\x02"
       "D"},
      {"Control-Page Down",
       {kKeyPageDown, kCtrl},
       "\x02"
       "E"},
      {"Control-End",
       {kKeyEnd, kCtrl},
       "\x02"
       "F"},
      {"Shift-Tab",
       {kKeyTab, kShift},
       "\x02"
       "G"},
      {"Delete",
       {kKeyForwardDelete},
       "\x02"
       "H"},
      {"Backspace is not Delete", {kKeyBackspace}, "\b"},
      {"Control-[ is a typed ESC", {kKeyLeftBracket, kCtrl, 27}, "\x1b"},
  });
}

TEST_F(KeyTranslation, Prism) {
  Emulate(EmulationKind::Prism);
  Check({
      {"Option-comma is EM", {kKeyComma, kOpt}, "\x19"},
      {"Up", {kKeyUp}, "\x1a"},
      {"Right", {kKeyRight}, "\f"},
      {"Option-B is ESC", {kKeyB, kOpt}, "\x1b"},
      {"Insert is no Prism key", {kKeyHelp}, "\x05"},
  });
}

TEST_F(KeyTranslation, AlternateEditingKeys) {
  Emulate(EmulationKind::Viewpoint);
  s.Opt.AltEditKeys = 1;
  Check({
      {"Help", {kKeyHelp}, "\x06"},
      {"forward Delete", {kKeyForwardDelete}, "\x04"},
      {"Home", {kKeyHome}, "\x1e"},
      {"End is still the Viewpoint's", {kKeyEnd}, "\x1bT"},
      {"Page Up", {kKeyPageUp}, "\x12"},
      {"Page Down", {kKeyPageDown}, "\x14"},
      {"Control-Page Down as it is", {kKeyPageDown, kCtrl}, "\x0c"},
      {"Up", {kKeyUp}, "\x1a"},
  });
  Emulate(EmulationKind::Vt100);
  EXPECT_EQ(Press({kKeyEnd}), "\x05");
  EXPECT_EQ(Press({kKeyPageUp}), "\x12");
}

TEST_F(KeyTranslation, NationalCharactersWhileTheEighthBitIsStripped) {
  s.Opt.NationalCharsOff = 0;
  s.Opt.HostCharacterSet = 4;
  Check({
      {"y-diaeresis is a bracket in set 4", {kKeyY, 0, 216}, "["},
      {"a national character takes the place of Option-3", {kKey3, kOpt}, "#"},
      {"Option-1 is still F1 (set 4 has no inverted !)", {kKey1, kOpt}, "<F1>"},
      {"a character set 4 does not show is not sent", {kKeyE, 0, 142}, ""},
      {"plain ASCII", {kKeyA, 0, 'a'}, "a"},
  });
  s.Opt.HostCharacterSet = 14;
  EXPECT_EQ(Press({kKeyE, 0, 142}), "");
  // All 8 bits: the Mac character itself.
  s.Opt.NationalCharsOff = 1;
  EXPECT_EQ(Press({kKeyE, 0, 142}), "\x8e");
  // DEC Multinational with set 7: ASCII national positions as 8-bit codes.
  s.Opt.DecMultinational = 1;
  s.Opt.HostCharacterSet = 7;
  EXPECT_EQ(Press({kKeyLeftBracket, 0, '['}), "\xc2");
  EXPECT_EQ(Press({kKeyGrave, 0, '`'}), "\xd4");
  EXPECT_EQ(Press({kKeyA, 0, 'a'}), "a");
}

TEST_F(KeyTranslation, ThePcCodePageOfTheProgramsFont) {
  s.Opt.ProgramFontOption = 2;
  Check({
      {"e-acute", {kKeyE, 0, 142}, "\x82"},
      {"a-acute", {kKeyA, 0, 135}, "\xa0"},
      {"AE", {kKeyQuote, 0, 174}, "\x92"},
      {"section sign", {kKeyS, 0, 164}, "$"},
      {"ASCII", {kKeyA, 0, 'a'}, "a"},
  });
}

TEST_F(KeyTranslation, CapsModeAndCapsLock) {
  s.Opt.CapsMode = 1;
  Check({
      {"a in capitals", {kKeyA, 0, 'a'}, "A"},
      {"Shift gives small letters", {kKeyA, kShift, 'A'}, "a"},
      {"Caps Lock rests the mode", {kKeyA, kCaps, 'A'}, "a"},
      {"digits stay", {kKey1, 0, '1'}, "1"},
  });
  s.Opt.CapsMode = 0;
  EXPECT_EQ(Press({kKeyA, kCaps, 'A'}), "A");
}

TEST_F(KeyTranslation, ReturnWithoutAConnectionAsksForItAndSendsNothing) {
  s.conn.PtyStream.reset();
  link = nullptr;
  const platform::KeyPress p = KeyPressOf({kKeyReturn});
  keys.LastEventRecord = input::KeyEventRecord(p);
  Translator().TranslateKeyPress(13, 0);
  EXPECT_EQ(hooks.connectRequests, 1);
  Translator().TranslateKeyPress('a', 0);
  EXPECT_EQ(hooks.connectRequests, 1);
}

TEST_F(KeyTranslation, AKeyBringsTheLiveScreenBackAndThePageKeysMoveTheView) {
  Screen& sc = s.screen;
  sc.ScrollBackLinePos = 200;
  sc.ScrollBackViewLine = sc.ScrollBackViewDrawnLine = 150;
  sc.ScrollBackViewShown = 1;
  EXPECT_EQ(Press({kKeyA, 0, 'a'}), "a");
  EXPECT_EQ(sc.ScrollBackViewShown, 0);
  EXPECT_EQ(sc.ScrollBackViewLine, 200);

  s.Opt.ScrollBackOn = 1;
  s.Opt.UsePageUpDown = 1;
  sc.ScrollBackViewShown = 1;
  sc.ScrollBackViewLine = 150;
  const int pageLines = sc.ScreenRows;
  EXPECT_EQ(Press({kKeyPageUp}), "");
  EXPECT_EQ(sc.ScrollBackViewLine, 150 - pageLines);
  EXPECT_EQ(sc.ScrollBackViewShown, 1);
  EXPECT_EQ(Press({kKeyPageDown}), "");
  EXPECT_EQ(sc.ScrollBackViewLine, 150);
  // Not kept for the view, they are keys for the host.
  s.Opt.UsePageUpDown = 0;
  EXPECT_EQ(Press({kKeyPageUp}), "\x0b");
}

}  // namespace
}  // namespace korvane::testing
