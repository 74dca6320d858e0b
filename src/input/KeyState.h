#pragma once
// The program-wide key state: the platform's record of the most recent event,
// and the flags the key routines derive from it (modifiers, keypad keys,
// special keys, the Mac function-key number, the Option function keys, the
// Command-period tests), with the values the raw key-down handler keeps.
//
// The decoders take no arguments: each clears the flags it owns, sets them
// afresh from LastEventRecord and returns a 16-bit value. A flag keeps its
// value until its writer runs again, so a flag read by another routine
// describes the record as it was when its writer last ran.

#include <array>
#include <cstdint>

#include "platform/Events.h"
#include "platform/LiveKeys.h"

namespace korvane::input {

// The platform's classic record of an event: what it was, its message (for a
// key: bits 0-7 the character, bits 8-15 the virtual key code) and the
// modifier bits (platform::ModifierBits).
struct EventRecord {
  uint16_t what = 0;
  uint32_t message = 0;
  uint16_t modifiers = 0;
};

enum EventKindCode : uint16_t {
  kNullEvent = 0,
  kMouseDownEvent = 1,
  kKeyDownEvent = 3,
  kKeyUpEvent = 4,
  kAutoKeyEvent = 5,
  kUpdateEvent = 6,
  kActivateEvent = 8,
};

// The key code a record carries for a key the program has no code for: one
// that no key table holds.
constexpr uint32_t kUnknownKeyCode = 0xFF;

// The record of a key: a key-down (or an auto-key for a repeat), its first
// character and its virtual key code.
EventRecord KeyEventRecord(const platform::KeyPress& key);

// What the raw key-down handler keeps of the last key-down that reached it:
// the key's code and four flags, each set only when exactly its modifiers are
// held.
struct RawKeyState {
  uint32_t LastRawKeyCode = 0;
  int8_t OptionKeyAlone = 0;   // Option alone
  int8_t OptionShiftKeys = 0;  // Option and Shift
  int16_t CommandKeyDown = 0;  // Command alone
  int16_t ControlKeyDown = 0;  // Control alone
  void RawKeyDownHandler(const platform::KeyPress& key);
};

class KeyState {
 public:
  EventRecord LastEventRecord;
  // The live keyboard ShiftAndKeyDown reads; none: no key is held.
  const platform::LiveKeys* liveKeys = nullptr;

  // ---- Modifier flags ----------------------------------------------------------
  int16_t CommandKeyDown = 0;
  int16_t ModifiersCommandDown = 0;
  int16_t ShiftKeyDown = 0;
  int16_t CapsLockDown = 0;
  int16_t OptionKeyDown = 0;
  int16_t ControlKeyDown = 0;

  // ---- Keypad ------------------------------------------------------------------
  int16_t KeypadClearDown = 0, KeypadEqualsDown = 0, KeypadDivideDown = 0, KeypadMultiplyDown = 0;
  int16_t LastKeyCode = 0;

  // ---- Special keys --------------------------------------------------------------
  int16_t PageDownKeyDown = 0, PageUpKeyDown = 0, HomeKeyDown = 0, EndKeyDown = 0, UpArrowKeyDown = 0;
  int16_t ClearKeyDown = 0, TabKeyDown = 0, LetterOKeyDown = 0, LetterCKeyDown = 0;

  // ---- Command and stop keys -------------------------------------------------------
  int16_t CommandBKeyDown = 0, Command1KeyDown = 0;
  int16_t PeriodKeyDown = 0, Digit2KeyDown = 0, LetterEKeyDown = 0;
  int8_t PrintStopRequested = 0;

  // ---- Function keys ---------------------------------------------------------------
  int16_t MacFunctionKeyNumber = 0;  // 0..16
  int8_t ControlPPressed = 0;
  int8_t KeyRerunRequest = 0;
  // Entries 11..16: Option with the key of function key n was decoded.
  std::array<int16_t, 17> OptionFunctionKeys{};

  // ---- The routines ------------------------------------------------------------------
  // The key code of a key-down record, else 0.
  int16_t KeyCodeOfEvent() const;
  int16_t DecodeModifiers();
  // The Wyse 370's command keys: for a key-down with Command and Option held,
  // the character of its key (a digit, or a letter of the ANSI layout, in
  // capitals with Shift or Caps Lock); 0 for any other event or key.
  int16_t Wyse370CommandCharacter();
  int16_t IsKeypadKey();
  int16_t DecodeCommandKeys();
  int16_t DecodeSpecialKeys();
  // Decodes a key-down once: the function-key number, Control-P, and the
  // special keys; the record is then consumed (its kind becomes 0).
  int16_t DecodeMacFunctionKey();
  int16_t DecodeStopKeys();
  int16_t ShiftAndKeyDown();
  int16_t DecodeOptionFunctionKeys();
  // 1 for Command-period; the screen's no-scroll mode (when given) is then
  // switched off.
  int16_t CommandPeriodPressed(int16_t* noScrollMode = nullptr);
  void CommandPeriodFlag();

 private:
  bool Bit(uint16_t mask) const { return (LastEventRecord.modifiers & mask) != 0; }
};

}  // namespace korvane::input
