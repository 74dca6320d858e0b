#include "platform/qt/QtKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/CharMap.h"
#include "platform/MacKeys.h"

namespace korvane::platform {

namespace {

struct CodePair {
  int from;
  int code;
};

// Linux key codes (scan code - 8) to virtual key codes.
constexpr CodePair kLinuxKeys[] = {
    {1, kKeyEscape},
    {2, kKey1},
    {3, kKey2},
    {4, kKey3},
    {5, kKey4},
    {6, kKey5},
    {7, kKey6},
    {8, kKey7},
    {9, kKey8},
    {10, kKey9},
    {11, kKey0},
    {12, kKeyMinus},
    {13, kKeyEqual},
    {14, kKeyBackspace},
    {15, kKeyTab},
    {16, kKeyQ},
    {17, kKeyW},
    {18, kKeyE},
    {19, kKeyR},
    {20, kKeyT},
    {21, kKeyY},
    {22, kKeyU},
    {23, kKeyI},
    {24, kKeyO},
    {25, kKeyP},
    {26, kKeyLeftBracket},
    {27, kKeyRightBracket},
    {28, kKeyReturn},
    {29, kKeyControl},
    {30, kKeyA},
    {31, kKeyS},
    {32, kKeyD},
    {33, kKeyF},
    {34, kKeyG},
    {35, kKeyH},
    {36, kKeyJ},
    {37, kKeyK},
    {38, kKeyL},
    {39, kKeySemicolon},
    {40, kKeyQuote},
    {41, kKeyGrave},
    {42, kKeyShift},
    {43, kKeyBackslash},
    {44, kKeyZ},
    {45, kKeyX},
    {46, kKeyC},
    {47, kKeyV},
    {48, kKeyB},
    {49, kKeyN},
    {50, kKeyM},
    {51, kKeyComma},
    {52, kKeyPeriod},
    {53, kKeySlash},
    {54, kKeyRightShift},
    {55, kKeypadMultiply},
    {56, kKeyOption},
    {57, kKeySpace},
    {58, kKeyCapsLock},
    {59, kKeyF1},
    {60, kKeyF2},
    {61, kKeyF3},
    {62, kKeyF4},
    {63, kKeyF5},
    {64, kKeyF6},
    {65, kKeyF7},
    {66, kKeyF8},
    {67, kKeyF9},
    {68, kKeyF10},
    {69, kKeypadClear},
    {70, kKeyF14},
    {71, kKeypad7},
    {72, kKeypad8},
    {73, kKeypad9},
    {74, kKeypadMinus},
    {75, kKeypad4},
    {76, kKeypad5},
    {77, kKeypad6},
    {78, kKeypadPlus},
    {79, kKeypad1},
    {80, kKeypad2},
    {81, kKeypad3},
    {82, kKeypad0},
    {83, kKeypadDecimal},
    {86, kKeySection},
    {87, kKeyF11},
    {88, kKeyF12},
    {96, kKeypadEnter},
    {97, kKeyRightControl},
    {98, kKeypadDivide},
    {99, kKeyF13},
    {100, kKeyRightOption},
    {102, kKeyHome},
    {103, kKeyUp},
    {104, kKeyPageUp},
    {105, kKeyLeft},
    {106, kKeyRight},
    {107, kKeyEnd},
    {108, kKeyDown},
    {109, kKeyPageDown},
    {110, kKeyHelp},
    {111, kKeyForwardDelete},
    {117, kKeypadEquals},
    {119, kKeyF15},
    {125, kKeyCommand},
    {126, kKeyRightCommand},
    {138, kKeyHelp},
    {183, kKeyF13},
    {184, kKeyF14},
    {185, kKeyF15},
    {186, kKeyF16},
};

// Qt keys to virtual key codes, for events without a scan code; the symbols
// are placed as on the US layout.
constexpr CodePair kQtKeys[] = {
    {Qt::Key_Escape, kKeyEscape},
    {Qt::Key_Tab, kKeyTab},
    {Qt::Key_Backtab, kKeyTab},
    {Qt::Key_Backspace, kKeyBackspace},
    {Qt::Key_Return, kKeyReturn},
    {Qt::Key_Enter, kKeypadEnter},
    {Qt::Key_Insert, kKeyHelp},
    {Qt::Key_Help, kKeyHelp},
    {Qt::Key_Delete, kKeyForwardDelete},
    {Qt::Key_Pause, kKeyF15},
    {Qt::Key_Print, kKeyF13},
    {Qt::Key_SysReq, kKeyF13},
    {Qt::Key_Clear, kKeypadClear},
    {Qt::Key_NumLock, kKeypadClear},
    {Qt::Key_ScrollLock, kKeyF14},
    {Qt::Key_Home, kKeyHome},
    {Qt::Key_End, kKeyEnd},
    {Qt::Key_Left, kKeyLeft},
    {Qt::Key_Up, kKeyUp},
    {Qt::Key_Right, kKeyRight},
    {Qt::Key_Down, kKeyDown},
    {Qt::Key_PageUp, kKeyPageUp},
    {Qt::Key_PageDown, kKeyPageDown},
    {Qt::Key_Shift, kKeyShift},
    {Qt::Key_Control, kKeyControl},
    {Qt::Key_Meta, kKeyCommand},
    {Qt::Key_Alt, kKeyOption},
    {Qt::Key_CapsLock, kKeyCapsLock},
    {Qt::Key_F1, kKeyF1},
    {Qt::Key_F2, kKeyF2},
    {Qt::Key_F3, kKeyF3},
    {Qt::Key_F4, kKeyF4},
    {Qt::Key_F5, kKeyF5},
    {Qt::Key_F6, kKeyF6},
    {Qt::Key_F7, kKeyF7},
    {Qt::Key_F8, kKeyF8},
    {Qt::Key_F9, kKeyF9},
    {Qt::Key_F10, kKeyF10},
    {Qt::Key_F11, kKeyF11},
    {Qt::Key_F12, kKeyF12},
    {Qt::Key_F13, kKeyF13},
    {Qt::Key_F14, kKeyF14},
    {Qt::Key_F15, kKeyF15},
    {Qt::Key_F16, kKeyF16},
    {Qt::Key_Space, kKeySpace},
    {Qt::Key_Exclam, kKey1},
    {Qt::Key_QuoteDbl, kKeyQuote},
    {Qt::Key_NumberSign, kKey3},
    {Qt::Key_Dollar, kKey4},
    {Qt::Key_Percent, kKey5},
    {Qt::Key_Ampersand, kKey7},
    {Qt::Key_Apostrophe, kKeyQuote},
    {Qt::Key_ParenLeft, kKey9},
    {Qt::Key_ParenRight, kKey0},
    {Qt::Key_Asterisk, kKey8},
    {Qt::Key_Plus, kKeyEqual},
    {Qt::Key_Comma, kKeyComma},
    {Qt::Key_Minus, kKeyMinus},
    {Qt::Key_Period, kKeyPeriod},
    {Qt::Key_Slash, kKeySlash},
    {Qt::Key_0, kKey0},
    {Qt::Key_1, kKey1},
    {Qt::Key_2, kKey2},
    {Qt::Key_3, kKey3},
    {Qt::Key_4, kKey4},
    {Qt::Key_5, kKey5},
    {Qt::Key_6, kKey6},
    {Qt::Key_7, kKey7},
    {Qt::Key_8, kKey8},
    {Qt::Key_9, kKey9},
    {Qt::Key_Colon, kKeySemicolon},
    {Qt::Key_Semicolon, kKeySemicolon},
    {Qt::Key_Less, kKeyComma},
    {Qt::Key_Equal, kKeyEqual},
    {Qt::Key_Greater, kKeyPeriod},
    {Qt::Key_Question, kKeySlash},
    {Qt::Key_At, kKey2},
    {Qt::Key_A, kKeyA},
    {Qt::Key_B, kKeyB},
    {Qt::Key_C, kKeyC},
    {Qt::Key_D, kKeyD},
    {Qt::Key_E, kKeyE},
    {Qt::Key_F, kKeyF},
    {Qt::Key_G, kKeyG},
    {Qt::Key_H, kKeyH},
    {Qt::Key_I, kKeyI},
    {Qt::Key_J, kKeyJ},
    {Qt::Key_K, kKeyK},
    {Qt::Key_L, kKeyL},
    {Qt::Key_M, kKeyM},
    {Qt::Key_N, kKeyN},
    {Qt::Key_O, kKeyO},
    {Qt::Key_P, kKeyP},
    {Qt::Key_Q, kKeyQ},
    {Qt::Key_R, kKeyR},
    {Qt::Key_S, kKeyS},
    {Qt::Key_T, kKeyT},
    {Qt::Key_U, kKeyU},
    {Qt::Key_V, kKeyV},
    {Qt::Key_W, kKeyW},
    {Qt::Key_X, kKeyX},
    {Qt::Key_Y, kKeyY},
    {Qt::Key_Z, kKeyZ},
    {Qt::Key_BracketLeft, kKeyLeftBracket},
    {Qt::Key_Backslash, kKeyBackslash},
    {Qt::Key_BracketRight, kKeyRightBracket},
    {Qt::Key_AsciiCircum, kKey6},
    {Qt::Key_Underscore, kKeyMinus},
    {Qt::Key_QuoteLeft, kKeyGrave},
    {Qt::Key_BraceLeft, kKeyLeftBracket},
    {Qt::Key_Bar, kKeyBackslash},
    {Qt::Key_BraceRight, kKeyRightBracket},
    {Qt::Key_AsciiTilde, kKeyGrave},
};

// The keypad's keys, when Qt marks a key as coming from the keypad.
constexpr CodePair kQtKeypadKeys[] = {
    {Qt::Key_0, kKeypad0},
    {Qt::Key_1, kKeypad1},
    {Qt::Key_2, kKeypad2},
    {Qt::Key_3, kKeypad3},
    {Qt::Key_4, kKeypad4},
    {Qt::Key_5, kKeypad5},
    {Qt::Key_6, kKeypad6},
    {Qt::Key_7, kKeypad7},
    {Qt::Key_8, kKeypad8},
    {Qt::Key_9, kKeypad9},
    {Qt::Key_Period, kKeypadDecimal},
    {Qt::Key_Asterisk, kKeypadMultiply},
    {Qt::Key_Plus, kKeypadPlus},
    {Qt::Key_Minus, kKeypadMinus},
    {Qt::Key_Slash, kKeypadDivide},
    {Qt::Key_Equal, kKeypadEquals},
    {Qt::Key_Enter, kKeypadEnter},
    {Qt::Key_Clear, kKeypadClear},
    // Num Lock off: the keypad's digits come as moves, from the same positions.
    {Qt::Key_Insert, kKeypad0},
    {Qt::Key_End, kKeypad1},
    {Qt::Key_Down, kKeypad2},
    {Qt::Key_PageDown, kKeypad3},
    {Qt::Key_Left, kKeypad4},
    {Qt::Key_Right, kKeypad6},
    {Qt::Key_Home, kKeypad7},
    {Qt::Key_Up, kKeypad8},
    {Qt::Key_PageUp, kKeypad9},
    {Qt::Key_Delete, kKeypadDecimal},
};

int Find(const CodePair* table, size_t n, int from) {
  for (size_t i = 0; i < n; ++i)
    if (table[i].from == from) return table[i].code;
  return -1;
}

// X11's and the Wayland keyboard's Lock bit among the native modifiers.
constexpr quint32 kNativeLockMask = 0x2;

// The letter at a key's position on the US layout, 0 for a key without one.
char LetterAt(int code) {
  static constexpr char kLetters[] = "ASDFHGZXCV\0BQWERYT";  // key codes 0..17
  if (code >= 0 && code <= kKeyT && code != kKeySection) return kLetters[code];
  switch (code) {
    case kKeyO: return 'O';
    case kKeyU: return 'U';
    case kKeyI: return 'I';
    case kKeyP: return 'P';
    case kKeyL: return 'L';
    case kKeyJ: return 'J';
    case kKeyK: return 'K';
    case kKeyN: return 'N';
    case kKeyM: return 'M';
    default: return 0;
  }
}

}  // namespace

int MacKeyCodeOfScanCode(unsigned scanCode) {
  if (scanCode < 8) return -1;
  return Find(kLinuxKeys, std::size(kLinuxKeys), static_cast<int>(scanCode - 8));
}

KeyPress KeyPressFrom(const QKeyEvent& event) {
  KeyPress k;
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods & Qt::ShiftModifier) k.modifiers |= kShiftModifier;
  if (mods & Qt::ControlModifier) k.modifiers |= kControlModifier;
  if (mods & Qt::AltModifier) k.modifiers |= kOptionModifier;
  if (mods & Qt::MetaModifier) k.modifiers |= kCommandModifier;
  if (event.nativeModifiers() & kNativeLockMask) k.modifiers |= kCapsLockModifier;
  k.autoRepeat = event.isAutoRepeat();

