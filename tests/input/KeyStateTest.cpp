// The key routines over the event record: which kinds of record carry a key
// code, the keypad and special-key sets, function keys, Control-P, the Option
// function keys, the Command keys and the live keyboard.

#include <gtest/gtest.h>

#include "input/KeyState.h"
#include "platform/MacKeys.h"

namespace korvane::testing {
namespace {

using namespace platform;
using input::EventRecord;
using input::KeyState;

EventRecord Record(uint16_t what, int code, uint16_t modifiers = 0, int ch = 0) {
  return {what, (static_cast<uint32_t>(code) << 8) | static_cast<uint32_t>(ch), modifiers};
}

TEST(KeyDecoding, OnlyAKeyDownCarriesAKeyCodeWhileModifiersFollowEveryRecord) {
  struct Case {
    uint16_t what;
    int keypad, lastKeyCode, clear;
  };
  const Case cases[] = {
      {input::kKeyDownEvent, 1, kKeypadClear, 1},
      {input::kKeyUpEvent, 0, 0, 0},
      {input::kAutoKeyEvent, 0, 0, 0},
      {input::kNullEvent, 0, 0, 0},
  };
  for (const auto& c : cases) {
    KeyState k;
    k.LastEventRecord = Record(c.what, kKeypadClear, kShiftModifier | kControlModifier);
    EXPECT_EQ(k.IsKeypadKey(), c.keypad) << c.what;
    EXPECT_EQ(k.LastKeyCode, c.lastKeyCode) << c.what;
    EXPECT_EQ(k.KeypadClearDown, c.clear) << c.what;
    EXPECT_EQ(k.ShiftKeyDown, 1) << c.what;
    EXPECT_EQ(k.ControlKeyDown, 1) << c.what;
    EXPECT_EQ(k.OptionKeyDown, 0) << c.what;
  }
}

TEST(KeyDecoding, TheKeypadSetHasAGapAtNinety) {
  const std::pair<int, int> cases[] = {
      {89, 1}, {90, 0}, {91, 1}, {92, 1}, {76, 1}, {65, 1}, {66, 0}, {69, 1}, {82, 1}, {93, 0}, {kKeyReturn, 0},
  };
  for (const auto& [code, keypad] : cases) {
    KeyState k;
    k.LastEventRecord = Record(input::kKeyDownEvent, code);
    EXPECT_EQ(k.IsKeypadKey(), keypad) << code;
  }
  KeyState k;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeypadEquals);
  k.IsKeypadKey();
  EXPECT_EQ(k.KeypadEqualsDown, 1);
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeypadDivide);
  k.IsKeypadKey();
  EXPECT_EQ(k.KeypadEqualsDown, 0);
  EXPECT_EQ(k.KeypadDivideDown, 1);
}

TEST(KeyDecoding, SpecialKeysSetTheirOwnFlagAndFourUnusedCodesForceShift) {
  KeyState k;
  const std::pair<int, int16_t KeyState::*> table[] = {
      {kKeyPageDown, &KeyState::PageDownKeyDown}, {kKeyPageUp, &KeyState::PageUpKeyDown},
      {kKeyHome, &KeyState::HomeKeyDown},         {kKeyEnd, &KeyState::EndKeyDown},
      {kKeyUp, &KeyState::UpArrowKeyDown},        {kKeypadClear, &KeyState::ClearKeyDown},
      {kKeyTab, &KeyState::TabKeyDown},           {kKeyO, &KeyState::LetterOKeyDown},
      {kKeyC, &KeyState::LetterCKeyDown},
  };
  for (const auto& [code, flag] : table) {
    k.LastEventRecord = Record(input::kKeyDownEvent, code);
    k.DecodeSpecialKeys();
    for (const auto& [other, otherFlag] : table) EXPECT_EQ(k.*otherFlag, other == code ? 1 : 0) << code << " " << other;
  }
  // A key-up sets none of them.
  k.LastEventRecord = Record(input::kKeyUpEvent, kKeyUp);
  k.DecodeSpecialKeys();
  EXPECT_EQ(k.UpArrowKeyDown, 0);
  for (int code : {129, 131, 144, 146}) {
    k.LastEventRecord = Record(input::kKeyDownEvent, code);
    k.DecodeSpecialKeys();
    EXPECT_EQ(k.ShiftKeyDown, 1) << code;
  }
  k.LastEventRecord = Record(input::kKeyDownEvent, 130);
  k.DecodeSpecialKeys();
  EXPECT_EQ(k.ShiftKeyDown, 0);
}

