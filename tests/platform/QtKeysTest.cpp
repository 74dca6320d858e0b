// Qt's key events as the program takes them: key codes by position from the
// scan code (Qt's key where there is none), the character of keys that print
// nothing, Option characters by position, the layout's own characters, and
// the modifier bits.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <tuple>

#include "platform/MacKeys.h"
#include "platform/qt/QtKeys.h"

namespace korvane::platform {
namespace {

struct Case {
  const char* name;
  int qtKey;
  Qt::KeyboardModifiers mods;
  quint32 scan;  // Linux key code + 8; 0 for none
  quint32 native;
  const char* text;  // UTF-8
  int code;
  std::string bytes;
  uint16_t modifiers;
};

TEST(QtKeys, KeyEventsBecomeKeyCodesCharactersAndModifierBits) {
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Case cases[] = {
      {"letter", Qt::Key_A, none, 38, 0, "a", kKeyA, "a", 0},
      {"AZERTY's A sits where Q is", Qt::Key_A, none, 24, 0, "a", kKeyQ, "a", 0},
      {"up arrow", Qt::Key_Up, none, 111, 0, "", kKeyUp, "\x1e", 0},
      {"F1", Qt::Key_F1, none, 67, 0, "", kKeyF1, "\x10", 0},
      {"shifted F12", Qt::Key_F12, Qt::ShiftModifier, 96, 0, "", kKeyF12, "\x10", kShiftModifier},
      {"Print Screen is F13", Qt::Key_Print, none, 107, 0, "", kKeyF13, "\x10", 0},
      {"Scroll Lock is F14", Qt::Key_ScrollLock, none, 78, 0, "", kKeyF14, "\x10", 0},
      {"Pause is F15", Qt::Key_Pause, none, 127, 0, "", kKeyF15, "\x10", 0},
      {"Insert is Help", Qt::Key_Insert, none, 118, 0, "", kKeyHelp, "\x05", 0},
      {"forward Delete", Qt::Key_Delete, none, 119, 0, "\x7f", kKeyForwardDelete, "\x7f", 0},
      {"Backspace", Qt::Key_Backspace, none, 22, 0, "\b", kKeyBackspace, "\b", 0},
      {"Return", Qt::Key_Return, none, 36, 0, "\r", kKeyReturn, "\r", 0},
      {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 104, 0, "\r", kKeypadEnter, "\x03", 0},
      {"Num Lock is Clear", Qt::Key_NumLock, none, 77, 0, "", kKeypadClear, "\x1b", 0},
      {"keypad 5 with Num Lock off", Qt::Key_Clear, Qt::KeypadModifier, 84, 0, "", kKeypad5, "5", 0},
      {"keypad 7 with Num Lock on", Qt::Key_7, Qt::KeypadModifier, 79, 0, "7", kKeypad7, "7", 0},
      {"Shift-Tab", Qt::Key_Backtab, Qt::ShiftModifier, 23, 0, "", kKeyTab, "\t", kShiftModifier},
      {"Alt is Option: Option-1", Qt::Key_1, Qt::AltModifier, 10, 0, "1", kKey1, "\xc1", kOptionModifier},
      {"Option-Shift-1", Qt::Key_Exclam, Qt::AltModifier | Qt::ShiftModifier, 10, 0, "!", kKey1, "\xda",
       kOptionModifier | kShiftModifier},
      {"Option-B", Qt::Key_B, Qt::AltModifier, 56, 0, "b", kKeyB, "\xba", kOptionModifier},
      {"Option-up arrow keeps the arrow", Qt::Key_Up, Qt::AltModifier, 111, 0, "", kKeyUp, "\x1e", kOptionModifier},
      // A national layout's characters, typed without Alt, are themselves.
      {"UK pound sign", Qt::Key_sterling, Qt::ShiftModifier, 12, 0, "\xc2\xa3", kKey3, "\xa3", kShiftModifier},
      {"AltGr is not Option", Qt::Key_At, Qt::GroupSwitchModifier, 24, 0, "@", kKeyQ, "@", 0},
      {"German sharp s", Qt::Key_ssharp, none, 20, 0, "\xc3\x9f", kKeyMinus, "\xa7", 0},
      {"no Mac Roman character", Qt::Key_unknown, none, 38, 0, "\xd0\xb6", kKeyA, "", 0},
      {"Control-C", Qt::Key_C, Qt::ControlModifier, 54, 0, "\x03", kKeyC, "\x03", kControlModifier},
      {"Control-C without text", Qt::Key_C, Qt::ControlModifier, 54, 0, "", kKeyC, "\x03", kControlModifier},
      {"Control-C given as the letter", Qt::Key_C, Qt::ControlModifier, 54, 0, "c", kKeyC, "\x03", kControlModifier},
      {"Control-[", Qt::Key_BracketLeft, Qt::ControlModifier, 34, 0, "[", kKeyLeftBracket, "\x1b", kControlModifier},
      {"Control-2 stays a digit", Qt::Key_2, Qt::ControlModifier, 11, 0, "2", kKey2, "2", kControlModifier},
      {"Control-space", Qt::Key_Space, Qt::ControlModifier, 65, 0, " ", kKeySpace, std::string(1, '\0'),
       kControlModifier},
      {"Super is Command", Qt::Key_Q, Qt::MetaModifier, 24, 0, "q", kKeyQ, "q", kCommandModifier},
      {"Caps Lock from the native modifiers", Qt::Key_A, none, 38, 0x2, "A", kKeyA, "A", kCapsLockModifier},
      // Without a scan code Qt's key stands in.
      {"synthetic F5", Qt::Key_F5, none, 0, 0, "", kKeyF5, "\x10", 0},
      {"synthetic keypad 5", Qt::Key_5, Qt::KeypadModifier, 0, 0, "5", kKeypad5, "5", 0},
      {"synthetic Option-2", Qt::Key_2, Qt::AltModifier, 0, 0, "2", kKey2, "\xaa", kOptionModifier},
      {"synthetic letter", Qt::Key_Z, none, 0, 0, "z", kKeyZ, "z", 0},
  };
  for (const auto& c : cases) {
    const QKeyEvent e(QEvent::KeyPress, c.qtKey, c.mods, c.scan, 0, c.native, QString::fromUtf8(c.text));
    const KeyPress k = KeyPressFrom(e);
    EXPECT_EQ(k.keyCode, c.code) << c.name;
    EXPECT_EQ(k.text, c.bytes) << c.name;
    EXPECT_EQ(k.modifiers, c.modifiers) << c.name;
  }
}

TEST(QtKeys, EveryFunctionKeyAndArrowHasItsCodeByScanCode) {
  const std::pair<quint32, int> keys[] = {
      {67, kKeyF1},    {68, kKeyF2},    {69, kKeyF3},   {70, kKeyF4},      {71, kKeyF5},        {72, kKeyF6},
      {73, kKeyF7},    {74, kKeyF8},    {75, kKeyF9},   {76, kKeyF10},     {95, kKeyF11},       {96, kKeyF12},
      {191, kKeyF13},  {192, kKeyF14},  {193, kKeyF15}, {194, kKeyF16},    {113, kKeyLeft},     {114, kKeyRight},
      {116, kKeyDown}, {110, kKeyHome}, {115, kKeyEnd}, {112, kKeyPageUp}, {117, kKeyPageDown},
  };
  for (const auto& [scan, code] : keys) {
    EXPECT_EQ(MacKeyCodeOfScanCode(scan), code) << scan;
    EXPECT_GE(FixedKeyCharacter(code), 0) << code;
  }
  EXPECT_EQ(MacKeyCodeOfScanCode(0), -1);
  EXPECT_EQ(MacKeyCodeOfScanCode(7), -1);
  EXPECT_EQ(MacKeyCodeOfScanCode(255), -1);
}

TEST(QtKeys, AModifierAloneHasItsCodeAndNoCharacter) {
  for (const auto& [key, scan, code] : {std::tuple{Qt::Key_Shift, 50u, kKeyShift},
                                        {Qt::Key_Control, 37u, kKeyControl},
                                        {Qt::Key_Alt, 64u, kKeyOption},
                                        {Qt::Key_Meta, 133u, kKeyCommand}}) {
    const QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, scan, 0, 0, QString());
    const KeyPress k = KeyPressFrom(e);
    EXPECT_EQ(k.keyCode, code);
    EXPECT_TRUE(IsModifierKey(k.keyCode));
    EXPECT_TRUE(k.text.empty());
  }
}

TEST(QtKeys, AutoRepeatIsKept) {
  const QKeyEvent e(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, 116, 0, 0, QString(), true);
  EXPECT_TRUE(KeyPressFrom(e).autoRepeat);
}

}  // namespace
}  // namespace korvane::platform

namespace korvane::platform {
namespace {

// A character Mac Roman has no code for is marked, so that the program rings
// the bell for it; keys without a character are not.
TEST(QtKeys, ACharacterWithoutACodeIsMarkedForTheBell) {
  struct Mark {
    const char* name;
    int qtKey;
    const char* text;
    bool uncoded;
  };
  const Mark marks[] = {
      {"e acute has a code", Qt::Key_Eacute, "\xc3\xa9", false},
      {"Cyrillic zhe has none", Qt::Key_unknown, "\xd0\xb6", true},
      {"Polish l with stroke has none", Qt::Key_unknown, "\xc5\x82", true},
      {"F1 gives no character", Qt::Key_F1, "", false},
      {"a dead key gives no character yet", Qt::Key_Dead_Acute, "", false},
  };
  for (const Mark& m : marks) {
    const QKeyEvent e(QEvent::KeyPress, m.qtKey, Qt::NoModifier, 0, 0, 0, QString::fromUtf8(m.text));
    EXPECT_EQ(KeyPressFrom(e).uncodedCharacter, m.uncoded) << m.name;
  }
}

}  // namespace
}  // namespace korvane::platform
