#include "platform/MacKeys.h"

#include <array>
#include <cstddef>

namespace korvane::platform {

namespace {

struct KeyChar {
  int code;
  int plain, shifted;
};

// The Option layer of the US layout (Mac Roman codes).
constexpr KeyChar kOptionLayer[] = {
    {kKeyA, 140, 129},         {kKeyS, 167, 234},         {kKeyD, 182, 235},
    {kKeyF, 196, 236},         {kKeyH, 250, 238},         {kKeyG, 169, 253},
    {kKeyZ, 189, 252},         {kKeyX, 197, 254},         {kKeyC, 141, 130},
    {kKeyV, 195, 215},         {kKeyB, 186, 245},         {kKeyQ, 207, 206},
    {kKeyW, 183, 227},         {kKeyE, 171, 171},         {kKeyR, 168, 228},
    {kKeyY, 180, 231},         {kKeyT, 160, 255},         {kKey1, 193, 218},
    {kKey2, 170, 219},         {kKey3, 163, 220},         {kKey4, 162, 221},
    {kKey6, 164, 223},         {kKey5, 176, 222},         {kKeyEqual, 173, 177},
    {kKey9, 187, 225},         {kKey7, 166, 224},         {kKeyMinus, 208, 209},
    {kKey8, 165, 161},         {kKey0, 188, 226},         {kKeyRightBracket, 212, 213},
    {kKeyO, 191, 175},         {kKeyU, 172, 172},         {kKeyLeftBracket, 210, 211},
    {kKeyI, 246, 246},         {kKeyP, 185, 184},         {kKeyL, 194, 241},
    {kKeyJ, 198, 239},         {kKeyQuote, 190, 174},     {kKeyK, 251, 240},
    {kKeySemicolon, 201, 242}, {kKeyBackslash, 199, 200}, {kKeyComma, 178, 248},
    {kKeySlash, 214, 192},     {kKeyN, 247, 247},         {kKeyM, 181, 229},
    {kKeyPeriod, 179, 249},    {kKeyGrave, 96, 96},       {kKeySpace, 202, 202},
};

constexpr std::array<int, 17> kFunctionKeyCodes = {
    0,      kKeyF1,  kKeyF2,  kKeyF3,  kKeyF4,  kKeyF5,  kKeyF6,  kKeyF7,  kKeyF8,
    kKeyF9, kKeyF10, kKeyF11, kKeyF12, kKeyF13, kKeyF14, kKeyF15, kKeyF16,
};

}  // namespace

int FixedKeyCharacter(int keyCode) {
  switch (keyCode) {
    case kKeyReturn: return kCharReturn;
    case kKeyTab: return kCharTab;
    case kKeyBackspace: return kCharBackspace;
    case kKeyEscape: return kCharEscape;
    case kKeyHelp: return kCharHelp;
    case kKeyHome: return kCharHome;
    case kKeyEnd: return kCharEnd;
    case kKeyPageUp: return kCharPageUp;
    case kKeyPageDown: return kCharPageDown;
    case kKeyForwardDelete: return kCharForwardDelete;
    case kKeyLeft: return kCharLeft;
    case kKeyRight: return kCharRight;
    case kKeyUp: return kCharUp;
    case kKeyDown: return kCharDown;
    case kKeypadClear: return kCharEscape;
    case kKeypadEnter: return kCharEnter;
    case kKeypadDecimal: return '.';
    case kKeypadMultiply: return '*';
    case kKeypadPlus: return '+';
    case kKeypadDivide: return '/';
    case kKeypadMinus: return '-';
    case kKeypadEquals: return '=';
    case kKeypad8: return '8';
    case kKeypad9: return '9';
    default: break;
  }
  if (keyCode >= kKeypad0 && keyCode <= kKeypad7) return '0' + (keyCode - kKeypad0);
  if (FunctionKeyNumberOf(keyCode) != 0) return kCharFunctionKey;
  return -1;
}

int OptionCharacter(int keyCode, bool shift) {
  for (const auto& k : kOptionLayer)
    if (k.code == keyCode) return shift ? k.shifted : k.plain;
  return 0;
}

bool IsModifierKey(int keyCode) { return keyCode >= kKeyRightCommand && keyCode <= kKeyFunction; }

int FunctionKeyNumberOf(int keyCode) {
  if (keyCode <= 0) return 0;
  for (int n = 1; n <= 16; ++n)
    if (kFunctionKeyCodes[static_cast<size_t>(n)] == keyCode) return n;
  return 0;
}

}  // namespace korvane::platform