TEST(KeyDecoding, EveryMacFunctionKeyHasItsNumberAndTheKeyDownIsConsumed) {
  const int codes[] = {122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111, 105, 107, 113, 106};
  for (int n = 1; n <= 16; ++n) {
    KeyState k;
    k.LastEventRecord = Record(input::kKeyDownEvent, codes[n - 1], 0, kCharFunctionKey);
    k.DecodeMacFunctionKey();
    EXPECT_EQ(k.MacFunctionKeyNumber, n);
    EXPECT_EQ(k.KeyRerunRequest, 1);
    EXPECT_EQ(k.LastEventRecord.what, input::kNullEvent);
  }
}

TEST(KeyDecoding, ShiftedF5ThenASecondDecodeInTheSameTurn) {
  KeyState k;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyF5, kShiftModifier, kCharFunctionKey);
  k.DecodeMacFunctionKey();
  EXPECT_EQ(k.MacFunctionKeyNumber, 5);
  EXPECT_EQ(k.ShiftKeyDown, 1);
  EXPECT_EQ(k.KeyRerunRequest, 1);
  EXPECT_EQ(k.KeyCodeOfEvent(), 0);
  k.DecodeMacFunctionKey();
  EXPECT_EQ(k.MacFunctionKeyNumber, 0);
  EXPECT_EQ(k.KeyRerunRequest, 1);
  // The consumed record still carries its modifiers.
  k.DecodeSpecialKeys();
  EXPECT_EQ(k.ShiftKeyDown, 1);
}

TEST(KeyDecoding, ControlPIsNotAFunctionKeyAndANullRecordTouchesNothing) {
  KeyState k;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyP, kControlModifier, 16);
  k.DecodeMacFunctionKey();
  EXPECT_EQ(k.ControlPPressed, 1);
  EXPECT_EQ(k.MacFunctionKeyNumber, 0);
  EXPECT_EQ(k.KeyRerunRequest, 0);

  k.ControlPPressed = 0;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyP);
  k.DecodeMacFunctionKey();
  EXPECT_EQ(k.ControlPPressed, 0);

  k.ShiftKeyDown = 1;
  k.KeyRerunRequest = 1;
  k.MacFunctionKeyNumber = 7;
  k.LastEventRecord = Record(input::kNullEvent, 0);
  k.DecodeMacFunctionKey();
  EXPECT_EQ(k.MacFunctionKeyNumber, 0);
  EXPECT_EQ(k.ShiftKeyDown, 1);
  EXPECT_EQ(k.KeyRerunRequest, 1);
}

TEST(KeyDecoding, OptionWithQWERTYSelectsFunctionKeysElevenToSixteen) {
  const std::pair<int, int> cases[] = {{kKeyQ, 11}, {kKeyW, 12}, {kKeyE, 13}, {kKeyR, 14}, {kKeyT, 15}, {kKeyY, 16}};
  for (const auto& [code, entry] : cases) {
    KeyState k;
    k.OptionFunctionKeys[3] = 1;  // entries below 11 are not the routine's
    k.LastEventRecord = Record(input::kKeyDownEvent, code, kOptionModifier);
    k.DecodeOptionFunctionKeys();
    for (int n = 11; n <= 16; ++n) EXPECT_EQ(k.OptionFunctionKeys[n], n == entry ? 1 : 0) << code;
    EXPECT_EQ(k.OptionFunctionKeys[3], 1);
    k.LastEventRecord = Record(input::kKeyDownEvent, code);
    k.DecodeOptionFunctionKeys();
    for (int n = 11; n <= 16; ++n) EXPECT_EQ(k.OptionFunctionKeys[n], 0) << code;
  }
}

