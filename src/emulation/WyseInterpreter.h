#pragma once
// The interpreter of the Wyse family: Wyse 50, 60 and 370, TeleVideo 925,
// ADDS Viewpoint and Prism. It adjusts each received character (eighth bit,
// monitor mode, national and line-graphics mappings), prints the printable
// ones through the character writer, carries out the control characters, and
// dispatches ESC sequences: reports and transfers (HostCommands), the
// host-requested actions, attributes, cursor addressing, editing, the status
// and label lines and the key labels.
//
// Which sequences apply is decided by single emulation flags, which are
// cumulative (see EmulationFlags.h): "the Viewpoint family" is every session
// with EmuViewpoint set, "the Wyse 50 family" every session with EmuWyse50.

#include <string>

#include "emulation/HostCommands.h"
#include "emulation/HostInput.h"
#include "emulation/HostInterpreter.h"
#include "emulation/WyseCharacters.h"
#include "emulation/WyseState.h"

namespace korvane {

class Screen;
struct SessionOptions;

class WyseInterpreter final : public HostInterpreter {
 public:
  WyseInterpreter(HostInput& in, WyseState& state);
  WyseInterpreter(const WyseInterpreter&) = delete;
  WyseInterpreter& operator=(const WyseInterpreter&) = delete;

  HostCommands& Commands() { return commands_; }

  void InterpretCharacter(HostInput& in) override;

  // ---- Attributes and protection (WyseAttributes.cpp) ------------------------------
  // ESC G c, in the plain or the colour-attribute form.
  void AttributeCommand(int c);
  // ESC ')', ESC '(', ESC '&', ESC '\''.
  void ProtectFieldBegin();
  void ProtectFieldEnd();
  void ProtectModeOn();
  void ProtectModeOff();
  // CSI b1 b2 with SCO ANSI off: the colour rows ('0' ..., '3' d, '4' d),
  // which read their further bytes with GetNextHostByte. False, with nothing
  // read, for the pairs that are not colours (pages, erasing, text).
  bool CsiColourPair(int b1, int b2);

  // The key string that a host key code names (ESC Z, ESC z): the backspace,
  // arrow, escape and editing keys; null for any other code.
  std::string* HostKeyString(int keyCode);

 private:
  // ---- Characters and controls (WyseInterpreter.cpp) ------------------------------
  // Eighth bit, ENQ DC2, national, DEC multinational and set-7 mappings, line
  // graphics. False when monitor mode took the character.
  bool AdjustCharacter(int& c);
  void ColourAttributeCommand(int c);
  // Screen updates, cursor addresses (ESC =), attributes (ESC G) and runs of
  // text, one after the other while no mode or watcher needs each byte on
  // its own: each by its own handler, and between them the reader's end of a
  // byte and start of the next. True when the byte under interpretation was
  // handled (the reader ends it); false, with that byte untouched, when it
  // is none of them.
  bool WriteUpdates(HostInput& in);
  // Neither the reader (HostInput::EachByteNeeds) nor a mode of this
  // interpreter needs each byte on its own, so a run of printable bytes or a
  // batch of updates may be taken in one go. None of the updates changes it.
  bool UpdatesCanBeBatched() const;
  // The host's national set maps every national position to itself.
  bool NationalSetReplacesNothing() const;
  void MonitorModeCharacter(int c);
  void ControlCharacter(int c);
  void LineFeed();
  void CarriageReturn();
  void EndStatusLineWrite();
  void FormFeedClear();
  void CursorRight();
  void PrismAttributeByte(int b);
  void RowAddress();
  void ColumnAddress();
  void Backspace();
  void CursorUp();
  void BackTab();
  // SO on the Viewpoint: the attribute ESC 0 chose.
  void ApplyShiftOutAttribute();
  void CursorForwardOne();
  void ProtectPassedColumn(int from);
  void CloseStatusLineWrite();
  LineGraphicsMode GraphicsMode() const;

  // ---- ESC dispatch (WyseEscape.cpp) ---------------------------------------------------
  void Escape();
  // The host-requested actions and printer routing for command byte `c` (a
  // control character reaches here too); false when none takes it.
  bool HostAction(int c);
  void ModelAnswer();
  void TildeCommand();
  void WyseExtendedCommand();
  void KeyProgramming();
  // Attributes, addressing, editing and lines for command byte `c`.
  bool EditingCommand(int c);
  void AttributeStep();
  // The next byte of a sequence (every command reads its bytes here).
  int NextByte() {
    in_.NextHostByteFast();
    return in_.NextHostByte;
  }

  // ---- Addressing, editing, CSI, status and label lines (WyseAddressing.cpp) -------------
  void AddressRowColumn(bool pageByte);
  void AddressDecimal();
  int ReadDecimalField(int terminator);
  void MoveCursorTo(int row, int col);
  void CloseProtectedField();
  void InsertCharacter();
  void DeleteCharacter();
  void ReverseLineFeed();
  void ClearAndHome(bool pictures);
  void ScreenFeatures(int b, bool teleVideo);
  // The TeleVideo 925's status line off: its rows are erased.
  void StatusLineOff();
  void StatusLineCommand(bool bold);
  void StatusLineWithColours();
  void KeyLabelCommand();
  void LabelLine();
  // A function key's definition sent by the host: `keyCode` names the key,
  // `firstByte` is the definition's first byte; the rest is read here.
  void StoreHostKeyDefinition(int keyCode, int firstByte);
  void GraphicsCharacter(int b);
  void ScoControlSequence(int lead);
  void TwoByteControlSequence(int b1, int b2);
  void StorePage(int slot);
  void RecallPage(int slot);
  void EraseCommand(int which, int final);

  HostInput& in_;
  Screen& s_;
  SessionOptions& o_;
  WyseState& st_;
  HostCommands commands_;
};

}  // namespace korvane
