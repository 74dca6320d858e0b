#pragma once
// The keyboard as the program names it: virtual key codes that name key
// positions (their names are those of the US layout), the character each key
// without a printing character gives, and the characters Option gives with a
// key. The window system's keys are turned into these (QtKeys); the key
// decoding and the key translation read nothing else.

#include <cstdint>

namespace korvane::platform {

// Virtual key codes.
enum MacKeyCode : int {
  kKeyA = 0,
  kKeyS = 1,
  kKeyD = 2,
  kKeyF = 3,
  kKeyH = 4,
  kKeyG = 5,
  kKeyZ = 6,
  kKeyX = 7,
  kKeyC = 8,
  kKeyV = 9,
  kKeySection = 10,
  kKeyB = 11,
  kKeyQ = 12,
  kKeyW = 13,
  kKeyE = 14,
  kKeyR = 15,
  kKeyY = 16,
  kKeyT = 17,
  kKey1 = 18,
  kKey2 = 19,
  kKey3 = 20,
  kKey4 = 21,
  kKey6 = 22,
  kKey5 = 23,
  kKeyEqual = 24,
  kKey9 = 25,
  kKey7 = 26,
  kKeyMinus = 27,
  kKey8 = 28,
  kKey0 = 29,
  kKeyRightBracket = 30,
  kKeyO = 31,
  kKeyU = 32,
  kKeyLeftBracket = 33,
  kKeyI = 34,
  kKeyP = 35,
  kKeyReturn = 36,
  kKeyL = 37,
  kKeyJ = 38,
  kKeyQuote = 39,
  kKeyK = 40,
  kKeySemicolon = 41,
  kKeyBackslash = 42,
  kKeyComma = 43,
  kKeySlash = 44,
  kKeyN = 45,
  kKeyM = 46,
  kKeyPeriod = 47,
  kKeyTab = 48,
  kKeySpace = 49,
  kKeyGrave = 50,
  kKeyBackspace = 51,
  kKeyEscape = 53,
  kKeyRightCommand = 54,
  kKeyCommand = 55,
  kKeyShift = 56,
  kKeyCapsLock = 57,
  kKeyOption = 58,
  kKeyControl = 59,
  kKeyRightShift = 60,
  kKeyRightOption = 61,
  kKeyRightControl = 62,
  kKeyFunction = 63,
  kKeypadDecimal = 65,
  kKeypadMultiply = 67,
  kKeypadPlus = 69,
  kKeypadClear = 71,
  kKeypadDivide = 75,
  kKeypadEnter = 76,
  kKeypadMinus = 78,
  kKeypadEquals = 81,
  kKeypad0 = 82,
  kKeypad1 = 83,
  kKeypad2 = 84,
  kKeypad3 = 85,
  kKeypad4 = 86,
  kKeypad5 = 87,
  kKeypad6 = 88,
  kKeypad7 = 89,
  kKeypad8 = 91,
  kKeypad9 = 92,
  kKeyF5 = 96,
  kKeyF6 = 97,
  kKeyF7 = 98,
  kKeyF3 = 99,
  kKeyF8 = 100,
  kKeyF9 = 101,
  kKeyF11 = 103,
  kKeyF13 = 105,
  kKeyF16 = 106,
  kKeyF14 = 107,
  kKeyF10 = 109,
  kKeyF12 = 111,
  kKeyF15 = 113,
  kKeyHelp = 114,
  kKeyHome = 115,
  kKeyPageUp = 116,
  kKeyForwardDelete = 117,
  kKeyF4 = 118,
  kKeyEnd = 119,
  kKeyF2 = 120,
  kKeyPageDown = 121,
  kKeyF1 = 122,
  kKeyLeft = 123,
  kKeyRight = 124,
  kKeyDown = 125,
  kKeyUp = 126,
};

// Characters of the keys that print nothing.
enum MacKeyCharacter : int {
  kCharHome = 1,
  kCharEnter = 3,
  kCharEnd = 4,
  kCharHelp = 5,
  kCharBackspace = 8,
  kCharTab = 9,
  kCharPageUp = 11,
  kCharPageDown = 12,
  kCharReturn = 13,
  kCharFunctionKey = 16,
  kCharEscape = 27,  // also keypad Clear
  kCharLeft = 28,
  kCharRight = 29,
  kCharUp = 30,
  kCharDown = 31,
  kCharForwardDelete = 127,
};

// The character a key gives whatever the layout and Num Lock say: the keys
// that print nothing and the keypad keys; -1 for every other key.
int FixedKeyCharacter(int keyCode);

// The character Option (with Shift: Option and Shift) gives with a key on the
// Mac's US layout, accents given as their spacing characters; 0 when the key
// has none.
int OptionCharacter(int keyCode, bool shift);

// Shift, Control, Option, Command, Caps Lock and fn: keys that only modify.
bool IsModifierKey(int keyCode);

// The Mac function-key number (1..16) of a key code, 0 for any other key.
int FunctionKeyNumberOf(int keyCode);

}  // namespace korvane::platform
