#include "input/KeyState.h"

#include "platform/MacKeys.h"

namespace korvane::input {

using namespace platform;

EventRecord KeyEventRecord(const KeyPress& key) {
  EventRecord r;
  r.what = key.autoRepeat ? kAutoKeyEvent : kKeyDownEvent;
  const uint32_t code = key.keyCode >= 0 && key.keyCode < 255 ? static_cast<uint32_t>(key.keyCode) : kUnknownKeyCode;
  const uint32_t ch = key.text.empty() ? 0u : static_cast<uint8_t>(key.text[0]);
  r.message = (code << 8) | ch;
  r.modifiers = key.modifiers;
  return r;
}

void RawKeyState::RawKeyDownHandler(const KeyPress& key) {
  OptionKeyAlone = OptionShiftKeys = 0;
  CommandKeyDown = ControlKeyDown = 0;
  LastRawKeyCode = key.keyCode < 0 ? 0 : static_cast<uint32_t>(key.keyCode);
  // Whole modifier sets are compared: Option with Caps Lock, or Command with
  // Option, sets none of the flags.
  switch (key.modifiers) {
    case kOptionModifier: OptionKeyAlone = 1; break;
    case kOptionModifier | kShiftModifier: OptionShiftKeys = 1; break;
    case kCommandModifier: CommandKeyDown = 1; break;
    case kControlModifier: ControlKeyDown = 1; break;
    default: break;
  }
}

int16_t KeyState::KeyCodeOfEvent() const {
  if (LastEventRecord.what != kKeyDownEvent) return 0;
  return static_cast<int16_t>((LastEventRecord.message >> 8) & 0xFF);
}

int16_t KeyState::DecodeModifiers() {
  KeypadClearDown = KeypadEqualsDown = KeypadDivideDown = KeypadMultiplyDown = 0;
  ModifiersCommandDown = Bit(kCommandModifier);
  ShiftKeyDown = Bit(kShiftModifier);
  CapsLockDown = Bit(kCapsLockModifier);
  OptionKeyDown = Bit(kOptionModifier);
  ControlKeyDown = Bit(kControlModifier);
  if (ModifiersCommandDown && OptionKeyDown) return static_cast<int16_t>((LastEventRecord.message >> 8) & 0xFF);
  return 0;
}

int16_t KeyState::Wyse370CommandCharacter() {
  // The key codes of the digits 1 to 9 and 0, and of the letters A to Z.
  static constexpr uint8_t kDigitCodes[10] = {18, 19, 20, 21, 23, 22, 26, 28, 25, 29};
  static constexpr uint8_t kLetterCodes[26] = {0,  11, 8,  2,  14, 3, 5,  4,  34, 38, 40, 37, 46,
                                               45, 31, 35, 12, 15, 1, 17, 32, 9,  13, 7,  16, 6};
  // Key code 0 is the A key: only a key-down gives a code at all.
  if (LastEventRecord.what != kKeyDownEvent) return 0;
  const int16_t code = DecodeModifiers();
  if (!ModifiersCommandDown || !OptionKeyDown) return 0;
  for (int i = 0; i < 10; ++i)
    if (kDigitCodes[i] == code) return static_cast<int16_t>(i == 9 ? '0' : '1' + i);
  for (int i = 0; i < 26; ++i)
    if (kLetterCodes[i] == code) return static_cast<int16_t>((ShiftKeyDown || CapsLockDown ? 'A' : 'a') + i);
  return 0;
}

int16_t KeyState::IsKeypadKey() {
  KeypadClearDown = KeypadEqualsDown = KeypadDivideDown = KeypadMultiplyDown = 0;
  CommandKeyDown = Bit(kCommandModifier);
  ShiftKeyDown = Bit(kShiftModifier);
  OptionKeyDown = Bit(kOptionModifier);
  ControlKeyDown = Bit(kControlModifier);
  const int k = KeyCodeOfEvent();
  KeypadClearDown = k == kKeypadClear;
  KeypadEqualsDown = k == kKeypadEquals;
  KeypadDivideDown = k == kKeypadDivide;
  KeypadMultiplyDown = k == kKeypadMultiply;
  LastKeyCode = static_cast<int16_t>(k);
  switch (k) {
    case kKeypadDecimal:
    case kKeypadMultiply:
    case kKeypadPlus:
    case kKeypadClear:
    case kKeypadDivide:
    case kKeypadEnter:
    case kKeypadMinus:
    case kKeypadEquals:
    case kKeypad8:
    case kKeypad9: return 1;
    default: return k >= kKeypad0 && k <= kKeypad7 ? 1 : 0;
  }
}

int16_t KeyState::DecodeCommandKeys() {
  CommandBKeyDown = Command1KeyDown = 0;
  CommandKeyDown = Bit(kCommandModifier);
  OptionKeyDown = Bit(kOptionModifier);
  const int k = KeyCodeOfEvent();
  if (CommandKeyDown && !OptionKeyDown) {
    CommandBKeyDown = k == kKeyB;
    Command1KeyDown = k == kKey1;
  }
  // Host input acts on the two flags only for a result other than 0, which
  // this routine never gives.
  return 0;
}

int16_t KeyState::DecodeSpecialKeys() {
  CommandKeyDown = Bit(kCommandModifier);
  ShiftKeyDown = Bit(kShiftModifier);
  CapsLockDown = Bit(kCapsLockModifier);
  OptionKeyDown = Bit(kOptionModifier);
  ControlKeyDown = Bit(kControlModifier);
  const int k = KeyCodeOfEvent();
  if (k == 144 || k == 129 || k == 146 || k == 131) ShiftKeyDown = 1;
  PageDownKeyDown = k == kKeyPageDown;
  PageUpKeyDown = k == kKeyPageUp;
  HomeKeyDown = k == kKeyHome;
  EndKeyDown = k == kKeyEnd;
  UpArrowKeyDown = k == kKeyUp;
  ClearKeyDown = k == kKeypadClear;
  TabKeyDown = k == kKeyTab;
  LetterOKeyDown = k == kKeyO;
  LetterCKeyDown = k == kKeyC;
  return 0;
}

int16_t KeyState::DecodeMacFunctionKey() {
  MacFunctionKeyNumber = 0;
  if (LastEventRecord.what == kKeyDownEvent) {
    const int k = static_cast<int>((LastEventRecord.message >> 8) & 0xFF);
    MacFunctionKeyNumber = static_cast<int16_t>(FunctionKeyNumberOf(k));
    DecodeSpecialKeys();
    if (k == kKeyP && ControlKeyDown) ControlPPressed = 1;
    LastEventRecord.what = kNullEvent;
  }
  if (MacFunctionKeyNumber != 0) KeyRerunRequest = 1;
  return 0;
}

int16_t KeyState::DecodeStopKeys() {
  CommandKeyDown = Bit(kCommandModifier);
  ShiftKeyDown = Bit(kShiftModifier);
  OptionKeyDown = Bit(kOptionModifier);
  ControlKeyDown = Bit(kControlModifier);
  const int k = KeyCodeOfEvent();
  PeriodKeyDown = k == kKeyPeriod;
  Digit2KeyDown = k == kKey2;
  LetterEKeyDown = k == kKeyE;
  return 0;
}

int16_t KeyState::ShiftAndKeyDown() {
  const KeyMap map = liveKeys ? liveKeys->GetKeys() : KeyMap{};
  ShiftKeyDown = (map[kKeyShift / 8] >> (kKeyShift % 8)) & 1;
  if (ShiftKeyDown) return (map[kKey2 / 8] >> (kKey2 % 8)) & 1;
  return 0;
}

int16_t KeyState::DecodeOptionFunctionKeys() {
  for (int n = 11; n <= 16; ++n) OptionFunctionKeys[static_cast<size_t>(n)] = 0;
  ShiftKeyDown = Bit(kShiftModifier);
  OptionKeyDown = Bit(kOptionModifier);
  const int k = KeyCodeOfEvent();
  if (OptionKeyDown) {
    static constexpr int kKeys[] = {kKeyQ, kKeyW, kKeyE, kKeyR, kKeyT, kKeyY};
    for (int i = 0; i < 6; ++i)
      if (k == kKeys[i]) OptionFunctionKeys[static_cast<size_t>(11 + i)] = 1;
  }
  return 0;
}

int16_t KeyState::CommandPeriodPressed(int16_t* noScrollMode) {
  CommandKeyDown = Bit(kCommandModifier);
  PeriodKeyDown = KeyCodeOfEvent() == kKeyPeriod;
  if (CommandKeyDown && PeriodKeyDown) {
    if (noScrollMode) *noScrollMode = 0;
    return 1;
  }
  return 0;
}

void KeyState::CommandPeriodFlag() {
  PrintStopRequested = 0;
  CommandKeyDown = Bit(kCommandModifier);
  PeriodKeyDown = KeyCodeOfEvent() == kKeyPeriod;
  if (CommandKeyDown && PeriodKeyDown) PrintStopRequested = 1;
}

}  // namespace korvane::input