  k.keyCode = MacKeyCodeOfScanCode(event.nativeScanCode());
  if (k.keyCode < 0) {
    const int key = event.key();
    if (mods & Qt::KeypadModifier) k.keyCode = Find(kQtKeypadKeys, std::size(kQtKeypadKeys), key);
    if (k.keyCode < 0) k.keyCode = Find(kQtKeys, std::size(kQtKeys), key);
  }
  if (IsModifierKey(k.keyCode)) return k;

  const bool shift = (k.modifiers & kShiftModifier) != 0;
  const bool control = (k.modifiers & kControlModifier) != 0;
  const bool option = (k.modifiers & kOptionModifier) != 0;
  const bool command = (k.modifiers & kCommandModifier) != 0;
  // Keys that print nothing, and the keypad, give their own characters
  // whatever the layout and Num Lock say.
  if (const int fixed = FixedKeyCharacter(k.keyCode); fixed >= 0) {
    k.text = std::string(1, static_cast<char>(fixed));
    return k;
  }
  if (option && !control && !command) {
    if (const int c = OptionCharacter(k.keyCode, shift); c != 0) {
      k.text = std::string(1, static_cast<char>(c));
      return k;
    }
  }
  // The layout's character, when Mac Roman has it; a character it has not
  // is not sent as some other one.
  const QString text = event.text();
  if (text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate())) {
    const char32_t u = text.toUcs4().value(0);
    const int code = UnicodeToMacRoman(u);
    if (code >= 0)
      k.text = std::string(1, static_cast<char>(code));
    else
      k.uncodedCharacter = u >= 0xA0;
  }
  // Control with a letter, "@", "[", "\\", "]", "^" or "_" gives its control
  // character, and with the space bar NUL, whatever the window system put in
  // the event's text (some give the letter itself).
  if (control && !command) {
    int c = k.text.size() == 1 ? static_cast<unsigned char>(k.text[0]) : -1;
    if (c < 0 || c >= 128) {
      const int key = event.key();
      if (key >= Qt::Key_A && key <= Qt::Key_Z)
        c = 'A' + (key - Qt::Key_A);
      else if (const char letter = LetterAt(k.keyCode); letter != 0)
        c = letter;
    }
    if (c == ' ')
      k.text = std::string(1, '\0');
    else if (c >= '@' && c < 0x7f)
      k.text = std::string(1, static_cast<char>(c & 0x1f));
  }
  return k;
}

}  // namespace korvane::platform