TEST(KeyDecoding, CommandKeysWantCommandWithoutOption) {
  KeyState k;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyB, kCommandModifier);
  EXPECT_EQ(k.DecodeCommandKeys(), 0);
  EXPECT_EQ(k.CommandBKeyDown, 1);
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyB, kCommandModifier | kOptionModifier);
  k.DecodeCommandKeys();
  EXPECT_EQ(k.CommandBKeyDown, 0);
  k.LastEventRecord = Record(input::kKeyDownEvent, kKey1, kCommandModifier);
  k.DecodeCommandKeys();
  EXPECT_EQ(k.Command1KeyDown, 1);
  // On any record Command-Option gives the key code of the message.
  k.LastEventRecord = Record(input::kMouseDownEvent, 0x2A, kCommandModifier | kOptionModifier);
  EXPECT_EQ(k.DecodeModifiers(), 0x2A);
  k.LastEventRecord = Record(input::kMouseDownEvent, 0x2A, kCommandModifier);
  EXPECT_EQ(k.DecodeModifiers(), 0);
}

TEST(KeyDecoding, CommandPeriodStopsAndEndsNoScrollMode) {
  KeyState k;
  int16_t noScroll = 1;
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyPeriod);
  EXPECT_EQ(k.CommandPeriodPressed(&noScroll), 0);
  EXPECT_EQ(noScroll, 1);
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyPeriod, kCommandModifier);
  EXPECT_EQ(k.CommandPeriodPressed(&noScroll), 1);
  EXPECT_EQ(noScroll, 0);
  k.CommandPeriodFlag();
  EXPECT_EQ(k.PrintStopRequested, 1);
  k.LastEventRecord = Record(input::kKeyUpEvent, kKeyPeriod, kCommandModifier);
  k.CommandPeriodFlag();
  EXPECT_EQ(k.PrintStopRequested, 0);
  k.LastEventRecord = Record(input::kKeyDownEvent, kKeyE);
  k.DecodeStopKeys();
  EXPECT_EQ(k.LetterEKeyDown, 1);
  EXPECT_EQ(k.PeriodKeyDown, 0);
}

TEST(KeyDecoding, ShiftAndTwoAreReadFromTheLiveKeyboard) {
  TrackedKeyMap map;
  KeyState k;
  k.liveKeys = &map;
  // The record says Shift; the keyboard does not.
  k.LastEventRecord = Record(input::kKeyDownEvent, kKey2, kShiftModifier);
  map.Press(kKey2);
  EXPECT_EQ(k.ShiftAndKeyDown(), 0);
  EXPECT_EQ(k.ShiftKeyDown, 0);
  map.Press(kKeyShift);
  EXPECT_EQ(k.ShiftAndKeyDown(), 1);
  EXPECT_EQ(k.ShiftKeyDown, 1);
  map.Release(kKey2);
  EXPECT_EQ(k.ShiftAndKeyDown(), 0);
  EXPECT_EQ(k.ShiftKeyDown, 1);
  map.Clear();
  EXPECT_EQ(k.ShiftAndKeyDown(), 0);
  // Key codes outside the map are ignored.
  map.Press(-1);
  map.Press(500);
  EXPECT_EQ(map.GetKeys(), KeyMap{});
}

TEST(KeyDecoding, AKeyWithoutACodeIsNoKeyOfTheTables) {
  KeyPress unknown;
  unknown.text = "x";
  const input::EventRecord r = input::KeyEventRecord(unknown);
  EXPECT_EQ(r.what, input::kKeyDownEvent);
  EXPECT_EQ(r.message, (input::kUnknownKeyCode << 8) | 'x');
  KeyState k;
  k.LastEventRecord = r;
  k.DecodeSpecialKeys();
  k.DecodeOptionFunctionKeys();
  EXPECT_EQ(k.IsKeypadKey(), 0);
  // Key code 0 is the A key, which must not be taken for it.
  EXPECT_NE(k.KeyCodeOfEvent(), kKeyA);
  KeyPress repeat;
  repeat.keyCode = kKeyF1;
  repeat.autoRepeat = true;
  EXPECT_EQ(input::KeyEventRecord(repeat).what, input::kAutoKeyEvent);
}

}  // namespace
}  // namespace korvane::testing
